// Whole tasks as a new user does them: the real program on an X desktop with a window manager,
// driven by real input events from start to outcome, checked on disk and in webmail-sim.
#include "base/settings.h"
#include "corvalis_run.h"
#include "support/sim_process.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString mainForm = u"MainForm"_s;

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
    // The compose page's Subject field, reached as a keyboard user does: from the page's top,
    // past its two links and the To, Cc and Bcc fields.
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
    ASSERT_TRUE(corvalis.click(u"tab:Saved Message Folders (local)"_s, mainForm));
    ASSERT_TRUE(corvalis.click(u"ComboFolders2:item:Kept"_s, mainForm));
    ASSERT_TRUE(corvalis.click(u"ListMsg:item:*"_s, mainForm));
    // Enter takes the question's default, No, and keeps the file; Yes removes it.
    for (const auto &[answer, left] : {std::pair{u"Return"_s, 1}, {u"button:Yes"_s, 0}}) {
        SCOPED_TRACE(answer.toStdString());
        ASSERT_TRUE(corvalis.waitForEnabled(u"CommandDelete"_s, mainForm));
        ASSERT_TRUE(corvalis.click(u"CommandDelete"_s, mainForm));
        // The question opens over the middle of its window, with the focus.
        const auto box = corvalis.waitForBox(u"Delete the message"_s);
        ASSERT_TRUE(box && CorvalisRun::waitFor([&] { return desktop.activeWindow() == box->id; }));
        const QRect owner = corvalis.window(mainForm)->frame;
        const QMargins thirds(owner.width() / 3, owner.height() / 3, owner.width() / 3, owner.height() / 3);
        EXPECT_TRUE(owner.marginsRemoved(thirds).contains(box->frame.center()));
        if (answer == u"Return"_s)
            desktop.key(answer);
        else
            ASSERT_TRUE(corvalis.click(answer, u"QMessageBox"_s));
        ASSERT_TRUE(CorvalisRun::waitFor([&] { return !corvalis.window(u"QMessageBox"_s); }));
        EXPECT_EQ(saved(u"Kept"_s).size(), left);
    }
}

TEST_F(Workflow, AMergeOfTenAsksAboveItsWindowAndSendsTen) {
    QFile book(corvalis.mainDir() + u"addrbooks/Ten.csv"_s);
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write("\"First Name\",\"Email Address\"\r\n");
    for (int i = 1; i <= 10; ++i)
        book.write(u"\"Friend%1\",\"friend%1@example.com\"\r\n"_s.arg(i).toUtf8());
    book.close();
    ASSERT_TRUE(corvalis.addSettings(u"lastbook="_s + book.fileName()));
    ASSERT_TRUE(corvalis.start());
    open(u"/hotmail/inbox"_s);
    ASSERT_TRUE(corvalis.click(u"tab:Compose"_s, mainForm));
    ASSERT_TRUE(corvalis.waitForPage(u"WebBrowser3"_s, sim.baseUrl()));
    focusSubject();
    desktop.type(u"News for <<First Name>>"_s);
    desktop.key(u"Tab"_s);
    desktop.type(u"Dear <<First Name>>"_s);
    ASSERT_TRUE(corvalis.click(u"Command5"_s, mainForm));
    ASSERT_TRUE(corvalis.click(u"Option2"_s, u"Mail Merge"_s));
    ASSERT_TRUE(corvalis.click(u"CommandStart"_s, u"Mail Merge"_s));

    // The question is owned by the Mail Merge window, over it, above it and has the focus.
    const auto box = corvalis.waitForBox(u"emails will be sent"_s);
    const auto merge = corvalis.window(u"Mail Merge"_s);
    ASSERT_TRUE(box && merge);
    EXPECT_EQ(desktop.transientFor(box->id), merge->id);
    EXPECT_TRUE(merge->frame.contains(box->frame.center()));
    EXPECT_TRUE(CorvalisRun::waitFor([&] { return desktop.activeWindow() == box->id; }));
    EXPECT_GT(desktop.stacking().indexOf(box->id), desktop.stacking().indexOf(merge->id));
    ASSERT_TRUE(corvalis.click(u"button:Yes"_s, u"QMessageBox"_s));
    ASSERT_TRUE(CorvalisRun::waitFor([&] { return sim.sent().size() >= 10; }, 120000));
    ASSERT_TRUE(corvalis.waitForEnabled(u"CommandStart"_s, u"Mail Merge"_s));
    QStringList expected;
    for (int i = 1; i <= 10; ++i)
        expected << u"friend%1@example.com|News for Friend%1|Dear Friend%1"_s.arg(i);
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

TEST_F(Workflow, AReplyIsSentWithItsCopyKept) {
    ASSERT_TRUE(corvalis.start());
    open(u"/hotmail/inbox"_s);
    ASSERT_TRUE(corvalis.click(u"tab:Saved Message Folders (local)"_s, mainForm));
    ASSERT_TRUE(corvalis.click(u"ComboFolders2:item:Saved"_s, mainForm));
    ASSERT_TRUE(corvalis.click(u"ListMsg:item:Ann Lee*"_s, mainForm));
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
    const auto shown = [&](const QString &window) {
        return corvalis.window(window).value_or(CorvalisRun::Window{});
    };
    // The main window moved as a user drags it.
    const auto moveMain = [&](QPoint corner) {
        desktop.run(u"xdotool"_s, {u"windowmove"_s, QString::number(shown(mainForm).id),
                                   QString::number(corner.x()), QString::number(corner.y())});
        return CorvalisRun::waitFor([&] { return shown(mainForm).client.topLeft() == corner; });
    };
    ASSERT_TRUE(corvalis.click(u"CommandShowAddress"_s, mainForm));
    const QRect screen(QPoint(0, 0), desktop.screen());
    // Past each edge of the screen in turn, its palette button still on it: the address palette
    // and the help window open wholly on the screen.
    for (const QPoint corner : {QPoint(screen.right() - 300, 200), QPoint(-150, 200),
                                QPoint(200, screen.bottom() - 250), QPoint(200, -100)}) {
        SCOPED_TRACE(u"%1,%2"_s.arg(corner.x()).arg(corner.y()).toStdString());
        ASSERT_TRUE(moveMain(corner));
        for (const auto &[opener, window] :
             {std::pair{u"action:palette"_s, u"Email Addresses"_s}, {u"F1"_s, u"HelpWindow"_s}}) {
            if (opener == u"F1"_s)
                desktop.key(opener);
            else
                ASSERT_TRUE(corvalis.click(opener, mainForm));
            ASSERT_TRUE(corvalis.waitForWindow(window));
            EXPECT_TRUE(screen.contains(shown(window).frame)) << window.toStdString();
            // Closed as a user does, with the window manager's Alt+F4.
            desktop.run(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, QString::number(shown(window).id),
                                       u"key"_s, u"alt+F4"_s});
            ASSERT_TRUE(CorvalisRun::waitFor([&] { return !corvalis.window(window); }));
        }
    }
    ASSERT_TRUE(moveMain({300, 200}));
    const QRect closedAt = shown(mainForm).frame;
    ASSERT_TRUE(corvalis.stop());
    ASSERT_TRUE(corvalis.start());
    EXPECT_EQ(shown(mainForm).frame, closedAt);
}

} // namespace
