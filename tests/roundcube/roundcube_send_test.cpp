// Sending through a real Roundcube: the sent copies of the user's own sends, and mail merge. Delivery is read
// over IMAP, from a stack of its own with a hundred more users, two of them refused.
#include "mailmerge/dialog_merge.h"
#include "mailmerge/merge_journal.h"
#include "started_stack.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <csignal>

namespace {

using User = RoundcubeStack::User;
constexpr int recipients = RoundcubeStack::mergeRecipients;
const QStringList refused = RoundcubeStack::refusedRecipients();

RoundcubeStack *started = nullptr;
RoundcubeStack &stack() {
    return startedOnce(started, RoundcubeStack::mergeArguments());
}

// Alice, signed in by her stored sign-in, on the Compose tab's Roundcube compose page; her sends keep a copy.
std::unique_ptr<MainFormHarness> composing() {
    auto h = roundcubeWindow(stack(), User::Alice);
    h->settings().set(Keys::SaveSent, u"1"_s);
    if (!roundcubeComposing(*h, stack().url()))
        return nullptr;
    QTest::qWait(1000); // the tab's own clearing of the page is over before a test writes there
    return h;
}

} // namespace

// Only a send the user made and Roundcube confirmed leaves a copy; what the service refused, and a
// send the page's own script made, leave none, though the script's send arrives.
TEST(RoundcubeSend, OnlyTheUsersConfirmedSendKeepsACopy) {
    auto h = composing();
    ASSERT_TRUE(h);
    WebPane &compose = h->form().webBrowser(3);
    const QString bob = stack().login(User::Bob);
    const struct {
        const char *why;
        QString to;
        QString press; // the page's script; empty: the user's click on Send
        bool arrives;
        QString shown; // Roundcube's own words to the user
    } cases[] = {
        {"the user's send", bob, {}, true, {}},
        {"a refused recipient", refused[0], {}, false, u"SMTP Error (550)"_s},
        {"no recipient", {}, {}, false, u"Please enter at least one recipient."_s},
        {"a script's click on Send", bob, u"document.querySelector('button.send').click()"_s, true, {}},
        {"a script's submit", bob, u"document.forms.form.submit()"_s, true, {}},
    };
    int arrived = int(stack().mailbox(User::Bob).size());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const QString subject = u"Send: "_s + QString::fromLatin1(c.why);
        ASSERT_TRUE(RoundcubeCompose::loadCompose(compose, stack().url()));
        RoundcubeCompose::write(compose, c.to, subject, u"First line\nsecond line"_s);
        if (!c.press.isEmpty())
            RoundcubeCompose::pageScript(compose, c.press);
        else
            ASSERT_TRUE(MainFormHarness::clickElement(compose, u"button.send"_s));
        EXPECT_TRUE(MainFormHarness::waitFor(
            [&] { return compose.bodyText().value_or(QString()).contains(c.shown); }));
        QJsonArray inbox;
        const bool came = MainFormHarness::waitFor(
            [&] { return (inbox = stack().mailbox(User::Bob)).size() > arrived; }, c.arrives ? 60000 : 1000);
        EXPECT_EQ(came, c.arrives);
        arrived = int(inbox.size());
        QTest::qWait(500); // the answer is in: a copy it made would be written by now
        // The user's send, the first, made the one copy there is.
        const QStringList copies =
            QDir(h->mainDir() + u"savedmgs/sent"_s).entryList({u"*.htm"_s}, QDir::Files);
        ASSERT_EQ(copies.size(), 1) << copies.join(u' ').toStdString();
        if (&c != cases)
            continue;
        const auto copy = SavedMessageFile::read(
            TextFile::readAll(h->mainDir() + u"savedmgs/sent/"_s + copies[0]).value_or(""));
        ASSERT_TRUE(copy);
        const QJsonObject got = inbox.last().toObject();
        EXPECT_EQ(copy->to, got[u"to"_s].toString());
        EXPECT_EQ(copy->subject, got[u"subject"_s].toString());
        EXPECT_EQ(copy->body, u"First line<br>\r\nsecond line"_s);
        EXPECT_EQ(got[u"body"_s].toString().trimmed().replace(u"\r\n"_s, u"\n"_s),
                  u"First line\nsecond line"_s);
    }
}

