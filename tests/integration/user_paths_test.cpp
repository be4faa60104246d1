// Every way into a feature of the main window, taken as the user takes it (menus, keys, tabs, toolbar and
// window buttons, a dialog's buttons), shows the feature's window or effect; what it then does is its own
// tests'. Ways in those tests take are theirs: a saved message's buttons (compose transfer), Check Unread,
// Check Spam and the keyword list (inbox management), the editor's mode switches (blog editor), and Get Body,
// the palette button and File > Import Address List... (the workflow test's, by real mouse).
#include "main_form_harness.h"

#include "shell/address_book_pane.h"
#include "support/unit_files.h"

#include <QClipboard>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextBrowser>

#include <algorithm>

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
    ASSERT_TRUE(h.start());
    // No opener on the search path: help shows in the program's own window, whose buttons are ways in too.
    TestFolder bin;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8());
    const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });
    const auto main = [&h]() -> WebPane & { return h.form().webBrowser(1); };
    const auto at = [&](const QString &part) { // the document itself, not the address asked for
        return [&, part] {
            const QString href = MainFormHarness::runPageScript(main(), u"location.href"_s).toString();
            return href.contains(part) && !main().busy() ? u"at "_s + part : href;
        };
    };
    const QString boxes = u"document.querySelectorAll('tr.msgrow input[type=checkbox]')"_s;
    const auto ticked = [&] {
        return MainFormHarness::runPageScript(main(), u"[...%1].filter(b => b.checked).length"_s.arg(boxes))
                   .toString() +
               u" ticked"_s;
    };
    const auto tick = [&](int first, int last) {
        return [&, first, last] {
            MainFormHarness::runPageScript(
                main(), boxes + u".forEach((b, i) => b.checked = i == %1 || i == %2)"_s.arg(first).arg(last));
        };
    };
    const auto pane = [&] {
        return h.form().addressBookPane().addbook_hidden() ? u"pane hidden"_s
               : h.form().addressBookPane().expanded()     ? u"pane expanded"_s
                                                           : u"pane shown"_s;
    };
    auto *grid = h.child<QTableView>("MSFlexGrid1");
    const auto rows = [&] { return u"%1 rows"_s.arg(grid->model()->rowCount()); };
    const auto load = [&](const QString &page) { return [&, page] { ASSERT_TRUE(h.showPage(page)); }; };
    const auto message = load(u"/yahoo/message?id=1"_s), answerPage = load(u"/cgi-bin/signin.cgi"_s);
    const auto focusMain = [&] { main().setFocus(); };
    int loads = 0, loadsBefore = 0;
    QObject::connect(&main(), &WebPane::documentCompleted, [&loads] { ++loads; });
    const auto reloaded = [&] { return loads > loadsBefore ? u"reloaded"_s : u"not loaded"_s; };
    const auto countLoads = [&] {
        main().setFocus();
        loadsBefore = loads;
    };
    const auto clickIn = [](const char *name) {
        return [name](QWidget &dialog) { click(dialog.findChild<QWidget *>(QString::fromLatin1(name))); };
    };
    // Help shows in the desktop's browser, or in the program's own window where it has none.
    const auto helpPage = [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == u"HelpWindow"_s && window->isVisible()) {
                const auto *browser = window->findChild<QTextBrowser *>(u"helpBrowser"_s);
                return (browser->toPlainText().isEmpty() ? u"blank "_s : QString()) +
                       browser->source().fileName();
            }
        return QString();
    };
    // Last, the desktop's opener names a browser, and fails as it does when that browser cannot start.
    const auto brokenBrowser = [&] {
        for (const auto &[name, script] :
             {std::pair{u"xdg-mime"_s, "#!/bin/sh\necho broken-browser.desktop\n"},
              std::pair{u"xdg-open"_s, "#!/bin/sh\nexit 4\n"}})
            ASSERT_TRUE(QFile::setPermissions(bin.write(name, script),
                                              QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        for (QWidget *window : QApplication::topLevelWidgets()) // so that only a new showing counts
            if (window->objectName() == u"HelpWindow"_s)
                window->close();
    };
    const auto helpShown = [&] { return u"open "_s + helpPage(); };
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
    const auto saved = [&] {
        return h.child<QLabel>("LabelBkName")->text().endsWith(u'*') ? u"unsaved"_s : u"saved"_s;
    };
    const auto copied = [&] {
        return QApplication::clipboard()->text().contains(h.iniPath()) ? u"copied"_s : QString();
    };
    const auto wideBook = [&] {
        h.form().addressBookPane().SizeControls(9000); // dragged wide enough for every button
        grid->setFocus();
    };
    const auto friends = [&] { h.openBook(h.mainDir() + u"addrbooks/Friends.csv"_s); };
    const auto typeInBook = [&] { QTest::keyClicks(h.child<QLineEdit>("TextEdit"), u"x"_s); };

    const UserPath paths[] = {
        // The tabs, F1 on one of them and the Settings tab's buttons.
        {u"tab:Calendar"_s, {u"tab 4 WebBrowser4"_s}},
        {u"tab:Settings"_s, {u"tab 5 PictureSettings"_s}},
        {u"#F1"_s, {u"HelpWindow"_s, u"open settings.html"_s}},
        {u"HelpWindow/helpContents"_s, {u"open index.html"_s}},
        {u"HelpWindow/helpBack"_s, {u"open settings.html"_s}},
        {u"HelpWindow/helpForward"_s, {u"open index.html"_s}},
        {u"CommandDefBrowser"_s, {u"open mailto.html"_s}},
        {u"SpellOptions"_s, {u"FormSpellOptions"_s, u"Open Custom Dictionary"_s}, {}, clickIn("Command1")},
        {u"OptionY"_s,
         {h.sim().baseUrl() + u"/yahoo/inbox"_s},
         [&] { return h.child<QComboBox>("AddressCombo")->currentText(); }},
        // The browser toolbar and its keys, on the inbox the start page opens.
        {u"Toolbar1/go"_s, {u"tab 1 InboxPage"_s, u"at /yahoo/inbox"_s}, at(u"/yahoo/inbox"_s)},
        {u"Inbox>Tick Range"_s, {u"4 ticked"_s}, ticked, {}, tick(1, 4)},
        {u"Inbox>Clear Ticks"_s, {u"0 ticked"_s}, ticked},
        {u"right:WebBrowser1"_s, {u"3 ticked"_s}, ticked, {}, tick(0, 2)},
        {u"Toolbar1/back"_s, {u"at /yahoo/inbox"_s}, at(u"/yahoo/inbox"_s), {}, message},
        {u"Toolbar1/forward"_s, {u"at /yahoo/message"_s}, at(u"/yahoo/message"_s)},
        {u"#Alt+Left"_s, {u"at /yahoo/inbox"_s}, at(u"/yahoo/inbox"_s), {}, focusMain},
        {u"#Alt+Right"_s, {u"at /yahoo/message"_s}, at(u"/yahoo/message"_s), {}, focusMain},
        {u"Toolbar1/refresh"_s, {u"reloaded"_s}, reloaded, {}, countLoads},
        {u"#F5"_s, {u"reloaded"_s}, reloaded, {}, countLoads},
        {u"Command6"_s, {u"DialogNewFolder"_s}},
        {u"Toolbar1/spell"_s, {u"vtshilit"_s, u"SpellDecisionDialog"_s}, {}, spellCheck, answerPage},
        // The blog footer beside the editor's mode switches.
        {u"CommandBlogFooter"_s, {u"DialogBlogFooter"_s}},
        // The address book pane: shown, hidden, its toolbar and F1 in it.
        {u"View>Show Address Book Pane"_s, {u"pane shown"_s}, pane},
        {u"View>Hide Address Book Pane"_s, {u"pane hidden"_s}, pane},
        {u"CommandShowAddress"_s, {u"pane shown"_s}, pane},
        {u"#F1"_s, {u"open addressbook.html"_s}, {}, {}, wideBook},
        {u"Toolbar2/new"_s, {u"DialogNewAddrBook"_s}},
        {u"Toolbar2/open"_s, {u"Open Address List"_s}},
        {u"Toolbar2/add"_s, {u"11 rows"_s}, rows, {}, friends},
        {u"Toolbar2/remove"_s, {u"10 rows"_s}, rows},
        {u"Toolbar2/save"_s, {u"saved"_s}, saved, {}, typeInBook},
        {u"Toolbar2/find"_s, {u"DialogFind"_s}},
        {u"Toolbar2/addmsg"_s, {u"11 rows"_s}, rows, {}, message},
        {u"Toolbar2/expand"_s, {u"pane expanded"_s}, pane},
        {u"CommandHide"_s, {u"pane hidden"_s}, pane},
        // The menus.
        {u"File>Export Folder as mbox..."_s, {u"Export Folder as mbox"_s}},
        {u"View>Position Editor..."_s, {u"DialogPosEditor"_s}},
        {u"Help>Contents"_s, {u"open index.html"_s}},
        {u"Help>About Corvalis"_s, {u"frmAbout"_s, u"copied"_s}, copied, clickIn("cmdSysInfo")},
        {u"Help>About Qt"_s, {u"About Qt"_s}},
        // The compose frame's buttons, and the buttons of the mail merge window.
        {u"tab:Compose"_s, {u"tab 2 ComposePage"_s}},
        {u"CommandTemplate"_s,
         {u"DialogTemplate"_s, u"open templates.html"_s},
         [&] { return u"open "_s + dialogHelp; },
         templateHelp},
        {u"Command4"_s, {u"said You must select a template."_s}},
        {u"Command5"_s, {u"DialogMerge"_s}},
        {u"DialogMerge/Command5"_s, {u"open merge.html"_s}},
        // The saved-folders tab: its folder buttons and menu.
        {u"tab:Saved Message Folders (local)"_s, {u"tab 3 SavedFoldersPage"_s}},
        {u"CommandAddFolder"_s, {u"DialogNewFolder"_s}},
        {u"RemoveFolder"_s, {u"open savedmgs"_s}},
        {u"right:ComboFolders2"_s, {u"Export Folder as mbox"_s}, {}, exportFromMenu},
        // Help where the desktop's browser cannot start: the page shows once the opener has failed.
        {u"Help>Contents"_s, {u"open index.html"_s}, helpShown, {}, brokenBrowser},
        // Leaving, by the menu.
        {u"File>Exit"_s, {u"closed"_s}, [&] { return h.form().isVisible() ? QString() : u"closed"_s; }},
    };

    for (const UserPath &path : paths) {
        SCOPED_TRACE(path.how.toStdString());
        if (path.before)
            path.before();
        // What appeared: the modal windows and menus opened, the windows shown, the files handed to
        // the desktop, a tab changed (with the page it shows), a message and the probe's answer.
        const int tab = h.form().tabs().selected();
        const qsizetype opened = h.openedFiles().size(), said = h.messages().shown().size();
        QWidgetList windows = QApplication::topLevelWidgets();
        windows.removeIf([](const QWidget *window) { return !window->isVisible(); });
        const QString helpBefore = helpPage();
        QString problem;
        QStringList seen = MainFormHarness::modalsDuring([&] { problem = h.userStep(path.how); }, path.inside)
                           << problem;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible() && !windows.contains(window))
                seen << window->objectName();
        for (const QString &file : h.openedFiles().mid(opened))
            seen << u"open "_s + QFileInfo(file).fileName();
        if (const QString help = helpPage(); !help.isEmpty() && help != helpBefore)
            seen << u"open "_s + help;
        if (h.form().tabs().selected() != tab) {
            auto *pages =
                h.form().findChild<QTabBar *>(u"TabStrip2"_s)->parentWidget()->findChild<QStackedWidget *>();
            seen << u"tab %1 %2"_s.arg(h.form().tabs().selected()).arg(pages->currentWidget()->objectName());
        }
        if (h.messages().shown().size() > said)
            seen << u"said "_s + h.messages().last();
        // The probe's answer may take a moment to come (a page loading, a page's menu ticking).
        QString answer;
        const auto allSeen = [&] {
            answer = path.probe ? path.probe() : QString();
            return std::ranges::all_of(path.expected,
                                       [&](const QString &e) { return e == answer || seen.contains(e); });
        };
        EXPECT_TRUE(MainFormHarness::waitFor(allSeen))
            << path.expected.join(u" | "_s).toStdString()
            << " not all in: " << (seen << answer).join(u" | "_s).toStdString();
    }
}
