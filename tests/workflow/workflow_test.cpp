// Whole tasks as a new user does them: the real program on an X desktop with a window manager,
// driven by real input events from start to outcome, checked on disk and in webmail-sim.
#include "addressbook/book_file.h"
#include "base/settings.h"
#include "corvalis_run.h"
#include "support/roundcube_stack.h"
#include "support/sim_process.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString mainForm = u"MainForm"_s;
using Window = CorvalisRun::Window;

class Workflow : public ::testing::Test {
protected:
    Workflow()
        : corvalis(desktop, sim.baseUrl()) {}
    void SetUp() override {
        if (const QString missing = XDesktop::missingProgram(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString() << " is not installed: no X desktop to run on";
        ASSERT_TRUE(desktop.started());
        ASSERT_TRUE(sim.started());
    }
    void TearDown() override {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        if (HasFailure() && QDir().mkpath(QStringLiteral(WORKFLOW_SHOTS_DIR)))
            desktop.screenshot(
                QStringLiteral(WORKFLOW_SHOTS_DIR "/%1.png").arg(QString::fromUtf8(test->name())));
    }
    // A page of the service opened in the main pane as a user does, through the address box.
    void open(const QString &path) const {
        const QString address = sim.baseUrl() + path;
        ASSERT_TRUE(corvalis.typeInto(u"AddressCombo"_s, address));
        desktop.key(u"Return"_s);
        ASSERT_TRUE(corvalis.waitForPage(u"WebBrowser1"_s, address));
    }
    QStringList saved(const QString &folder) const {
        return QDir(corvalis.mainDir() + u"savedmgs/"_s + folder).entryList(QDir::Files);
    }
    // An address book of the main directory holding `lines`; its path.
    QString writeBook(const QString &name, const QStringList &lines) const {
        QFile book(corvalis.mainDir() + u"addrbooks/"_s + name);
        EXPECT_TRUE(book.open(QIODevice::WriteOnly) &&
                    book.write((lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8()));
        return book.fileName();
    }
    Window shown(const QString &window) const { return corvalis.window(window).value_or(Window{}); }
    // The question holding `text` has the focus and is answered with `button` ("Return": its default); asked
    // by `owner`, it is owned by it, over its middle and above it.
    void answer(const QString &text, const QString &button, const QString &owner = {}) const {
        const Window box = corvalis.waitForBox(text).value_or(Window{});
        ASSERT_NE(box.id, 0u) << text.toStdString();
        EXPECT_TRUE(CorvalisRun::waitFor([&] { return desktop.activeWindow() == box.id; }));
        if (!owner.isEmpty()) {
            const Window by = shown(owner);
            const QMargins thirds(by.frame.width() / 3, by.frame.height() / 3, by.frame.width() / 3,
                                  by.frame.height() / 3);
            EXPECT_EQ(desktop.transientFor(box.id), by.id);
            EXPECT_TRUE(by.frame.marginsRemoved(thirds).contains(box.frame.center()));
            EXPECT_GT(desktop.stacking().indexOf(box.id), desktop.stacking().indexOf(by.id));
        }
        if (button == u"Return"_s)
            desktop.key(button);
        else
            ASSERT_TRUE(corvalis.click(u"button:"_s + button, u"QMessageBox"_s));
        ASSERT_TRUE(CorvalisRun::waitFor([&] { return shown(u"QMessageBox"_s).id != box.id; }));
    }
    bool clicks(const QStringList &keys, const QString &window = mainForm) const {
        return std::ranges::all_of(keys, [&](const QString &key) { return corvalis.click(key, window); });
    }
    // Waits until the control shows `text`.
    bool shows(const QString &key, const QString &text, const QString &window = {}) const {
        return CorvalisRun::waitFor([&] {
            const auto found = corvalis.control(key, window);
            return found && found->text == text;
        });
    }
    // The compose page's Subject, reached by keyboard from the top past two links and To, Cc and Bcc.
    void focusSubject() const {
        const auto pane = corvalis.control(u"WebBrowser3"_s, mainForm);
        ASSERT_TRUE(pane);
        desktop.click(pane->place.topLeft() + QPoint(3, 3));
        desktop.key(u"Tab Tab Tab Tab Tab Tab"_s);
    }

    XDesktop desktop;
    SimProcess sim;
    CorvalisRun corvalis;
};

TEST_F(Workflow, AMessageSavedFromTheInboxIsDeletedOnlyAfterYes) {
    ASSERT_TRUE(QDir(corvalis.mainDir()).mkpath(u"savedmgs/Kept"_s));
    ASSERT_TRUE(corvalis.addSettings(u"defaultfolder=Kept"_s));
    ASSERT_TRUE(corvalis.start());
    open(u"/hotmail/message?id=1"_s);
    ASSERT_TRUE(corvalis.click(u"GetBody"_s, mainForm));
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return saved(u"Kept"_s).size() == 1; }));
    ASSERT_TRUE(
        clicks({u"tab:Saved Message Folders (local)"_s, u"ComboFolders2:item:Kept"_s, u"ListMsg:item:*"_s}));
    // Enter takes the question's default, No, and keeps the file; Yes removes it.
    for (const auto &[button, left] : {std::pair{u"Return"_s, 1}, {u"Yes"_s, 0}}) {
        SCOPED_TRACE(button.toStdString());
        ASSERT_TRUE(corvalis.waitForEnabled(u"CommandDelete"_s, mainForm));
        ASSERT_TRUE(corvalis.click(u"CommandDelete"_s, mainForm));
        answer(u"Delete the message"_s, button, mainForm);
        EXPECT_EQ(saved(u"Kept"_s).size(), left);
    }
}

