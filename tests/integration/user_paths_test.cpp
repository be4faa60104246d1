// Every way into a feature of the main window, taken as the user takes it (menus, keys, tabs,
// toolbar and window buttons, buttons of a dialog), shows the feature's window or effect. What the
// feature then does is its own tests' to prove.
#include "main_form_harness.h"

#include "shell/address_book_pane.h"

#include <QClipboard>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextBrowser>

namespace {

struct UserPath {
    QString how;                                // MainFormHarness::userStep's way in
    QStringList expected;                       // among what appeared (see `observe`)
    std::function<QString()> probe = {};        // an effect of its own
    std::function<void(QWidget &)> inside = {}; // done in the modal window it opens
    std::function<void()> before = {};          // the state the way in needs
};

void click(QWidget *widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

TEST(UserPaths, EveryWayIntoAFeatureShowsIt) {
    MainFormHarness h;
    const SavedMessage sent{
        SavedMessageFile::sentFrom, u"Hi"_s, u"12/06/2004 09:00:00"_s, u"kim@example.com"_s, {}, {}, u"hi"_s};
    ASSERT_TRUE(writeSavedMessage(h.mainDir(), {}, sent, MessageKind::Sent).ok());
    ASSERT_TRUE(h.start());
    // No opener on the search path: help shows in the program's own window, whose buttons are ways
    // in too.
    QTemporaryDir emptyBin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", emptyBin.path().toUtf8());
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
    const auto form = [&h]() -> MainForm & { return h.form(); };
    const auto main = [&h]() -> WebPane & { return h.form().webBrowser(1); };
    const QString base = h.sim().baseUrl();
    const auto at = [&](const QString &part) { // the document itself, not the address asked for
        return std::function<QString()>([&, part] {
            const auto href = [&] {
                return MainFormHarness::runPageScript(main(), u"location.href"_s).toString();
            };
            return MainFormHarness::waitFor([&] { return href().contains(part) && !main().busy(); })
                       ? u"at "_s + part
                       : href();
        });
    };
    const QString boxes = u"document.querySelectorAll('tr.msgrow input[type=checkbox]')"_s;
    const auto ticked = [&] {
        return MainFormHarness::runPageScript(main(), u"document.querySelectorAll('tr.msgrow "
                                                      u"input[type=checkbox]:checked').length"_s)
                   .toString() +
               u" ticked"_s;
    };
    const auto tick = [&](int first, int last) {
        return [&, first, last] {
            MainFormHarness::runPageScript(
                main(), boxes + u".forEach((b, i) => b.checked = i == %1 || i == %2)"_s.arg(first).arg(last));
        };
    };
    const auto someTicked = [&] { return ticked() == u"0 ticked"_s ? ticked() : u"some ticked"_s; };
    const auto threeTicked = [&] {
        MainFormHarness::waitFor([&] { return ticked() == u"3 ticked"_s; }, 5000);
        return ticked();
    };
    const auto shown = [&](const char *name, const QString &yes, const QString &no) {
        return std::function<QString()>([&, name, yes, no] { return h.child(name)->isVisible() ? yes : no; });
    };
    const auto pane = [&] {
        return form().addressBookPane().addbook_hidden() ? u"pane hidden"_s
               : form().addressBookPane().expanded()     ? u"pane expanded"_s
                                                         : u"pane shown"_s;
    };
    auto *grid = h.child<QTableView>("MSFlexGrid1");
    const auto rows = [&] { return u"%1 rows"_s.arg(grid->model()->rowCount()); };
    const auto pickMessage = [&](const QString &folder) {
        return [&, folder] {
            h.browse(folder);
            h.clickMessage(0);
            ASSERT_TRUE(MainFormHarness::waitForPage(form().webBrowser(2), folder));
        };
    };
    const auto load = [&](const QString &page) {
        return [&, page] { ASSERT_TRUE(h.load(main(), base + page)); };
    };
    const auto focusMain = [&] { main().setFocus(); };
    int loads = 0, loadsBefore = 0;
    QObject::connect(&main(), &WebPane::documentCompleted, [&loads] { ++loads; });
    const auto reloaded = [&] {
        return MainFormHarness::waitFor([&] { return loads > loadsBefore; }) ? u"reloaded"_s
                                                                             : u"not loaded"_s;
    };
    const auto countLoads = [&] {
        main().setFocus();
        loadsBefore = loads;
    };
    const auto clickIn = [](const char *name) {
        return [name](QWidget &dialog) { click(dialog.findChild<QWidget *>(QString::fromLatin1(name))); };
    };
    // Help shows in the desktop's browser, or in the program's own window where it has none.
    const auto helpPage = [] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == u"HelpWindow"_s && window->isVisible()) {
                const auto *browser = window->findChild<QTextBrowser *>(u"helpBrowser"_s);
                return (browser->toPlainText().isEmpty() ? u"blank "_s : QString()) +
                       browser->source().fileName();
            }
        }
        return QString();
    };
    // A help window opened from a dialog closes with it: its page is read while the dialog is up.
    QString dialogHelp;
    const auto templateHelp = [&](QWidget &dialog) {
        click(dialog.findChild<QWidget *>(u"Command2"_s));
        if (auto *help = dialog.findChild<QTextBrowser *>(u"helpBrowser"_s))
            dialogHelp = help->source().fileName();
    };
    const auto spellCheck = [](QWidget &dialog) {
        dialog.findChild<QPlainTextEdit *>(u"Text1"_s)->setPlainText(u"Teh answer"_s);
        click(dialog.findChild<QPushButton *>(u"CheckButton"_s));
    };
    const auto exportFromMenu = [](QWidget &menu) {
        auto *popup = qobject_cast<QMenu *>(&menu);
        QTest::mouseClick(popup, Qt::LeftButton, {},
                          popup->actionGeometry(popup->actions().value(0)).center());
    };
    const auto yahooStart = [&] {
        return h.child<QComboBox>("AddressCombo")->currentText() == base + u"/yahoo/inbox"_s
                   ? u"yahoo start page"_s
                   : QString();
    };
    const auto saved = [&] {
        return h.child<QLabel>("LabelBkName")->text().endsWith(u'*') ? u"unsaved"_s : u"saved"_s;
    };
    const auto copied = [&] {
        return QApplication::clipboard()->text().contains(h.iniPath()) ? u"copied"_s : QString();
    };
    const auto spamWords = [&] {
        tick(-1, -1)();
        h.child<QPlainTextEdit>("TextSpam")->setPlainText(u"a"_s);
    };
    const auto wideBook = [&] {
        form().addressBookPane().SizeControls(9000); // dragged wide enough for every button
        grid->setFocus();
    };
    const auto friends = [&] { h.openBook(h.mainDir() + u"addrbooks/Friends.csv"_s); };
    const auto typeInBook = [&] { QTest::keyClicks(h.child<QLineEdit>("TextEdit"), u"x"_s); };
    const std::function<QString()> none;
    const std::function<void(QWidget &)> nothing;

    const UserPath paths[] = {
        // The tabs, F1 on one of them and the Settings tab's buttons.
        {u"tab:Compose"_s, {u"tab 2 ComposePage"_s}},
        {u"tab:Calendar"_s, {u"tab 4 WebBrowser4"_s}},
        {u"tab:Settings"_s, {u"tab 5 PictureSettings"_s}},
        {u"#F1"_s, {u"HelpWindow"_s, u"open settings.html"_s}},
        {u"HelpWindow/helpContents"_s, {u"open index.html"_s}},
        {u"HelpWindow/helpBack"_s, {u"open settings.html"_s}},
        {u"HelpWindow/helpForward"_s, {u"open index.html"_s}},
        {u"CommandDefBrowser"_s, {u"open mailto.html"_s}},
        {u"SpellOptions"_s, {u"FormSpellOptions"_s, u"Open Custom Dictionary"_s}, none, clickIn("Command1")},
        {u"Command7"_s, {u"keywords shown"_s}, shown("TextSpam", u"keywords shown"_s, {})},
        {u"OptionY"_s, {u"yahoo start page"_s}, yahooStart},
        // The browser toolbar and its keys, on the inbox the start page opens.
        {u"Toolbar1/go"_s, {u"tab 1 InboxPage"_s, u"at /yahoo/inbox"_s}, at(u"/yahoo/inbox"_s)},
        {u"Inbox>Tick Range"_s, {u"4 ticked"_s}, ticked, nothing, tick(1, 4)},
        {u"Inbox>Clear Ticks"_s, {u"0 ticked"_s}, ticked},
        {u"right:WebBrowser1"_s, {u"3 ticked"_s}, threeTicked, nothing, tick(0, 2)},
        {u"Command1"_s, {u"some ticked"_s}, someTicked, nothing, tick(-1, -1)},
        {u"Command2"_s, {u"some ticked"_s}, someTicked, nothing, spamWords},
        {u"Toolbar1/back"_s,
         {u"at /yahoo/inbox"_s},
         at(u"/yahoo/inbox"_s),
         nothing,
         load(u"/yahoo/message?id=1"_s)},
        {u"Toolbar1/forward"_s, {u"at /yahoo/message"_s}, at(u"/yahoo/message"_s)},
        {u"#Alt+Left"_s, {u"at /yahoo/inbox"_s}, at(u"/yahoo/inbox"_s), nothing, focusMain},
        {u"#Alt+Right"_s, {u"at /yahoo/message"_s}, at(u"/yahoo/message"_s), nothing, focusMain},
        {u"Toolbar1/refresh"_s, {u"reloaded"_s}, reloaded, nothing, countLoads},
        {u"#F5"_s, {u"reloaded"_s}, reloaded, nothing, countLoads},
        {u"GetBody"_s, {u"Message Saved"_s}, [&] { return h.child<QLabel>("LabelSaved")->text(); }},
        {u"Command6"_s, {u"DialogNewFolder"_s}},
        {u"Toolbar1/spell"_s,
         {u"vtshilit"_s, u"SpellDecisionDialog"_s},
         none,
         spellCheck,
         load(u"/cgi-bin/signin.cgi"_s)},
        // The editor's mode switches and the blog footer beside them.
        {u"CheckNormal"_s, {u"editor shown"_s}, shown("PictureBlog", u"editor shown"_s, {})},
        {u"CheckHTMLSource"_s, {u"editor hidden"_s}, shown("PictureBlog", {}, u"editor hidden"_s)},
        {u"CommandBlogFooter"_s, {u"DialogBlogFooter"_s}},
        // The address book pane: shown, hidden, its toolbar and F1 in it.
        {u"View>Show Address Book Pane"_s, {u"pane shown"_s}, pane},
        {u"View>Hide Address Book Pane"_s, {u"pane hidden"_s}, pane},
        {u"CommandShowAddress"_s, {u"pane shown"_s}, pane},
        {u"#F1"_s, {u"open addressbook.html"_s}, none, nothing, wideBook},
        {u"Toolbar2/new"_s, {u"DialogNewAddrBook"_s}},
        {u"Toolbar2/open"_s, {u"Open Address List"_s}},
        {u"Toolbar2/add"_s, {u"11 rows"_s}, rows, nothing, friends},
        {u"Toolbar2/remove"_s, {u"10 rows"_s}, rows},
        {u"Toolbar2/save"_s, {u"saved"_s}, saved, nothing, typeInBook},
        {u"Toolbar2/find"_s, {u"DialogFind"_s}},
        {u"Toolbar2/addmsg"_s, {u"11 rows"_s}, rows, nothing, load(u"/yahoo/message?id=1"_s)},
        {u"Toolbar2/palette"_s, {u"FormEmail"_s}},
        {u"Toolbar2/expand"_s, {u"pane expanded"_s}, pane},
        {u"CommandHide"_s, {u"pane hidden"_s}, pane},
        // The menus.
        {u"File>Import Address List..."_s, {u"Import Address List"_s}},
        {u"File>Export Folder as mbox..."_s, {u"Export Folder as mbox"_s}},
        {u"View>Position Editor..."_s, {u"DialogPosEditor"_s}},
        {u"Help>Contents"_s, {u"open index.html"_s}},
        {u"Help>About Corvalis"_s, {u"frmAbout"_s, u"copied"_s}, copied, clickIn("cmdSysInfo")},
        {u"Help>About Qt"_s, {u"About Qt"_s}},
        // The compose frame's buttons, and the buttons of the mail merge window.
        {u"tab:Compose"_s, {u"tab 2 ComposePage"_s}},
        {u"CommandTemplate"_s,
         {u"DialogTemplate"_s, u"open templates.html"_s},
         [&] { return u"open "_s + std::exchange(dialogHelp, QString()); },
         templateHelp},
        {u"Command4"_s, {u"said You must select a template."_s}},
        {u"Command5"_s, {u"DialogMerge"_s}},
        {u"DialogMerge/Command5"_s, {u"open merge.html"_s}},
        // The saved-folders tab: its folder buttons and menu, and the buttons on a message.
        {u"tab:Saved Message Folders (local)"_s, {u"tab 3 SavedFoldersPage"_s}},
        {u"CommandAddFolder"_s, {u"DialogNewFolder"_s}},
        {u"RemoveFolder"_s, {u"open savedmgs"_s}},
        {u"right:ComboFolders2"_s, {u"Export Folder as mbox"_s}, none, exportFromMenu},
        {u"CommandReplyText"_s, {u"tab 2 ComposePage"_s}, none, nothing, pickMessage(u"Saved"_s)},
        {u"CommandReplyNoText"_s, {u"tab 2 ComposePage"_s}, none, nothing, pickMessage(u"Saved"_s)},
        {u"CommandForward"_s, {u"tab 2 ComposePage"_s}, none, nothing, pickMessage(u"Saved"_s)},
        {u"CommandSendAgain"_s, {u"tab 2 ComposePage"_s}, none, nothing, pickMessage(u"sent"_s)},
        // Leaving: the menu, then the key on a new window.
        {u"File>Exit"_s, {u"closed"_s}, [&] { return form().isVisible() ? QString() : u"closed"_s; }},
    };

    for (const UserPath &path : paths) {
        SCOPED_TRACE(path.how.toStdString());
        if (path.before)
            path.before();
        // What appeared: the modal windows and menus opened, the windows shown, the files handed to
        // the desktop, a tab changed (with the page it shows), a message and the probe's answer.
        const int tab = form().tabs().selected();
        const qsizetype opened = h.openedFiles().size(), said = h.messages().shown().size();
        QList<QWidget *> windows;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                windows.append(window);
        const QString helpBefore = helpPage();
        QString problem;
        QStringList seen =
            MainFormHarness::modalsDuring([&] { problem = h.userStep(path.how); }, path.inside);
        seen << problem;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible() && !windows.contains(window))
                seen << window->objectName();
        for (const QString &file : h.openedFiles().mid(opened))
            seen << u"open "_s + QFileInfo(file).fileName();
        if (const QString help = helpPage(); !help.isEmpty() && help != helpBefore)
            seen << u"open "_s + help;
        if (form().tabs().selected() != tab) {
            auto *pages =
                form().findChild<QTabBar *>(u"TabStrip2"_s)->parentWidget()->findChild<QStackedWidget *>();
            seen << u"tab %1 %2"_s.arg(form().tabs().selected()).arg(pages->currentWidget()->objectName());
        }
        if (h.messages().shown().size() > said)
            seen << u"said "_s + h.messages().last();
        if (path.probe)
            seen << path.probe();
        for (const QString &wanted : path.expected)
            EXPECT_TRUE(seen.contains(wanted))
                << wanted.toStdString() << " not in: " << seen.join(u" | "_s).toStdString();
    }
}
