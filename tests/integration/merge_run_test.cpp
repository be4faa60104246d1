// Mail merge runs against webmail-sim through a real compose pane: what arrives at the service,
// Test, Stop, the rich-text page, and a run killed and resumed.
#include "mailmerge/dialog_merge.h"
#include "mailmerge/merge_journal.h"
#include "mailmerge/merge_run.h"
#include "main_form_harness.h"
#include "shell/messages.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

const QStringList titles{u"First"_s, u"Last"_s, u"Email"_s, u"Note"_s};
const QString subject = u"News for <<first>>"_s;
const QString body = u"Dear <<First|friend>> <<LAST>>,\r\n<<Note>> <<Unknown>>\r\nBye"_s;

// Row i's address; every fifth row has none and every seventh no first name.
std::vector<QStringList> bookRows(int count) {
    std::vector<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({i % 7 == 3 ? QString() : u"Ann%1"_s.arg(i), u"Zoë \"Q\""_s,
                        i % 5 == 4 ? QString() : u"p%1@example.com"_s.arg(i), u"<b>&amp; R&D</b> ünï"_s});
    return rows;
}

// A compose pane, the merge run and its dialog on a book held in memory, against a sim.
class MergeRig {
public:
    MergeRig(const QString &baseUrl, const QString &logFolder, std::vector<QStringList> rows)
        : base(baseUrl)
        , rows(std::move(rows))
        , run(pane)
        , dialog({run, messages, [] {},
                  [this] {
                      return MergePlan::Book{titles, 2, int(this->rows.size()),
                                             [this](int row) { return this->rows[row]; }};
                  },
                  [] {
                      return std::pair{-1, -1};
                  },
                  [] { return u"/books/club.csv"_s; }, logFolder, [] {}, [](int, int, const QString &) {},
                  [] { return 0; }, [](int) {}}) {
        pane.resize(800, 600);
        messages.setFallbackAnswer(Messages::Answer::Yes);
    }

    bool openCompose(const QString &provider, const QString &query = {}) {
        this->provider = provider;
        pane.navigate(base + u"/"_s + provider + u"/compose"_s + query);
        return MainFormHarness::waitForPage(pane, u"compose"_s) &&
               MainFormHarness::waitFor([this] { return !pane.busy(); });
    }
    void write(const QString &s, const QString &b) {
        const PageModel::ComposeForm &form = PageModel::composeForm(provider);
        ASSERT_TRUE(pane.setFormFieldValue(form.form, form.subject, s));
        ASSERT_TRUE(pane.setFormFieldValue(form.form, form.body, b));
    }
    QString field(const QString &name) {
        return pane.formFieldValue(PageModel::composeForm(provider).form, name).value_or(u"(none)"_s);
    }
    void click(const char *name) { dialog.findChild<QPushButton *>(QString::fromLatin1(name))->click(); }
    QString label() { return dialog.findChild<QLabel *>(u"LabelNumSent"_s)->text(); }

    QString base;
    QString provider;
    std::vector<QStringList> rows;
    RecordingMessages messages;
    WebPane pane;
    MergeRun run;
    DialogMerge dialog;
};

QString sentField(const QJsonObject &message, const QString &provider, const char *role) {
    const PageModel::ComposeForm &form = PageModel::composeForm(provider);
    const QString name = role == std::string_view("to")        ? form.to
                         : role == std::string_view("subject") ? form.subject
                                                               : form.body;
    return message[u"fields"_s].toObject()[name].toString();
}

class MergeRunTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override { ASSERT_TRUE(sim.started()); }
    SimProcess sim;
    QTemporaryDir logs;
};

} // namespace

TEST_P(MergeRunTest, EveryRowWithAnAddressGetsItsOwnEmailOnce) {
    MergeRig rig(sim.baseUrl(), logs.path(), bookRows(20));
    ASSERT_TRUE(rig.openCompose(GetParam()));
    rig.write(subject, body);
    rig.click("CommandStart");
    const QJsonArray sent = sim.sent();
    ASSERT_EQ(sent.size(), 16); // rows 4, 9, 14 and 19 have no address
    EXPECT_TRUE(rig.messages.shown().first().startsWith(u"16 emails will be sent."_s));
    EXPECT_TRUE(rig.messages.shown().first().contains(u"<<Unknown>>"_s));
    int k = 0;
    for (int i = 0; i < 20; ++i) {
        if (i % 5 == 4)
            continue;
        SCOPED_TRACE(i);
        const QJsonObject message = sent[k++].toObject();
        const QString first = i % 7 == 3 ? QString() : u"Ann%1"_s.arg(i);
        EXPECT_EQ(sentField(message, GetParam(), "to"), u"p%1@example.com"_s.arg(i));
        EXPECT_EQ(sentField(message, GetParam(), "subject"), u"News for "_s + first);
        // Text areas post their line breaks as CR LF.
        EXPECT_EQ(sentField(message, GetParam(), "body"),
                  u"Dear "_s + (first.isEmpty() ? u"friend"_s : first) +
                      u" Zoë \"Q\",\r\n<b>&amp; R&D</b> ünï <<Unknown>>\r\nBye"_s);
    }
    EXPECT_EQ(rig.label(), u"Emails Sent: 16"_s);
    // The page has the message back, ready for the next run.
    const PageModel::ComposeForm &form = PageModel::composeForm(GetParam());
    EXPECT_EQ(rig.field(form.subject), subject);
    EXPECT_EQ(rig.field(form.to), QString());
}

