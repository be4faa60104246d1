// Mail merge runs and email templates against webmail-sim through a real compose pane.
#include "mailmerge/dialog_merge.h"
#include "mailmerge/dialog_template.h"
#include "mailmerge/merge_journal.h"
#include "mailmerge/merge_run.h"
#include "main_form_harness.h"
#include "shell/settings_panel.h"

#include <csignal>

namespace {

const QString subject = u"News for <<first>>"_s;
const QString body = u"Dear <<First|friend>> <<LAST>>,\r\n<<Note>> <<Unknown>>\r\nBye"_s;

// Every fifth row has no address and every seventh no first name.
std::vector<QStringList> bookRows(int count) {
    std::vector<QStringList> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({i % 7 == 3 ? QString() : u"Ann%1"_s.arg(i), u"Zoë \"Q\""_s,
                        i % 5 == 4 ? QString() : u"p%1@example.com"_s.arg(i), u"<b>&amp; R&D</b> ünï"_s});
    return rows;
}

const auto noSelection = [] { return std::pair{-1, -1}; };
// Each wait of a run here ends after 3 s, so that a service that fails costs a test little.
constexpr int timeLimitSeconds = 3;

struct MergeRig {
    MergeRig(const QString &base, const QString &logFolder, int rowCount, const QString &provider,
             const QString &query = {})
        : rows(bookRows(rowCount))
        , form(PageModel::composeForm(provider))
        , run(pane)
        , dialog({run, messages, [] {}, [this] { return book(); }, noSelection, [] { return u"/b.csv"_s; },
                  logFolder, [] {}, [](int, int, const QString &) {}, [] { return 0; }, [](int) {},
                  [] { return timeLimitSeconds; }}) {
        messages.setFallbackAnswer(Messages::Answer::Yes);
        pane.navigate(base + u"/"_s + provider + u"/compose"_s + query);
        loaded = MainFormHarness::waitForPage(pane, u"compose"_s) &&
                 MainFormHarness::waitFor([this] { return !pane.busy(); }) &&
                 (query == u"?rich=1"_s || (pane.setFormFieldValue(form.form, form.subject, subject) &&
                                            pane.setFormFieldValue(form.form, form.body, body)));
    }
    MergePlan::Book book() {
        const auto row = [this](int r) { return rows[r]; };
        return {{u"First"_s, u"Last"_s, u"Email"_s, u"Note"_s}, 2, int(rows.size()), row};
    }
    QString field(const QString &name) { return pane.formFieldValue(form.form, name).value_or(u"-"_s); }
    void click(const char *name) { dialog.findChild<QPushButton *>(QString::fromLatin1(name))->click(); }
    QString label() { return dialog.findChild<QLabel *>(u"LabelNumSent"_s)->text(); }
    bool startEnabled() { return dialog.findChild<QPushButton *>(u"CommandStart"_s)->isEnabled(); }

    std::vector<QStringList> rows;
    PageModel::ComposeForm form;
    RecordingMessages messages;
    WebPane pane;
    MergeRun run;
    DialogMerge dialog;
    bool loaded = false;
};

// Answers a resumed run: skip the sent; resend the unanswered address (returned) if the service never got it.
QString answerResume(MergeRig &rig, const SimProcess &sim, const QString &logFolder) {
    const QFileInfoList logs = QDir(logFolder).entryInfoList(QDir::Files);
    const MergeLog::State earlier =
        logs.isEmpty() ? MergeLog::State() : MergeJournal::readState(logs[0].filePath());
    if (!earlier.confirmed.empty())
        rig.messages.queueAnswer(Messages::Answer::Yes);
    if (earlier.unknown.empty())
        return {};
    const QString address = earlier.unknown[0].address;
    rig.messages.queueAnswer(sim.sentFields({u"to"_s}).contains(address) ? Messages::Answer::No
                                                                         : Messages::Answer::Yes);
    return address;
}

class MergeRunTest : public ::testing::TestWithParam<QString> {
protected:
    SimProcess sim;
    QTemporaryDir logs;
};

} // namespace

TEST_P(MergeRunTest, EveryRowWithAnAddressGetsItsOwnEmail) {
    MergeRig rig(sim.baseUrl(), logs.path(), 20, GetParam());
    ASSERT_TRUE(rig.loaded);
    rig.click("CommandStart");
    EXPECT_TRUE(rig.messages.shown().first().startsWith(u"16 emails will be sent."_s));
    QStringList expected; // rows 4, 9, 14 and 19 have no address
    for (const QStringList &row : rig.rows)
        if (const QString &first = row[0]; !row[2].isEmpty())
            expected << u"%1|News for %2|Dear %3 Zoë \"Q\",\r\n<b>&amp; R&D</b> ünï <<Unknown>>\r\nBye"_s.arg(
                row[2], first, first.isEmpty() ? u"friend"_s : first);
    EXPECT_EQ(sim.sentFields({rig.form.to, rig.form.subject, rig.form.body}), expected);
    EXPECT_EQ(rig.label() + u'|' + rig.field(rig.form.subject) + u'|' + rig.field(rig.form.to),
              u"Emails Sent: 16|"_s + subject + u'|');
}

