// Corvalis on a real Roundcube (with Dovecot and Postfix), one private stack per run, as a user meets it: the
// stored sign-in, kept from a page of another path, the list's ticks and checks as Roundcube's own selection,
// and Save Msg. Outcomes are read where they land: over IMAP, in the saved files and settings.
#include "started_stack.h"
#include "webpages/sign_in_controller.h"

#include <QJsonObject>
#include <QTextDocumentFragment>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <map>
#include <set>

namespace {

using User = RoundcubeStack::User;
RoundcubeStack *started = nullptr;
RoundcubeStack &stack() {
    return startedOnce(started);
}

WebPane &pane(MainFormHarness &h) {
    return h.form().webBrowser(1);
}
QVariant page(MainFormHarness &h, const QString &script) {
    return MainFormHarness::runPageScript(pane(h), script);
}

// The message list has its rows (they arrive after the page).
bool listShown(MainFormHarness &h) {
    return MainFormHarness::waitFor(
        [&] { return page(h, u"document.querySelectorAll('tr.message').length"_s).toInt() > 0; });
}

TEST(Roundcube, TheStoredPasswordNeverReachesAnotherPageOfTheHost) {
    const QByteArray lookalike = "<form id=\"login-form\" name=\"login-form\" method=\"post\">"
                                 "<input name=\"_user\"><input name=\"_pass\" type=\"password\"></form>";
    ASSERT_TRUE(stack().putTestPage(u"login.html"_s, lookalike));
    auto h = roundcubeWindow(stack(), User::Alice);
    ASSERT_TRUE(h->start(stack().url()));
    ASSERT_TRUE(listShown(*h));
    const int posts = stack().loginPosts();
    // Beside the lookalike, Roundcube's own login page reached on another origin (another host name).
    for (const QString &address : {stack().url() + u"/corvalis-test/login.html"_s,
                                   QString(stack().url()).replace(u"127.0.0.1"_s, u"localhost"_s) + u"/"_s}) {
        SCOPED_TRACE(address.toStdString());
        ASSERT_TRUE(h->load(pane(*h), address));
        QTest::qWait(2500); // longer than the login page's second look
        EXPECT_EQ(pane(*h).formFieldValue(u"login-form"_s, u"_pass"_s), QString());
    }
    EXPECT_EQ(stack().testPagePosts(), QString());
    EXPECT_EQ(stack().loginPosts(), posts);
}

TEST(Roundcube, AWrongStoredPasswordIsToldOnceAndNotTriedAgain) {
    // The first post gets no answer (a broken connection, the user's Stop): no refusal, it goes again.
    struct DropFirstPost : QWebEngineUrlRequestInterceptor {
        bool dropped = false;
        void interceptRequest(QWebEngineUrlRequestInfo &info) override {
            info.block(info.requestMethod() == "POST" && !std::exchange(dropped, true));
        }
    } drop;
    WebProfile::shared().setUrlRequestInterceptor(&drop);
    const int posts = stack().loginPosts();
    auto h = roundcubeWindow(stack(), User::Alice, u"not-the-password"_s);
    ASSERT_TRUE(h->start(stack().url()));
    ASSERT_TRUE(MainFormHarness::waitFor([&] { return drop.dropped && !pane(*h).busy(); }));
    WebProfile::shared().setUrlRequestInterceptor(nullptr);
    EXPECT_EQ(h->messages().shown(), QStringList());
    ASSERT_TRUE(h->load(pane(*h), stack().url() + u"/"_s));
    EXPECT_TRUE(MainFormHarness::waitFor([&] { return !h->messages().shown().isEmpty(); }));
    QTest::qWait(3000); // longer than the login page's second look
    EXPECT_EQ(h->messages().shown(), QStringList{SignInController::refusedMessage()});
    EXPECT_EQ(stack().loginPosts() - posts, 1);
    EXPECT_TRUE(pane(*h).bodyText().value_or(QString()).contains(u"Login failed."_s));
    EXPECT_EQ(h->settings().get(Keys::Pw), u"not-the-password"_s);
}

TEST(Roundcube, ASignInTypedOnTheLoginPageIsKeptForTheNextStart) {
    auto h = roundcubeWindow(stack(), User::Bob, QString());
    h->settings().set(Keys::Email, QString());
    ASSERT_TRUE(h->start(stack().url()));
    ASSERT_TRUE(MainFormHarness::typeInto(pane(*h), u"#rcmloginuser"_s, stack().login(User::Bob)));
    ASSERT_TRUE(MainFormHarness::typeInto(pane(*h), u"#rcmloginpwd"_s, stack().password(User::Bob)));
    QTest::keyClick(pane(*h).focusProxy(), Qt::Key_Return);
    EXPECT_TRUE(
        MainFormHarness::waitFor([&] { return h->settings().get(Keys::Email) == stack().login(User::Bob); }));
    EXPECT_EQ(h->settings().get(Keys::Pw), stack().password(User::Bob));
}

TEST(Roundcube, TheWelcomePageRecordsRoundcubeAsTheService) {
    WebProfile::forgetSites();
    MainFormHarness h;
    h.settings().set(Keys::ServiceUrl, QString()); // asked for on the welcome page
    h.settings().set(Keys::AutoLogin, u"1"_s);
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(MainFormHarness::typeInto(pane(h), u"#email"_s, stack().login(User::Bob)));
    ASSERT_TRUE(MainFormHarness::typeInto(pane(h), u"#password"_s, stack().password(User::Bob)));
    ASSERT_TRUE(MainFormHarness::typeInto(pane(h), u"#service"_s, stack().url()));
    QTest::keyClick(pane(h).focusProxy(), Qt::Key_Tab);
    QTest::keyClick(pane(h).focusProxy(), Qt::Key_Down); // Roundcube
    ASSERT_TRUE(MainFormHarness::clickElement(pane(h), u".go"_s));
    EXPECT_TRUE(listShown(h));
    EXPECT_EQ(h.settings().get(Keys::Service), WebServices::roundcube);
    EXPECT_EQ(h.settings().get(Keys::ServiceUrl), stack().url());
}

// The list's rows in page order, as a script's array.
const QString listRows = u"[...document.querySelectorAll('#messagelist tbody tr.message')]"_s;

// The rows of the list in page order, by uid.
QStringList rowUids(MainFormHarness &h) {
    return page(h, listRows + u".map(r => atob(r.id.slice(6)))"_s).toStringList();
}

// Roundcube's own selection, its list widget's (read in the page's world), as row positions.
std::set<int> selection(MainFormHarness &h) {
    RoundcubeCompose::pageScript(
        pane(h), u"{ const l = rcmail.message_list, rows = %1; document.body.dataset.picked = "
                 u"l.get_selection().map(uid => rows.indexOf(l.rows[uid].obj)).join(' ') }"_s.arg(listRows));
    std::set<int> rows;
    for (const QString &row :
         page(h, u"document.body.dataset.picked"_s).toString().split(u' ', Qt::SkipEmptyParts))
        rows.insert(row.toInt());
    return rows;
}

// The middle of the date of the list's row at `row`, where the user clicks it.
QPoint rowPoint(MainFormHarness &h, int row) {
    const QVariantList at = page(h, u"(r => [r.x + r.width / 2, r.y + r.height / 2])"
                                    u"(%1[%2].querySelector('span.date').getBoundingClientRect())"_s.arg(
                                        listRows, QString::number(row)))
                                .toList();
    return QPoint(at.value(0).toInt(), at.value(1).toInt());
}

// The user picks the rows at `first` and (Ctrl held) `second` with the mouse, as in Roundcube.
void pickRows(MainFormHarness &h, int first, int second) {
    for (const auto &[row, keys] : {std::pair{first, Qt::KeyboardModifiers()},
                                    std::pair{second, Qt::KeyboardModifiers(Qt::ControlModifier)}}) {
        QTest::mouseClick(pane(h).focusProxy(), Qt::LeftButton, keys, rowPoint(h, row));
        QTest::qWait(300); // the list takes each pick before the next
    }
}

TEST(Roundcube, TicksAreRoundcubesOwnSelectionAndItsDeleteTakesThem) {
    auto h = roundcubeWindow(stack(), User::Bob);
    ASSERT_TRUE(h->start(stack().url()));
    ASSERT_TRUE(listShown(*h));
    const QStringList uids = rowUids(*h);
    pickRows(*h, 1, 2);
    ASSERT_EQ(selection(*h), (std::set<int>{1, 2}));
    h->child<QAction>("mnuClearTicks")->trigger();
    EXPECT_EQ(selection(*h), std::set<int>{});
    pickRows(*h, 4, 6);
    // A right click on the list ticks the run (the Inbox menu's Tick Range does the same).
    QTest::mouseClick(pane(*h).focusProxy(), Qt::RightButton, {}, rowPoint(*h, 5));
    EXPECT_TRUE(MainFormHarness::waitFor([&] {
        return selection(*h) == std::set<int>{4, 5, 6};
    })) << selection(*h).size();
    if (qEnvironmentVariableIsSet("CORVALIS_SCREENSHOTS"))
        h->form().grab().save(qEnvironmentVariable("CORVALIS_SCREENSHOTS") + u"/rc-ticked.png"_s);
    // Roundcube's own Delete takes what it has selected, and nothing else.
    ASSERT_TRUE(MainFormHarness::waitFor(
        [&] { return page(*h, u"document.querySelector('a.delete:not(.disabled)')"_s).isValid(); }));
    ASSERT_TRUE(MainFormHarness::clickElement(pane(*h), u"a.delete"_s));
    QSet<QString> left;
    for (const QJsonValue &m :
         inboxOnce(stack(), User::Bob, [&](const QJsonArray &inbox) { return inbox.size() < uids.size(); }))
        left.insert(QString::number(m[u"uid"_s].toInt()));
    const QStringList kept = uids.mid(0, 4) + uids.mid(7);
    EXPECT_EQ(left, QSet(kept.begin(), kept.end()));
}

// Before Save Msg below has opened them, Alice's messages are all unread but "Already read".
TEST(Roundcube, CheckUnreadAndCheckSpamSelectByRoundcubesRows) {
    auto h = roundcubeWindow(stack(), User::Alice);
    ASSERT_TRUE(h->start(stack().url()));
    const struct {
        const char *button;
        QString keywords;
        bool onlyUnread;
        QStringList subjects; // what Check Spam picks; Check Unread's are the mailbox's unseen
    } cases[] = {
        {"Command1", {}, false, {}},
        // "read" is only in a message already read; "hello" in an unread one.
        {"Command2", u"read\nhello"_s, true, {u"Plain hello"_s}},
        // The Russian message's sender matches by its address alone, in any case.
        {"Command2", u"EXAMPLE.RU\nagenda"_s, false, {u"Привет, Алиса"_s, u"Meeting: agenda for Monday"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_TRUE(h->load(pane(*h), stack().url() + u"/?_task=mail&_mbox=INBOX"_s));
        ASSERT_TRUE(listShown(*h));
        h->child<QPlainTextEdit>("TextSpam")->setPlainText(c.keywords);
        h->child<QCheckBox>("CheckSpamUnread")->setChecked(c.onlyUnread);
        std::map<QString, QJsonObject> held;
        for (const QJsonValue &m : stack().mailbox(User::Alice))
            held[QString::number(m[u"uid"_s].toInt())] = m.toObject();
        std::set<int> expected;
        const QStringList uids = rowUids(*h);
        for (int row = 0; row < uids.size(); ++row) {
            const QJsonObject &m = held[uids[row]];
            const bool unseen = !m[u"flags"_s].toArray().contains(u"\\Seen"_s);
            if (c.subjects.isEmpty() ? unseen : c.subjects.contains(m[u"subject"_s].toString()))
                expected.insert(row);
        }
        ASSERT_EQ(h->userStep(QString::fromLatin1(c.button)), QString());
        EXPECT_EQ(selection(*h), expected);
    }
}

// Text as a reader sees it: markup read as HTML, blanks collapsed.
QString seen(const QString &text, bool html) {
    return (html ? QTextDocumentFragment::fromHtml(text).toPlainText() : text).simplified();
}

TEST(Roundcube, SaveMsgKeepsEachMessageAsTheMailboxHoldsIt) {
    auto h = roundcubeWindow(stack(), User::Alice);
    ASSERT_TRUE(QDir(h->mainDir()).mkpath(u"savedmgs/Captures"_s));
    ASSERT_TRUE(h->start(stack().url()));
    ASSERT_TRUE(listShown(*h));
    auto *folders = h->child<QComboBox>("ComboFolders");
    folders->setCurrentIndex(folders->findText(u"Captures"_s));
    QDir folder(h->mainDir() + u"savedmgs/Captures"_s);
    const QJsonArray mailbox = stack().mailbox(User::Alice);
    ASSERT_EQ(mailbox.size(), 15);
    const QString firstRow = rowUids(*h).value(0);
    for (const QJsonValue &m : mailbox) {
        SCOPED_TRACE(m[u"subject"_s].toString().toStdString());
        for (const QString &name : folder.entryList(QDir::Files))
            folder.remove(name);
        const QString uid = QString::number(m[u"uid"_s].toInt());
        if (uid == firstRow) { // shown in the list's preview, as a click on its row shows it
            ASSERT_TRUE(h->load(pane(*h), stack().url() + u"/?_task=mail&_mbox=INBOX"_s));
            ASSERT_TRUE(listShown(*h));
            QTest::mouseClick(pane(*h).focusProxy(), Qt::LeftButton, {}, rowPoint(*h, 0));
            const QString previewed =
                u"(() => { const d = document.getElementById('messagecontframe').contentDocument;"
                u" return new URLSearchParams(d.location.search).get('_uid') == %1"
                u" && !!d.getElementById('messagebody') })()"_s.arg(uid);
            ASSERT_TRUE(MainFormHarness::waitFor([&] { return page(*h, previewed).toBool(); }));
        } else {
            ASSERT_TRUE(h->load(pane(*h),
                                stack().url() + u"/?_task=mail&_mbox=INBOX&_uid=%1&_action=show"_s.arg(uid)));
        }
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
    }
}

} // namespace