namespace {

const QString mergeSubject = u"Merge for <<Name>>"_s;

// A compose pane signed in as Alice with a merge message, its merge run and dialog, as the merge
// tests against webmail-sim build them; the book's row n goes to rN+1.
struct MergeRig {
    MergeRig(const QString &url, const QString &login, const QString &password, const QString &logFolder)
        : run(pane)
        , dialog({run, messages, [] {}, [] { return book(); }, [] { return std::make_pair(-1, -1); },
                  [] { return u"/club.csv"_s; }, logFolder, [] {}, [](int, int, const QString &) {},
                  [] { return 0; }, [](int) {}, [] { return 20; }}) {
        run.setRecordedService([] { return WebServices::roundcube; });
        messages.setFallbackAnswer(Messages::Answer::Yes);
        pane.resize(1200, 800);
        pane.show();
        signedIn = RoundcubeCompose::signIn(pane, url, login, password);
        RoundcubeCompose::write(pane, {}, mergeSubject, u"Dear <<Name>>,\nthe club meets on Friday."_s);
    }
    static MergePlan::Book book() {
        return {{u"Name"_s, u"Email"_s}, 1, recipients, [](int row) {
                    return QStringList{u"Member %1"_s.arg(row + 1), RoundcubeStack::recipient(row + 1)};
                }};
    }
    QString log() const { return dialog.findChild<QPlainTextEdit *>(u"TextSent"_s)->toPlainText(); }

    RecordingMessages messages;
    WebPane pane;
    MergeRun run;
    DialogMerge dialog;
    bool signedIn = false;
};

// The run's journal in `folder` (empty before the run has made it), and its lines so far.
QString journalFile(const QString &folder) {
    return QDir(folder).entryInfoList(QDir::Files).value(0).filePath();
}
QStringList journal(const QString &folder) {
    return QString::fromUtf8(TextFile::readAll(journalFile(folder)).value_or("")).split(u"\r\n"_s);
}

} // namespace

// A hundred emails, two to addresses the service refuses; the run is killed at the fiftieth and
// started again: every other address has exactly one email, and the two are reported, not sent.
TEST(RoundcubeSend, AMergeKilledAndResumedSendsEachAddressOnce) {
    if (const QStringList child = qEnvironmentVariable("RC_MERGE_CHILD").split(u'|'); child.size() == 4) {
        MergeRig rig(child[0], child[1], child[2], child[3]);
        if (rig.signedIn)
            rig.dialog.findChild<QPushButton *>(u"CommandStart"_s)->click();
        std::_Exit(0);
    }
    QTemporaryDir logs, profile;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"RC_MERGE_CHILD"_s, QStringList{stack().url(), stack().login(User::Alice),
                                                stack().password(User::Alice), logs.path()}
                                        .join(u'|'));
    env.insert(u"XDG_DATA_HOME"_s, profile.path()); // a web profile of its own
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=RoundcubeSend.AMerge*"_s});
    ASSERT_TRUE(MainFormHarness::waitFor(
        [&] { return journal(logs.path()).filter(QRegularExpression(u"^sending\t49\t"_s)).size() == 1; },
        300000));
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished();
    // The two refusals come before and after the kill.
    EXPECT_EQ(journal(logs.path()).filter(u"refused\t6\t"_s).size(), 1);

    MergeRig rig(stack().url(), stack().login(User::Alice), stack().password(User::Alice), logs.path());
    ASSERT_TRUE(rig.signedIn) << rig.pane.locationUrl().toStdString();
    QStringList everyone;
    for (int n = 1; n <= recipients; ++n)
        everyone << RoundcubeStack::recipient(n);
    // The email the kill cut short is sent again only when it never arrived.
    const MergeLog::State earlier = MergeJournal::readState(journalFile(logs.path()));
    rig.messages.queueAnswer(Messages::Answer::Yes);
    if (!earlier.unknown.empty()) {
        const QString address = earlier.unknown[0].address;
        const bool arrived = !stack().inboxSubjects({address})[address].toArray().isEmpty();
        rig.messages.queueAnswer(arrived ? Messages::Answer::No : Messages::Answer::Yes);
    }
    if (qEnvironmentVariableIsSet("CORVALIS_SCREENSHOTS"))
        QObject::connect(&rig.run, &MergeRun::emailSent, &rig.pane, [&](int total) {
            if (total == 3)
                rig.pane.grab().save(qEnvironmentVariable("CORVALIS_SCREENSHOTS") + u"/rc-merge.png"_s);
        });
    rig.dialog.findChild<QPushButton *>(u"CommandStart"_s)->click();

    const QJsonObject inboxes = stack().inboxSubjects(everyone);
    for (int n = 1; n <= recipients; ++n) {
        const QString address = RoundcubeStack::recipient(n);
        SCOPED_TRACE(address.toStdString());
        const QJsonArray got = inboxes[address].toArray();
        if (refused.contains(address)) {
            EXPECT_TRUE(got.isEmpty());
            EXPECT_TRUE(rig.log().contains(u"refused "_s + address)) << rig.log().toStdString();
        } else {
            EXPECT_EQ(got.size(), 1);
            EXPECT_EQ(got.first().toString(), u"Merge for Member %1"_s.arg(n));
        }
    }
    const MergeLog::State state = MergeJournal::readState(journalFile(logs.path()));
    EXPECT_EQ(state.confirmed.size() + state.unknown.size(), size_t(recipients - refused.size()));
    EXPECT_EQ(journal(logs.path()).filter(QRegularExpression(u"^sent\t(6|59)\t"_s)).size(), 0);
}