TEST_F(Workflow, AMergeOfTenStoppedAndResumedByMouseAsksAboveItsWindowAndSendsEachOnce) {
    QStringList book{u"\"First Name\",\"Email Address\""_s}, expected;
    for (int i = 1; i <= 10; ++i) {
        book << u"\"Friend%1\",\"friend%1@example.com\""_s.arg(i);
        expected << u"friend%1@example.com|News for Friend%1|Dear Friend%1"_s.arg(i);
    }
    // Two seconds between emails: a Stop clicked as the third arrives falls between two.
    ASSERT_TRUE(corvalis.addSettings(u"lastbook="_s + writeBook(u"Ten.csv"_s, book) + u"\r\nmergepace=2"_s));
    ASSERT_TRUE(corvalis.start());
    open(u"/hotmail/inbox"_s);
    ASSERT_TRUE(clicks({u"tab:Compose"_s}));
    ASSERT_TRUE(corvalis.waitForPage(u"WebBrowser3"_s, sim.baseUrl()));
    focusSubject();
    desktop.type(u"News for <<First Name>>"_s);
    desktop.key(u"Tab"_s);
    desktop.type(u"Dear <<First Name>>"_s);
    // The range narrowed in an earlier merge is not that of the next one.
    const QString merge = u"Mail Merge"_s;
    ASSERT_TRUE(clicks({u"Command5"_s}) && clicks({u"Option1"_s}, merge) && corvalis.closeWindow(merge));
    ASSERT_TRUE(clicks({u"Command5"_s}));
    EXPECT_TRUE(shows(u"Option2"_s, u"ticked"_s, merge));
    ASSERT_TRUE(corvalis.click(u"CommandStart"_s, merge));
    answer(u"10 emails will be sent"_s, u"Yes"_s, merge);
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return sim.sent().size() >= 3; }));
    ASSERT_TRUE(corvalis.click(u"CommandStop"_s, merge));
    ASSERT_TRUE(corvalis.waitForEnabled(u"CommandStart"_s, merge));
    EXPECT_LT(sim.sent().size(), 10);
    // Started again, it leaves out the addresses already sent to.
    ASSERT_TRUE(corvalis.click(u"CommandStart"_s, merge));
    for (const QString &question : {u"Skip the addresses it was sent to?"_s, u"emails will be sent"_s})
        answer(question, u"Yes"_s, merge);
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return sim.sent().size() >= 10; }, 120000));
    ASSERT_TRUE(corvalis.waitForEnabled(u"CommandStart"_s, merge));
    EXPECT_EQ(sim.sentFields({u"to"_s, u"subject"_s, u"body"_s}), expected);
}