TEST_P(MergeRunTest, TestSendsNothingAndStopDuringASendCountsItAndRestores) {
    MergeRig rig(sim.baseUrl(), logs.path(), 4, GetParam(), u"?send_delay_ms=1500"_s);
    ASSERT_TRUE(rig.loaded);
    rig.click("CommandTest");
    EXPECT_EQ(rig.field(rig.form.to) + u'|' + rig.field(rig.form.subject), u"p0@example.com|News for Ann0"_s);
    EXPECT_FALSE(rig.startEnabled());
    rig.click("CommandUndoTest");
    EXPECT_EQ(rig.field(rig.form.subject), subject);
    EXPECT_TRUE(sim.sent().isEmpty());

    // Stop pressed while the service is still answering the second send.
    int posts = 0;
    QObject::connect(&rig.pane, &WebPane::formPosted, &rig.dialog, [&] {
        if (++posts == 2)
            QTimer::singleShot(200, &rig.dialog, [&] { rig.click("CommandStop"); });
    });
    rig.click("CommandStart");
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(rig.label() + u'|' + rig.dialog.findChild<QPlainTextEdit *>(u"TextSent"_s)->toPlainText() +
                  u'|' + rig.field(rig.form.subject),
              u"Emails Sent: 2|p0@example.com\np1@example.com|"_s + subject);
    EXPECT_TRUE(rig.startEnabled());
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return sim.sent().size() == 2; }, 5000));
}

TEST_P(MergeRunTest, RichTextPageGivesTheFailureMessage) {
    MergeRig rig(sim.baseUrl(), logs.path(), 3, GetParam(), u"?rich=1"_s);
    ASSERT_TRUE(rig.loaded);
    rig.click("CommandStart");
    EXPECT_EQ(rig.messages.last(), MergeRun::failureMessage());
    EXPECT_TRUE(rig.startEnabled());
    EXPECT_TRUE(sim.sent().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Providers, MergeRunTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s));

// The service fails mid-run, in each way, or the program is killed: the run stops in its time limit naming
// the address whose answer was missing, and after resuming every address has exactly one email.
using MergeFailureTest = MergeRunTest;

TEST_P(MergeFailureTest, StopAndResumeSendEveryAddressExactlyOnce) {
    const bool killed = GetParam() == u"kill"_s;
    if (const QStringList args = qEnvironmentVariable("MERGE_KILL_CHILD").split(u'|'); args.size() == 2) {
        sim.stop(); // the parent's service is the one sent to
        MergeRig rig(args[0], args[1], 200, u"hotmail"_s, u"?send_delay_ms=150"_s);
        if (rig.loaded)
            rig.click("CommandStart");
        std::_Exit(0);
    }
    if (killed) { // this test started again as a process of its own, killed mid-run
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"MERGE_KILL_CHILD"_s, sim.baseUrl() + u"|"_s + logs.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=*MergeFailureTest.*kill"_s});
        ASSERT_TRUE(MainFormHarness::waitFor([&] { return sim.sent().size() >= 6; }, 60000));
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished();
        // A post in flight when the child died reaches the service within its delay, if at all.
        const qsizetype before = sim.sent().size();
        MainFormHarness::waitFor([&] { return sim.sent().size() > before; }, 500);
    }
    MergeRig rig(sim.baseUrl(), logs.path(), 200, u"hotmail"_s);
    ASSERT_TRUE(rig.loaded);
    // Two sends fail: the browser itself posts a dropped send once more on a new connection.
    if (!killed)
        sim.get(u"/_sim/fail?sends=2&after=40&how="_s + GetParam());
    // A run that makes no progress for ten times its time limit is stopped: it hung.
    bool hung = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    watchdog.setInterval(10 * timeLimitSeconds * 1000);
    QObject::connect(&watchdog, &QTimer::timeout, &rig.dialog, [&] {
        hung = true;
        rig.run.stop();
    });
    QObject::connect(&rig.run, &MergeRun::emailSent, &watchdog, qOverload<>(&QTimer::start));
    int starts = 0;
    for (; starts < 5 && !hung && sim.sent().size() < 160; ++starts) {
        // The address whose answer was missing is named in the message that stopped the run.
        const QString unknown = answerResume(rig, sim, logs.path());
        EXPECT_TRUE(starts == 0 || rig.messages.last().contains(unknown))
            << rig.messages.last().toStdString();
        watchdog.start();
        rig.click("CommandStart");
        watchdog.stop();
    }
    EXPECT_FALSE(hung);
    EXPECT_GE(starts, killed ? 1 : 2) << "the run never stopped";
    const QStringList sent = sim.sentFields({u"to"_s});
    EXPECT_EQ(sent.size(), 160);
    EXPECT_EQ(QSet<QString>(sent.begin(), sent.end()).size(), 160);
}