TEST_P(MergeRunTest, TestFillsThePageAndSendsNothing) {
    MergeRig rig(sim.baseUrl(), logs.path(), bookRows(3));
    ASSERT_TRUE(rig.openCompose(GetParam()));
    rig.write(subject, body);
    rig.click("CommandTest");
    const PageModel::ComposeForm &form = PageModel::composeForm(GetParam());
    EXPECT_EQ(rig.field(form.to), u"p0@example.com"_s);
    EXPECT_EQ(rig.field(form.subject), u"News for Ann0"_s);
    EXPECT_FALSE(rig.dialog.findChild<QPushButton *>(u"CommandStart"_s)->isEnabled());
    rig.click("CommandUndoTest");
    EXPECT_EQ(rig.field(form.subject), subject);
    EXPECT_EQ(rig.field(form.to), QString());
    EXPECT_TRUE(rig.dialog.findChild<QPushButton *>(u"CommandStart"_s)->isEnabled());
    EXPECT_EQ(rig.label(), u"Emails Sent: 0"_s);
    EXPECT_TRUE(sim.sent().isEmpty());
}

TEST_P(MergeRunTest, StopWhileTheServiceAnswersCountsTheEmailAndRestores) {
    MergeRig rig(sim.baseUrl(), logs.path(), bookRows(4));
    ASSERT_TRUE(rig.openCompose(GetParam(), u"?send_delay_ms=1500"_s));
    rig.write(subject, body);
    int posts = 0;
    QObject::connect(&rig.pane, &WebPane::formPosted, &rig.dialog, [&] {
        if (++posts == 2)
            QTimer::singleShot(200, &rig.dialog, [&] { rig.click("CommandStop"); });
    });
    rig.click("CommandStart");
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(rig.label(), u"Emails Sent: 2"_s);
    EXPECT_EQ(rig.dialog.findChild<QPlainTextEdit *>(u"TextSent"_s)->toPlainText(),
              u"p0@example.com\np1@example.com"_s);
    EXPECT_EQ(rig.field(PageModel::composeForm(GetParam()).subject), subject);
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return sim.sent().size() == 2; }, 5000));
}

TEST_P(MergeRunTest, RichTextPageGivesTheFailureMessage) {
    MergeRig rig(sim.baseUrl(), logs.path(), bookRows(3));
    ASSERT_TRUE(rig.openCompose(GetParam(), u"?rich=1"_s));
    rig.click("CommandStart");
    EXPECT_EQ(rig.messages.last(), MergeRun::failureMessage());
    rig.messages.clear();
    rig.click("CommandTest");
    EXPECT_EQ(rig.messages.last(), MergeRun::failureMessage());
    EXPECT_TRUE(rig.dialog.findChild<QPushButton *>(u"CommandStart"_s)->isEnabled());
    EXPECT_TRUE(sim.sent().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Providers, MergeRunTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s));

// The child half of the kill test: a run in its own process, which the parent kills.
TEST(MergeKill, Child) {
    const QStringList args = qEnvironmentVariable("MERGE_KILL_CHILD").split(u'|');
    if (args.size() != 2)
        GTEST_SKIP() << "runs only as the child of MergeKill.ResumedRunSendsEachAddressOnce";
    MergeRig rig(args[0], args[1], bookRows(30));
    ASSERT_TRUE(rig.openCompose(u"hotmail"_s, u"?send_delay_ms=150"_s));
    rig.write(subject, body);
    rig.click("CommandStart");
}

TEST(MergeKill, ResumedRunSendsEachAddressOnce) {
    SimProcess sim;
    QTemporaryDir logs;
    ASSERT_TRUE(sim.started());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"MERGE_KILL_CHILD"_s, sim.baseUrl() + u"|"_s + logs.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=MergeKill.Child"_s});
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return sim.sent().size() >= 6; }, 60000));
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    const int before = int(sim.sent().size());
    ASSERT_LT(before, 24);

    MergeRig rig(sim.baseUrl(), logs.path(), bookRows(30));
    ASSERT_TRUE(rig.openCompose(u"hotmail"_s));
    rig.write(subject, body);
    // Skip what was sent; the address in flight is sent again only when the service never got it.
    const bool inFlightArrived = MainFormHarness::waitFor([&] { return sim.sent().size() > before; }, 500);
    const QStringList logFiles = QDir(logs.path()).entryList(QDir::Files);
    ASSERT_EQ(logFiles.size(), 1);
    if (!MergeJournal::readState(QDir(logs.path()).filePath(logFiles[0])).inFlight.empty()) {
        rig.messages.queueAnswer(Messages::Answer::Yes);
        rig.messages.queueAnswer(inFlightArrived ? Messages::Answer::No : Messages::Answer::Yes);
    }
    rig.click("CommandStart");
    QStringList addresses;
    for (const QJsonValue &message : sim.sent())
        addresses.push_back(sentField(message.toObject(), u"hotmail"_s, "to"));
    EXPECT_EQ(addresses.size(), 24);
    EXPECT_EQ(QSet<QString>(addresses.begin(), addresses.end()).size(), addresses.size());
}
