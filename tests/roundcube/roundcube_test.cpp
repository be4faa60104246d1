// Corvalis on a real Roundcube (with Dovecot and Postfix), one private stack for the whole run, as
// a user meets it: the stored sign-in, kept from a page of another path, and messages saved with
// Save Msg. Outcomes are read where they land: the mailboxes over IMAP, the saved files, the
// settings file.
#include "../integration/main_form_harness.h"

#include "support/roundcube_stack.h"
#include "webpages/services/web_service.h"
#include "webpages/sign_in_controller.h"
#include "webpages/web_profile.h"

#include <QJsonObject>
#include <QTextDocumentFragment>

#include <set>

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

TEST(Roundcube, TheStoredSignInSignsIn) {
    auto h = window(User::Alice, stack->password(User::Alice));
    ASSERT_TRUE(h->start(stack->url())) << pane(*h).locationUrl().toStdString();
    EXPECT_TRUE(listShown(*h));
    EXPECT_EQ(h->settings().get(Keys::Pw), stack->password(User::Alice));
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

TEST(Roundcube, AWrongStoredPasswordIsToldOnceAndNotTriedAgain) {
    const int posts = stack->loginPosts();
    auto h = window(User::Alice, u"not-the-password"_s);
    ASSERT_TRUE(h->start(stack->url()));
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return !h->messages().shown().isEmpty(); }));
    QTest::qWait(3000); // longer than the login page's second look
    EXPECT_EQ(h->messages().shown(), QStringList{SignInController::refusedMessage()});
    EXPECT_EQ(stack->loginPosts() - posts, 1);
    EXPECT_TRUE(pane(*h).bodyText().value_or(QString()).contains(u"Login failed."_s));
    EXPECT_EQ(h->settings().get(Keys::Pw), u"not-the-password"_s);
}

TEST(Roundcube, ASignInTypedOnTheLoginPageIsKeptForTheNextStart) {
    auto h = window(User::Bob, QString());
    h->settings().set(Keys::Email, QString());
    ASSERT_TRUE(h->start(stack->url()));
    for (const auto &[field, text] : {std::pair{"#rcmloginuser", stack->login(User::Bob)},
                                      std::pair{"#rcmloginpwd", stack->password(User::Bob)}}) {
        ASSERT_TRUE(MainFormHarness::clickElement(pane(*h), QString::fromLatin1(field)));
        QTest::keyClicks(pane(*h).focusProxy(), text);
    }
    QTest::keyClick(pane(*h).focusProxy(), Qt::Key_Return);
    ASSERT_TRUE(listShown(*h));
    EXPECT_EQ(h->settings().get(Keys::Email), stack->login(User::Bob));
    EXPECT_EQ(h->settings().get(Keys::Pw), stack->password(User::Bob));
    // What the settings file keeps signs in by itself, on a profile that has forgotten the session.
    const QString kept = h->settings().get(Keys::Pw);
    h.reset();
    auto next = window(User::Bob, kept);
    ASSERT_TRUE(next->start(stack->url()));
    EXPECT_TRUE(listShown(*next));
}

TEST(Roundcube, ASecondWindowOnTheProfileFindsTheSessionSignedIn) {
    auto h = window(User::Alice, stack->password(User::Alice));
    ASSERT_TRUE(h->start(stack->url()));
    ASSERT_TRUE(listShown(*h));
    const int posts = stack->loginPosts();
    h.reset();
    MainFormHarness next; // nothing stored to sign in with
    next.settings().set(Keys::ServiceUrl, stack->url());
    next.settings().set(Keys::Service, WebServices::roundcube);
    ASSERT_TRUE(next.start(stack->url()));
    EXPECT_TRUE(listShown(next));
    EXPECT_EQ(stack->loginPosts(), posts);
    // Settings' button forgets the session: the inbox asks for a sign-in again.
    next.messages().queueAnswer(Messages::Answer::Yes);
    next.form().tabs().select(TabNavigator::SettingsTab);
    ASSERT_EQ(next.userStep(u"CommandForgetWeb"_s), QString());
    next.form().tabs().select(TabNavigator::InboxLogin);
    // The cookies go in the background: the inbox is asked for again until they have.
    EXPECT_TRUE(MainFormHarness::waitFor(
        [&] {
            next.load(pane(next), stack->url() + u"/?_task=mail"_s);
            return MainFormHarness::runPageScript(pane(next), u"!!document.getElementById('rcmloginuser')"_s)
                .toBool();
        },
        30000));
}

