// Corvalis on a real Roundcube (with Dovecot and Postfix), one private stack for the whole run, as
// a user meets it: the stored sign-in and a typed one, the list ticked for Roundcube's own Delete,
// messages saved with Save Msg, a session kept from one window to the next. Outcomes are read
// where they land: the mailboxes over IMAP, the saved files, the settings file.
#include "../integration/main_form_harness.h"

#include "support/roundcube_stack.h"
#include "webpages/services/web_service.h"
#include "webpages/sign_in_controller.h"
#include "webpages/web_profile.h"

#include <QJsonObject>
#include <QTextDocumentFragment>

namespace {

using User = RoundcubeStack::User;
RoundcubeStack *stack = nullptr;

class StackEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        stack = new RoundcubeStack;
        ASSERT_TRUE(stack->started());
    }
    void TearDown() override { delete std::exchange(stack, nullptr); }
};
const auto *environment = ::testing::AddGlobalTestEnvironment(new StackEnvironment);

// A window whose recorded service is the stack's Roundcube, signed out, with `user`'s stored
// sign-in (password `password`) to be used by itself when `autoLogin`.
std::unique_ptr<MainFormHarness> window(User user, const QString &password, bool autoLogin = true) {
    WebProfile::forgetSites();
    auto h = std::make_unique<MainFormHarness>();
    h->settings().set(Keys::ServiceUrl, stack->url());
    h->settings().set(Keys::Service, WebServices::roundcube);
    h->settings().set(Keys::Email, stack->login(user));
    h->settings().set(Keys::Pw, password);
    h->settings().set(Keys::AutoLogin, autoLogin ? u"1"_s : u"0"_s);
    return h;
}

WebPane &pane(MainFormHarness &h) {
    return h.form().webBrowser(1);
}

// The message list has its rows (they arrive after the page).
bool listShown(MainFormHarness &h) {
    return MainFormHarness::waitFor([&] {
        return MainFormHarness::runPageScript(pane(h), u"document.querySelectorAll('tr.message').length"_s)
                   .toInt() > 0;
    });
}

int refusals(MainFormHarness &h) {
    return int(h.messages().shown().count(SignInController::refusedMessage()));
}

TEST(Roundcube, TheStoredSignInSignsInAndARefusedOneIsToldOnceAndKept) {
    for (const QString &password : {stack->password(User::Alice), u"wrong"_s}) {
        const bool right = password != u"wrong"_s;
        auto h = window(User::Alice, password);
        ASSERT_TRUE(h->start(stack->url()));
        if (right) {
            EXPECT_TRUE(listShown(*h));
        } else {
            EXPECT_TRUE(MainFormHarness::waitFor([&] { return refusals(*h) > 0; }));
            QTest::qWait(3000); // the login page is not submitted again
            EXPECT_EQ(refusals(*h), 1);
        }
        EXPECT_EQ(h->settings().get(Keys::Pw), password);
    }
}

TEST(Roundcube, ASignInTypedOnTheLoginPageIsStoredOnceTheServiceTakesIt) {
    auto h = window(User::Bob, QString());
    h->settings().set(Keys::Email, QString());
    ASSERT_TRUE(h->start(stack->url()));
    ASSERT_TRUE(MainFormHarness::waitFor(
        [&] { return pane(*h).formFieldValue(u"login-form"_s, u"_user"_s).has_value(); }));
    const QString values = u"['%1', '%2']"_s.arg(stack->login(User::Bob), stack->password(User::Bob));
    MainFormHarness::runPageScript(pane(*h),
                                   u"['_user', '_pass'].forEach((name, i) => {"
                                   u" document.forms['login-form'].elements[name].focus();"
                                   u" document.execCommand('insertText', false, %1[i]); })"_s.arg(values));
    ASSERT_TRUE(MainFormHarness::clickElement(pane(*h), u"#rcmloginsubmit"_s));
    EXPECT_TRUE(listShown(*h));
    EXPECT_TRUE(
        MainFormHarness::waitFor([&] { return h->settings().get(Keys::Pw) == stack->password(User::Bob); }));
    EXPECT_EQ(h->settings().get(Keys::Email), stack->login(User::Bob));
}

TEST(Roundcube, TheStoredPasswordNeverReachesAnotherPageOfTheHost) {
    const QByteArray lookalike = "<form id=\"login-form\" name=\"login-form\" method=\"post\">"
                                 "<input name=\"_user\"><input name=\"_pass\" type=\"password\"></form>";
    ASSERT_TRUE(stack->putTestPage(u"login.html"_s, lookalike));
    auto h = window(User::Alice, stack->password(User::Alice));
    ASSERT_TRUE(h->start(stack->url()));
    ASSERT_TRUE(listShown(*h));
    ASSERT_TRUE(h->load(pane(*h), stack->url() + u"/corvalis-test/login.html"_s));
    QTest::qWait(2500); // longer than the login page's second look
    EXPECT_EQ(pane(*h).formFieldValue(u"login-form"_s, u"_pass"_s), QString());
    EXPECT_EQ(stack->testPagePosts(), QString());
}

// The uid of each message of a mailbox as IMAP lists them.
QList<int> uids(const QJsonArray &mailbox) {
    QList<int> out;
    for (const QJsonValue &m : mailbox)
        out << m[u"uid"_s].toInt();
    return out;
}