TEST_F(Workflow, TheStoredSignInIsUsedAtOnceAfterARestartWithoutAKeyring) {
    ASSERT_TRUE(corvalis.addSettings(u"autologin=1\r\nemail=ann@example.com\r\npw=secret"_s));
    const auto signIns = [&] { return QJsonDocument::fromJson(sim.get(u"/_sim/signins"_s)).array(); };
    for (const int start : {1, 2}) {
        SCOPED_TRACE(start);
        ASSERT_TRUE(corvalis.start());
        ASSERT_TRUE(CorvalisRun::waitFor([&] { return signIns().size() == start; }));
        EXPECT_EQ(signIns().last()[u"email"_s].toString(), u"ann@example.com"_s);
        EXPECT_EQ(signIns().last()[u"password"_s].toString(), u"secret"_s);
        ASSERT_TRUE(corvalis.stop());
        EXPECT_EQ(Settings(corvalis.iniPath()).get(Keys::Pw), u"secret"_s);
    }
}

// A Roundcube session outlives the program as a browser's does, until Settings' button has forgotten web
// sign-ins. The stored sign-in is used whenever Roundcube asks for one, so whether a start signed in tells.
TEST_F(Workflow, ARoundcubeSessionOutlivesARestartUntilForgotten) {
    RoundcubeStack stack;
    ASSERT_TRUE(stack.started());
    Settings(corvalis.iniPath()).set(Keys::ServiceUrl, stack.url());
    Settings(corvalis.iniPath()).set(Keys::Service, u"roundcube"_s);
    ASSERT_TRUE(corvalis.addSettings(u"autologin=1\r\nemail=%1\r\npw=%2"_s.arg(
        stack.login(RoundcubeStack::User::Alice), stack.password(RoundcubeStack::User::Alice))));
    const auto lists = [&] { return stack.requests("GET /?_task=mail&_action=list"); };
    for (const auto &[signsIn, forget] : {std::pair{true, false}, {false, true}, {true, false}}) {
        SCOPED_TRACE(signsIn);
        const int posts = stack.loginPosts(), listed = lists();
        ASSERT_TRUE(corvalis.start());
        // The inbox asks for its rows once it is shown, signed in (a cold stack's first sign-in is slow).
        ASSERT_TRUE(CorvalisRun::waitFor([&] { return lists() > listed; }, 60000)) << stack.logs();
        EXPECT_EQ(stack.loginPosts() > posts, signsIn);
        if (forget) {
            ASSERT_TRUE(clicks({u"tab:Settings"_s, u"CommandForgetWeb"_s}));
            answer(u"Forget every web sign-in"_s, u"Yes"_s, mainForm);
        }
        ASSERT_TRUE(corvalis.stop());
    }
    // What the sites keep is the user's alone.
    const QFileInfo kept(QFileInfo(corvalis.iniPath()).dir().filePath(u"data/corvalis"_s));
    EXPECT_TRUE(kept.isDir());
    EXPECT_FALSE(kept.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
}

TEST_F(Workflow, AReplyIsSentWithItsCopyKept) {
    ASSERT_TRUE(corvalis.start());
    open(u"/hotmail/inbox"_s);
    ASSERT_TRUE(clicks(
        {u"tab:Saved Message Folders (local)"_s, u"ComboFolders2:item:Saved"_s, u"ListMsg:item:Ann Lee*"_s}));
    ASSERT_TRUE(corvalis.waitForPage(u"WebBrowser2"_s, u"file:"_s));
    ASSERT_TRUE(corvalis.click(u"CommandReplyText"_s, mainForm));
    // The transfer into the compose page has ended once its stage marker is back at "0".
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return Settings(corvalis.iniPath()).get(Keys::Bug) == u"0"_s; }));
    focusSubject();
    desktop.key(u"Return"_s);
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return !sim.sent().isEmpty(); }));
    EXPECT_EQ(sim.sentFields({u"to"_s, u"subject"_s}),
              QStringList{u"Ann Lee <ann.lee@example.com>|RE: Lunch on Friday"_s});
    EXPECT_TRUE(CorvalisRun::waitFor([&] {
        return saved(u"sent"_s).filter(u"Lunch on Friday"_s).size() == 1;
    })) << saved(u"sent"_s).join(u'\n').toStdString();
}