TEST(Roundcube, TheWelcomePageRecordsRoundcubeAsTheService) {
    WebProfile::forgetSites();
    MainFormHarness h;
    h.settings().set(Keys::ServiceUrl, QString()); // asked for on the welcome page
    h.settings().set(Keys::AutoLogin, u"1"_s);
    ASSERT_TRUE(h.start());
    for (const auto &[field, text] :
         {std::pair{"#email", stack->login(User::Bob)}, std::pair{"#password", stack->password(User::Bob)},
          std::pair{"#service", stack->url()}}) {
        ASSERT_TRUE(MainFormHarness::clickElement(h.form().webBrowser(1), QString::fromLatin1(field)));
        QTest::keyClicks(h.form().webBrowser(1).focusProxy(), text);
    }
    QTest::keyClick(h.form().webBrowser(1).focusProxy(), Qt::Key_Tab);
    QTest::keyClick(h.form().webBrowser(1).focusProxy(), Qt::Key_Down); // Roundcube
    ASSERT_TRUE(MainFormHarness::clickElement(h.form().webBrowser(1), u".go"_s));
    EXPECT_TRUE(listShown(h));
    EXPECT_EQ(h.settings().get(Keys::Service), WebServices::roundcube);
    EXPECT_EQ(h.settings().get(Keys::ServiceUrl), stack->url());
}

// The rows of the list in page order, by uid.
QStringList rowUids(MainFormHarness &h) {
    return MainFormHarness::runPageScript(
               pane(h),
               u"[...document.querySelectorAll('#messagelist tbody tr.message')].map(r => atob(r.id.slice(6)))"_s)
        .toStringList();
}

// Roundcube's own selection, its list widget's (read in the page's world), as row positions.
std::set<int> selection(MainFormHarness &h) {
    const QString read = u"(() => { const s = document.createElement('script'); s.textContent = `{ const l = "
                         u"rcmail.message_list,"
                         u" rows = [...document.querySelectorAll('#messagelist tbody tr.message')];"
                         u" document.body.dataset.picked = l.get_selection().map(uid => "
                         u"rows.indexOf(l.rows[uid].obj)).join(' ') }`;"
                         u" document.head.append(s); s.remove(); return document.body.dataset.picked; })()"_s;
    std::set<int> rows;
    for (const QString &row :
         MainFormHarness::runPageScript(pane(h), read).toString().split(u' ', Qt::SkipEmptyParts))
        rows.insert(row.toInt());
    return rows;
}

// The user picks the rows at `first` and (Ctrl held) `second` with the mouse, as in Roundcube.
void pickRows(MainFormHarness &h, int first, int second) {
    for (const auto &[row, keys] : {std::pair{first, Qt::KeyboardModifiers()},
                                    std::pair{second, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        const QVariantList at =
            MainFormHarness::runPageScript(
                pane(h),
                u"(() => { const r = document.querySelectorAll('#messagelist tbody tr.message')[%1]"
                u".querySelector('span.date').getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()"_s
                    .arg(row))
                .toList();
        QTest::mouseClick(pane(h).focusProxy(), Qt::LeftButton, keys,
                          QPoint(at.value(0).toInt(), at.value(1).toInt()));
        QTest::qWait(300); // the list takes each pick before the next
    }
}

TEST(Roundcube, TicksAreRoundcubesOwnSelectionAndItsDeleteTakesThem) {
    auto h = window(User::Bob, stack->password(User::Bob));
    ASSERT_TRUE(h->start(stack->url()));
    ASSERT_TRUE(listShown(*h));
    const QStringList uids = rowUids(*h);
    pickRows(*h, 1, 2);
    ASSERT_EQ(selection(*h), (std::set<int>{1, 2}));
    h->child<QAction>("mnuClearTicks")->trigger();
    EXPECT_EQ(selection(*h), std::set<int>{});
    pickRows(*h, 4, 6);
    h->child<QAction>("mnuTickRange")->trigger();
    EXPECT_EQ(selection(*h), (std::set<int>{4, 5, 6}));
    if (qEnvironmentVariableIsSet("CORVALIS_SCREENSHOTS"))
        h->form().grab().save(qEnvironmentVariable("CORVALIS_SCREENSHOTS") + u"/rc-ticked.png"_s);
    // Roundcube's own Delete takes what it has selected, and nothing else.
    ASSERT_TRUE(MainFormHarness::waitFor([&] {
        return MainFormHarness::runPageScript(pane(*h),
                                              u"document.querySelector('a.delete:not(.disabled)')"_s)
            .isValid();
    }));
    ASSERT_TRUE(MainFormHarness::clickElement(pane(*h), u"a.delete"_s));
    QStringList left;
    int polls = 0;
    EXPECT_TRUE(MainFormHarness::waitFor([&] {
        // A read of the mailbox holds the thread that runs the page: made once every 50 polls.
        if (++polls % 50)
            return false;
        left.clear();
        for (const QJsonValue &m : stack->mailbox(User::Bob))
            left.append(QString::number(m[u"uid"_s].toInt()));
        return left.size() < uids.size();
    }));
    const QStringList kept = uids.mid(0, 4) + uids.mid(7);
    EXPECT_EQ(QSet(left.begin(), left.end()), QSet(kept.begin(), kept.end()));
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

} // namespace
