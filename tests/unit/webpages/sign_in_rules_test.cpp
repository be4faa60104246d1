#include "webpages/sign_in.h"
#include "webpages/web_pane.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {
const QString welcomeFile = u"/home/ann/corvalis/html/welcome.htm"_s;
const QString welcome = u"file:///home/ann/corvalis/html/welcome.htm"_s;
} // namespace

TEST(SignInRulesTest, OnlyTheInstalledWelcomeFileIsTheWelcomePage) {
    const struct {
        QString address;
        bool welcome;
    } cases[] = {
        {welcome, true},
        {welcome + u"?utm=newsletter#top"_s, true},
        {u"file:///home/ann/corvalis/html/./../html//welcome.htm"_s, true},
        {u"file:///home/ann/corvalis/html/welcome%2Ehtm"_s, true},
        {u"http://127.0.0.1:8899/promo/welcome.html"_s, false},
        {u"file://evil.example/home/ann/corvalis/html/welcome.htm"_s, false},
        {u"file:///home/ann/Downloads/welcome.htm"_s, false},
        {u"file:///home/ann/corvalis/html/../../Downloads/html/welcome.htm"_s, false},
        {u"file:///home/ann/corvalis/html/WELCOME.HTM"_s, false},
        {u"file:///home/ann/corvalis/html/welcome.htm/"_s, false},
        {u"file:///tmp/x?file:///home/ann/corvalis/html/welcome.htm"_s, false},
        {u"/home/ann/corvalis/html/welcome.htm"_s, false},
        {QString(), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SignIn::isWelcomePage(c.address, welcomeFile), c.welcome) << c.address.toStdString();
    EXPECT_FALSE(SignIn::isWelcomePage(u"file:///html/welcome.htm"_s, u"html/welcome.htm"_s)); // no main dir
}

// What a sign-in by hand stores, ticked or not, is the sign-in integration test's.
TEST(SignInRulesTest, LeavingTheWelcomePageStoresNothingWithoutBothFieldsOrOnAnotherPage) {
    const struct {
        const char *why;
        QString address;
        bool ticked;
        std::optional<QString> email, password;
        QString expected;
    } cases[] = {
        {"ticked, only the e-mail: nothing", welcome, true, u"ann@x"_s, QString(), u""_s},
        {"ticked, no sign-in form on the page", welcome, true, std::nullopt, std::nullopt, u""_s},
        {"a foreign page named welcome.htm", u"http://h/welcome.htm"_s, false, u"a"_s, u"x"_s, u""_s},
    };
    for (const auto &c : cases) {
        QStringList writes;
        for (const auto &w : SignIn::captureOnLeave(c.address, welcomeFile, c.ticked, c.email, c.password))
            writes << QString::fromLatin1(w.key.key) + u'=' + w.value;
        EXPECT_EQ(writes.join(u' '), c.expected) << c.why;
    }
}

TEST(SignInRulesTest, AutomaticSignInNeedsTheWelcomePageTheBoxAndBothStoredValues) {
    const auto signIn = [](const QString &address, bool ticked, const QString &email, const QString &pw) {
        return SignIn::automaticSignIn(address, welcomeFile, ticked, email, pw).has_value();
    };
    EXPECT_TRUE(signIn(welcome, true, u"a@b.c"_s, u"pw"_s));
    EXPECT_FALSE(signIn(welcome, false, u"a@b.c"_s, u"pw"_s));
    EXPECT_FALSE(signIn(welcome, true, QString(), u"pw"_s));
    EXPECT_FALSE(signIn(welcome, true, u"a@b.c"_s, QString()));
    EXPECT_FALSE(signIn(u"http://x/welcome.htm"_s, true, u"a@b.c"_s, u"pw"_s));
}

TEST(SignInRulesTest, OnlyAnHttpAddressWithAHostIsRecordedAsTheService) {
    const struct {
        std::optional<QString> typed;
        std::optional<QString> recorded;
    } cases[] = {
        {u" http://127.0.0.1:8087// "_s, u"http://127.0.0.1:8087"_s},
        {u"https://mail.example.org/web"_s, u"https://mail.example.org/web"_s},
        {u"127.0.0.1:8087"_s, std::nullopt}, // no scheme: the form could not post there
        {u"file:///etc"_s, std::nullopt},
        {u""_s, std::nullopt},
        {std::nullopt, std::nullopt}, // a page without the question
    };
    for (const auto &c : cases)
        EXPECT_EQ(SignIn::serviceAddress(c.typed), c.recorded) << c.typed.value_or(u"(none)"_s).toStdString();
}

TEST(SignInRulesTest, AnswerPageAndLineEnds) {
    const QString service = u"http://127.0.0.1:8087"_s;
    EXPECT_TRUE(SignIn::isAnswerPage(u"http://127.0.0.1:8087/cgi-bin/signin.cgi?x=1"_s, service + u'/'));
    EXPECT_FALSE(SignIn::isAnswerPage(u"http://127.0.0.1:9999/cgi-bin/signin.cgi"_s, service));
    EXPECT_FALSE(SignIn::isAnswerPage(u"http://127.0.0.1:8087/hotmail/inbox"_s, service));
    EXPECT_FALSE(SignIn::isAnswerPage(u"http://127.0.0.1:8087/cgi-bin/signin.cgi"_s, QString()));

    EXPECT_EQ(withCrLf(u"a\nb\r\nc\n\n"_s), u"a\r\nb\r\nc\r\n\r\n"_s); // line feeds become CR LF once
}