TEST_F(Workflow, WindowsOpenWhollyOnTheScreenAndTheMainWindowReturnsWhereItWas) {
    ASSERT_TRUE(corvalis.addSettings(u"setmax=0"_s));
    ASSERT_TRUE(corvalis.start());
    // The main window moved as a user drags it.
    const auto moveMain = [&](QPoint corner) {
        desktop.run(u"xdotool"_s, {u"windowmove"_s, QString::number(shown(mainForm).id),
                                   QString::number(corner.x()), QString::number(corner.y())});
        return CorvalisRun::waitFor([&] { return shown(mainForm).client.topLeft() == corner; });
    };
    ASSERT_TRUE(corvalis.click(u"CommandShowAddress"_s, mainForm));
    const QRect screen(QPoint(0, 0), desktop.screen());
    // Past each edge in turn (its palette button on screen), the address palette and help open wholly on it.
    for (const QPoint corner : {QPoint(screen.right() - 300, 200), QPoint(-150, 200),
                                QPoint(200, screen.bottom() - 250), QPoint(200, -100)}) {
        SCOPED_TRACE(u"%1,%2"_s.arg(corner.x()).arg(corner.y()).toStdString());
        ASSERT_TRUE(moveMain(corner));
        for (const QString &window : {u"Email Addresses"_s, u"HelpWindow"_s}) {
            if (window == u"HelpWindow"_s)
                desktop.key(u"F1"_s);
            else
                ASSERT_TRUE(corvalis.click(u"action:palette"_s, mainForm));
            ASSERT_TRUE(corvalis.waitForWindow(window));
            EXPECT_TRUE(screen.contains(shown(window).frame)) << window.toStdString();
            ASSERT_TRUE(corvalis.closeWindow(window));
        }
    }
    ASSERT_TRUE(moveMain({300, 200}));
    const QRect closedAt = shown(mainForm).frame;
    ASSERT_TRUE(corvalis.stop());
    ASSERT_TRUE(corvalis.start());
    EXPECT_EQ(shown(mainForm).frame, closedAt);

    // The picture dialog stays where it opened while a path is typed and previewed.
    ASSERT_TRUE(clicks({u"CheckNormal"_s, u"action:image"_s}));
    ASSERT_TRUE(corvalis.waitForWindow(u"Insert Graphic"_s));
    const Window opened = shown(u"Insert Graphic"_s);
    ASSERT_TRUE(corvalis.typeInto(u"Text1"_s, corvalis.mainDir() + u"html/welcome.htm"_s));
    ASSERT_TRUE(corvalis.click(u"Command3"_s, u"Insert Graphic"_s));
    ASSERT_TRUE(corvalis.waitForPage(u"WebBrowser1"_s, u"file:"_s, u"Insert Graphic"_s));
    EXPECT_EQ(shown(u"Insert Graphic"_s).id, opened.id);
    EXPECT_EQ(shown(u"Insert Graphic"_s).frame, opened.frame);
}

// A template saved, Settings names no default till one is chosen; that one is offered after a restart.
TEST_F(Workflow, TheDefaultTemplateShownIsTheOneOfferedAfterARestart) {
    ASSERT_TRUE(corvalis.start());
    ASSERT_TRUE(clicks({u"tab:Compose"_s, u"CommandTemplate"_s}));
    for (const auto &[field, text] : {std::pair{u"Combo1"_s, u"Offer"_s},
                                      {u"Text1"_s, u"Spring offer"_s},
                                      {u"Text2"_s, u"Dear friend"_s}})
        ASSERT_TRUE(corvalis.typeInto(field, text));
    ASSERT_TRUE(corvalis.click(u"OKButton"_s, u"Email Template"_s));
    ASSERT_TRUE(corvalis.closeWindow(u"Email Template"_s));
    ASSERT_TRUE(clicks({u"tab:Settings"_s}));
    EXPECT_TRUE(shows(u"ComboTemplate2"_s, QString()));
    ASSERT_TRUE(clicks({u"ComboTemplate2"_s}));
    desktop.key(u"Down Return"_s);
    ASSERT_TRUE(shows(u"ComboTemplate2"_s, u"Offer.txt"_s));
    ASSERT_TRUE(corvalis.stop());
    ASSERT_TRUE(corvalis.start());
    for (const auto &[tab, list] :
         {std::pair{u"Compose"_s, u"ComboTemplate"_s}, {u"Settings"_s, u"ComboTemplate2"_s}})
        EXPECT_TRUE(clicks({u"tab:"_s + tab}) && shows(list, u"Offer.txt"_s)) << tab.toStdString();
}