INSTANTIATE_TEST_SUITE_P(Ways, MergeFailureTest, ::testing::Values(u"500"_s, u"drop"_s, u"hang"_s, u"kill"_s),
                         [](const auto &info) { return info.param.toStdString(); });

namespace {

class TemplateWindowTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override {
        ASSERT_EQ(TemplateFile::write(h.mainDir() + u"templates/Yesterday.txt"_s, {u"Old"_s, u"Old"_s}),
                  QString());
        ASSERT_TRUE(h.start());
        ASSERT_TRUE(h.openCompose(GetParam()));
    }
    WebPane &compose() { return h.form().webBrowser(3); }
    QString field(const QString &name) { return compose().formFieldValue(form.form, name).value_or(u"-"_s); }
    void write(const QString &subject, const QString &body) {
        ASSERT_TRUE(compose().setFormFieldValue(form.form, form.subject, subject));
        ASSERT_TRUE(compose().setFormFieldValue(form.form, form.body, body));
    }

    MainFormHarness h;
    PageModel::ComposeForm form = PageModel::composeForm(GetParam());
};

} // namespace

TEST_P(TemplateWindowTest, CaptureSaveAndUseTemplate) {
    auto *combo = h.child<QComboBox>("ComboTemplate");
    QComboBox *defaultCombo = h.form().settingsPanel()->comboTemplate2();
    emit defaultCombo->activated(0); // chosen as the default: Yesterday.txt, the one template
    EXPECT_EQ(combo->currentText(), u"Yesterday.txt"_s);
    write(u"Spring offer"_s, u"Dear <<First>>,\nR&D <ünï>"_s);
    // The compose frame's button opens the dialog modally; the work is done inside it.
    h.driveDialog<DialogTemplate>(
        "DialogTemplate", [&] { h.child<QPushButton>("CommandTemplate")->click(); },
        [&](DialogTemplate &dialog) {
            dialog.findChild<QPushButton *>(u"Command3"_s)->click();
            auto *subject = dialog.findChild<QLineEdit *>(u"Text1"_s);
            auto *body = dialog.findChild<QPlainTextEdit *>(u"Text2"_s);
            EXPECT_EQ(subject->text() + u'|' + body->toPlainText(),
                      u"Spring offer|Dear <<First>>,\nR&D <ünï>"_s);
            // A name that leaves the folder is refused (the name rules are the template file's).
            auto *name = dialog.findChild<QComboBox *>(u"Combo1"_s);
            name->setEditText(u"../Offer"_s);
            EXPECT_FALSE(dialog.OKButton_Click());
            EXPECT_EQ(h.messages().last(), TemplateFile::nameErrorMessage(TemplateFile::NameError::Unsafe));
            name->setEditText(u"Offer"_s);
            EXPECT_TRUE(dialog.OKButton_Click());
            EXPECT_TRUE(dialog.OKButton_Click()); // saved twice, listed once
            // Closing with unsaved changes and choosing Cancel keeps the dialog and its text.
            body->appendPlainText(u"PS"_s);
            h.messages().queueAnswer(Messages::Answer::Cancel);
            dialog.reject();
            EXPECT_EQ(h.messages().last(), DialogTemplate::saveQuestion());
            EXPECT_TRUE(dialog.isVisible());
            dialog.reject(); // No: closes unsaved
        });
    EXPECT_EQ(combo->count() + defaultCombo->count(), 4); // the file itself, the workflow test's

    // "Use Template" puts the chosen one back.
    write(QString(), QString());
    combo->setCurrentIndex(combo->findText(u"Offer.txt"_s));
    h.child<QPushButton>("Command4")->click();
    EXPECT_EQ(field(form.subject) + u'|' + field(form.body), u"Spring offer|Dear <<First>>,\nR&D <ünï>\n"_s);
}

TEST_P(TemplateWindowTest, MergeFromTheComposeFrameUsesPlainTitlesOfASortedBook) {
    const QString book = h.mainDir() + u"addrbooks/club.csv"_s;
    ASSERT_TRUE(
        TextFile::writeAtomically(book, "First,Last,Email,\r\nBea,B,bea@x.org,\r\nAl,A,al@x.org,\r\n").ok);
    h.openBook(book);
    h.form().findChild<AddressBookController *>()->book().model().sortPress(0); // the title shows "^ First"
    write(u"Hi <<First>>"_s, u"Body"_s);
    h.child<QPushButton>("Command5")->click();
    auto *merge = h.child<DialogMerge>("DialogMerge");
    ASSERT_TRUE(merge && merge->isVisible());
    h.messages().setFallbackAnswer(Messages::Answer::Yes);
    merge->findChild<QPushButton *>(u"CommandStart"_s)->click();
    EXPECT_EQ(h.sim().sentFields({form.to, form.subject}),
              (QStringList{u"al@x.org|Hi Al"_s, u"bea@x.org|Hi Bea"_s}));
    merge->close();
}

INSTANTIATE_TEST_SUITE_P(Providers, TemplateWindowTest, ::testing::Values(u"hotmail"_s, u"yahoo"_s));
