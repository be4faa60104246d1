// The merge log's states, what a resumed run leaves out, and what counts as the service's answer.
#include "mailmerge/merge_log.h"
#include "mailmerge/send_answer.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using MergeLog::Entry;

namespace {

const Entry ann{0, u"ann@x.org"_s}, bob{1, u"Bob@X.org"_s}, kim{2, u"kim@x.org"_s};

constexpr auto sending = &MergeLog::sendingLine;
constexpr auto sent = &MergeLog::sentLine;
constexpr auto unknown = &MergeLog::unknownLine;

SendAnswer::Load ended(SendAnswer::Ending ending, const QUrl &url, int status, bool errorPage = false,
                       const QString &error = {}) {
    return {ending, url, status, errorPage, error};
}

} // namespace

TEST(MergeLog, EachEmailEndsSentOrUnknown) {
    const QByteArray refusal = MergeLog::refusedLine(ann, MergeLog::AfterRefusal::GoOn, u"550\tno"_s);
    const struct {
        const char *why;
        QByteArray log;
        std::vector<Entry> confirmed, unknown;
    } cases[] = {
        {"confirmed", sending(ann) + sent(ann), {ann}, {}},
        {"the answer failed or never came", sending(ann) + unknown(ann), {}, {ann}},
        {"resent, confirmed", sending(ann) + unknown(ann) + sending(ann) + sent(ann), {ann}, {}},
        // The address has its email: a later send that was cut short cannot take that back.
        {"confirmed, resent, cut short", sending(ann) + sent(ann) + sending(ann) + unknown(ann), {ann}, {}},
        {"each email once, in the order of the log",
         sending(bob) + unknown(bob) + sending(ann) + sent(ann) + sending(bob) + unknown(bob) + sending(kim) +
             sent(kim),
         {ann, kim},
         {bob}},
        {"lines of another form", "garbage\r\nsent\tx\ty\r\nsent\t1\t \r\n" + sending(ann), {}, {ann}},
        // The service said it sent nothing: the address is neither sent nor in doubt.
        {"refused", sending(ann) + refusal, {}, {}},
        {"a line cut off by a crash", sending(ann) + sent(ann) + sending(kim) + "sent\t2\tkim", {ann}, {kim}},
    };
    for (const auto &c : cases) {
        const MergeLog::State state = MergeLog::parse(c.log);
        EXPECT_EQ(std::pair(state.confirmed, state.unknown), std::pair(c.confirmed, c.unknown)) << c.why;
    }
    // Another message on the same book has a log of its own.
    EXPECT_NE(MergeLog::fileName(u"b.csv"_s, u"s"_s, u"x"_s), MergeLog::fileName(u"b.csv"_s, u"sx"_s, u""_s));
}

TEST(MergeLog, AResumeSendsTwiceOnlyWhenTheUserSaysSo) {
    const MergeLog::State state = MergeLog::parse(sending(ann) + sent(ann) + sending(bob) + unknown(bob));
    using Resume = MergeLog::Resume;
    const struct {
        const char *why;
        QString address;
        Resume resume;
        bool skipped;
    } cases[] = {
        {"sent: left out, the address compared without case and blanks", u" ANN@x.org"_s, Resume{}, true},
        {"unknown: left out by default", u"bob@x.org"_s, Resume{}, true},
        {"unknown: sent again when the user chose so", u"bob@x.org"_s, Resume{true, true}, false},
        {"sent: sent again when everything is", u"ann@x.org"_s, Resume{false, true}, false},
        {"no email yet: always sent", u"kim@x.org"_s, Resume{}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MergeLog::skips(state, c.address, c.resume), c.skipped) << c.why;
}

TEST(SendAnswer, OnlyASuccessfulPageFromTheServiceCountsAsSent) {
    using SendAnswer::Ending;
    const QUrl service(u"http://127.0.0.1:8087/hotmail/compose"_s);
    const QUrl answer(u"http://127.0.0.1:8087/hotmail/sent?n=3"_s);
    const struct {
        const char *why;
        SendAnswer::Load load;
        QString problem; // a part of it; empty: the email counts
    } cases[] = {
        {"the sent page", ended(Ending::Succeeded, answer, 200), {}},
        {"a 3xx the browser did not follow", ended(Ending::Succeeded, answer, 304), {}},
        {"another port of the service", ended(Ending::Succeeded, QUrl(u"http://127.0.0.1:9/x"_s), 200), {}},
        {"an HTTP error, even one the browser calls a success", ended(Ending::Succeeded, answer, 503),
         u"HTTP status 503"_s},
        {"a dropped connection", ended(Ending::Failed, answer, 0, true, u"net::ERR_EMPTY_RESPONSE"_s),
         u"no answer came (net::ERR_EMPTY_RESPONSE)"_s},
        {"an error page shown as a success", ended(Ending::Succeeded, answer, 0, true), u"no answer came"_s},
        {"no HTTP status at all", ended(Ending::Succeeded, answer, 0), u"no answer came"_s},
        {"a load broken off", ended(Ending::Stopped, answer, 0), u"broken off"_s},
        {"another site's page", ended(Ending::Succeeded, QUrl(u"https://portal.example/login"_s), 200),
         u"another site (portal.example)"_s},
        {"a local page", ended(Ending::Succeeded, QUrl(u"file:///tmp/x.htm"_s), 200), u"another site"_s},
    };
    for (const auto &c : cases) {
        const QString problem = SendAnswer::problem(c.load, service);
        EXPECT_TRUE(c.problem.isEmpty() ? problem.isEmpty() : problem.contains(c.problem))
            << c.why << ": " << problem.toStdString();
    }
}