// The editor over a post page: each mode switch puts it away; published by the page's button, the post holds
// what was typed and the editor goes; asked for again, it goes as the inbox comes; nothing is lost unasked.
TEST_F(Workflow, TheEditorOverAPostIsPublishedAndPutAway) {
    ASSERT_TRUE(corvalis.start());
    open(u"/blog/plain"_s);
    const auto editorShown = [&] { return corvalis.control(u"PictureBlog"_s, mainForm).has_value(); };
    for (const QString &mode : {u"CheckNormal"_s, u"CheckHTMLSource"_s})
        for (const QString &state : {u"ticked"_s, u"unticked"_s}) {
            ASSERT_TRUE(clicks({mode}));
            EXPECT_TRUE(shows(mode, state) && CorvalisRun::waitFor([&] {
                            return editorShown() == (state + mode == u"tickedCheckNormal"_s);
                        }))
                << (mode + state).toStdString();
        }
    const auto type = [&](const QString &text) {
        ASSERT_TRUE(clicks({u"CheckNormal"_s, u"DHTMLEdit1"_s}));
        desktop.type(text);
    };
    // Published at once with the page's own button, reached from the top past the title and post field.
    type(u"Hello from the editor"_s);
    desktop.click(corvalis.control(u"WebBrowser1"_s, mainForm)->place.topLeft() + QPoint(3, 3));
    desktop.key(u"Tab Tab Tab Return"_s);
    ASSERT_TRUE(corvalis.waitForPage(u"WebBrowser1"_s, sim.baseUrl() + u"/blog/published"_s));
    EXPECT_EQ(sim.sentFields({u"postBody"_s}), QStringList{u"Hello from the editor"_s});
    EXPECT_TRUE(CorvalisRun::waitFor([&] { return !editorShown(); }));
    type(u" and more"_s);
    open(u"/hotmail/inbox"_s);
    ASSERT_TRUE(corvalis.click(u"CommandShowAddress"_s, mainForm)); // the main pane laid out anew
    EXPECT_TRUE(shows(u"CheckNormal"_s, u"unticked"_s) &&
                CorvalisRun::waitFor([&] { return !editorShown(); }));
    ASSERT_TRUE(corvalis.closeWindow(mainForm, false));
    ASSERT_TRUE(corvalis.waitForBox(u"Save changes to the document?"_s));
    ASSERT_TRUE(corvalis.click(u"button:Discard"_s, u"QMessageBox"_s));
}

// An export of a desktop mail program imported by mouse: every field of it is in the book.
TEST_F(Workflow, AnExportImportedByMouseKeepsEveryField) {
    const QString exported = QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/exports/outlook_business.csv");
    const QString book = writeBook(u"Friends.csv"_s, {u"First Name,Last Name,Email Address,"_s});
    ASSERT_TRUE(corvalis.addSettings(u"lastbook="_s + book));
    ASSERT_TRUE(corvalis.start());
    ASSERT_TRUE(clicks({u"menu:File"_s}) && corvalis.click(u"menu:Import Address List..."_s));
    ASSERT_TRUE(corvalis.typeInto(u"fileNameEdit"_s, exported));
    desktop.key(u"Return"_s);
    ASSERT_TRUE(corvalis.click(u"OKButton"_s, u"Import Data"_s));
    answer(u"(2 contacts added)"_s, u"Return"_s);
    ASSERT_TRUE(corvalis.stop());
    QStringList kept;
    const BookTable inBook = BookFile::open(book).table, inFile = BookFile::openImport(exported).table;
    for (int row = 0; row < inBook.rowCount(); ++row)
        kept << inBook.rowText(row).toString().split(u'\t');
    for (int row = 0; row < inFile.rowCount(); ++row)
        for (const QString &field : inFile.rowText(row).toString().split(u'\t'))
            EXPECT_TRUE(kept.contains(field)) << field.toStdString();
}

} // namespace