TEST(Roundcube, TickRangeSelectsForRoundcubesOwnDelete) {
    auto h = window(User::Bob, stack->password(User::Bob));
    ASSERT_TRUE(h->start(stack->url()));
    ASSERT_TRUE(listShown(*h));
    const QList<int> before = uids(stack->mailbox(User::Bob));
    // The user picks the second row, Ctrl-picks the fourth, and ticks the run between them.
    const auto rowBox = [](int row) {
        return u"#messagelist tbody tr.message:nth-child(%1) td.subject"_s.arg(row);
    };
    ASSERT_TRUE(MainFormHarness::clickElement(pane(*h), rowBox(2)));
    QTest::qWait(500);
    const QVariant fourth = MainFormHarness::runPageScript(
        pane(*h), u"(() => { const r = document.querySelector('%1').getBoundingClientRect();"
                  u" return [r.x + r.width / 2, r.y + r.height / 2]; })()"_s.arg(rowBox(4)));
    QTest::mouseClick(pane(*h).focusProxy(), Qt::LeftButton, Qt::ControlModifier,
                      QPoint(fourth.toList()[0].toInt(), fourth.toList()[1].toInt()));
    QTest::qWait(500);
    EXPECT_EQ(h->userStep(u"Inbox>Tick Range"_s), QString());
    const auto selected = [&] {
        return MainFormHarness::runPageScript(
                   pane(*h),
                   u"Array.from(document.querySelectorAll('tr.message')).map(r => r.classList.contains('selected'))"_s)
            .toList();
    };
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return selected().count(true) == 3; }))
        << selected().count(true);
    if (qEnvironmentVariableIsSet("CORVALIS_SCREENSHOTS"))
        h->form().grab().save(qEnvironmentVariable("CORVALIS_SCREENSHOTS") + u"/rc-inbox.png"_s);
    ASSERT_TRUE(MainFormHarness::clickElement(pane(*h), u"a.button.delete"_s));
    const QList<int> gone{before[1], before[2], before[3]};
    QList<int> after;
    EXPECT_TRUE(MainFormHarness::waitFor(
        [&] { return (after = uids(stack->mailbox(User::Bob))).size() == before.size() - 3; }));
    for (int uid : gone)
        EXPECT_FALSE(after.contains(uid)) << uid;
}

// Text as a reader sees it: markup read as HTML, blanks collapsed.
QString seen(const QString &text, bool html) {
    return (html ? QTextDocumentFragment::fromHtml(text).toPlainText() : text).simplified();
}

TEST(Roundcube, SaveMsgKeepsEachMessageAsTheMailboxHoldsIt) {
    auto h = window(User::Alice, stack->password(User::Alice));
    ASSERT_TRUE(QDir(h->mainDir()).mkpath(u"savedmgs/Captures"_s));
    ASSERT_TRUE(h->start(stack->url()));
    ASSERT_TRUE(listShown(*h));
    auto *folders = h->child<QComboBox>("ComboFolders");
    folders->setCurrentIndex(folders->findText(u"Captures"_s));
    QDir folder(h->mainDir() + u"savedmgs/Captures"_s);
    const QJsonArray mailbox = stack->mailbox(User::Alice);
    ASSERT_EQ(mailbox.size(), 15);
    for (const QJsonValue &m : mailbox) {
        SCOPED_TRACE(m[u"subject"_s].toString().toStdString());
        for (const QString &name : folder.entryList(QDir::Files))
            folder.remove(name);
        ASSERT_TRUE(h->load(pane(*h), stack->url() + u"/?_task=mail&_mbox=INBOX&_uid=%1&_action=show"_s.arg(
                                                         m[u"uid"_s].toInt())));
        h->child<QPushButton>("GetBody")->click();
        const QStringList files = folder.entryList(QDir::Files);
        ASSERT_EQ(files.size(), 1) << h->messages().last().toStdString();
        const auto saved = SavedMessageFile::read(TextFile::readAll(folder.filePath(files[0])).value_or(""));
        ASSERT_TRUE(saved);
        const QString replyTo = m[u"reply-to"_s].toString();
        EXPECT_EQ(saved->from, m[u"from"_s].toString());
        EXPECT_EQ(saved->replyTo, replyTo.isEmpty() ? m[u"from"_s].toString() : replyTo);
        EXPECT_EQ(saved->to, m[u"to"_s].toString());
        EXPECT_EQ(saved->cc, m[u"cc"_s].toString());
        EXPECT_EQ(saved->date, m[u"date"_s].toString());
        EXPECT_EQ(saved->subject, m[u"subject"_s].toString());
        EXPECT_EQ(seen(saved->body, true), seen(m[u"body"_s].toString(), m[u"html"_s].toBool()));
        if (m[u"uid"_s].toInt() == 6 && qEnvironmentVariableIsSet("CORVALIS_SCREENSHOTS")) {
            h->browse(u"Captures"_s);
            h->clickMessage(0);
            QTest::qWait(1500);
            h->form().grab().save(qEnvironmentVariable("CORVALIS_SCREENSHOTS") + u"/rc-saved.png"_s);
            h->form().tabs().select(TabNavigator::InboxLogin);
        }
    }
}

TEST(Roundcube, ASessionOutlastsItsWindowUntilTheUserForgetsIt) {
    {
        auto first = window(User::Alice, stack->password(User::Alice));
        ASSERT_TRUE(first->start(stack->url()));
        ASSERT_TRUE(listShown(*first));
    }
    MainFormHarness h;
    h.settings().set(Keys::ServiceUrl, stack->url());
    h.settings().set(Keys::Service, WebServices::roundcube);
    ASSERT_TRUE(h.start(stack->url()));
    EXPECT_TRUE(listShown(h));
    h.messages().queueAnswer(Messages::Answer::Yes);
    h.form().tabs().select(TabNavigator::SettingsTab);
    EXPECT_EQ(h.userStep(u"CommandForgetWeb"_s), QString());
    ASSERT_TRUE(h.load(pane(h), stack->url()));
    EXPECT_TRUE(pane(h).formFieldValue(u"login-form"_s, u"_pass"_s).has_value());
}

} // namespace
