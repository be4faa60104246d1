// The main window on real panes: start-up, tabs, shutdown and restarts.
#include "main_form_harness.h"

#include "addressbook/form_email.h"
#include "shell/address_book_pane.h"
#include "store/message_list_model.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTabBar>
#include <QToolButton>

TEST(MainWindowTest, FirstStartShowsTheWelcomePageTabsFollowTheServiceAndCloseWritesTheSettings) {
    MainFormHarness h;
    ASSERT_TRUE(h.start()); // on the welcome page
    MainForm &form = h.form();
    EXPECT_EQ(form.windowTitle(), u"Corvalis"_s);
    EXPECT_EQ(form.tabs().selected(), int(TabNavigator::InboxLogin));
    EXPECT_EQ(h.child<QComboBox>("AddressCombo")->currentText(), form.webBrowser(1).locationUrl());
    EXPECT_TRUE(form.addressBookPane().addbook_hidden());
    EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
    // Every toolbar picture is drawn, from the desktop theme or the program's own copies.
    const QStringList pictured{u"back"_s, u"forward"_s, u"refresh"_s, u"stop"_s, u"go"_s,    u"spell"_s,
                               u"new"_s,  u"open"_s,    u"save"_s,    u"find"_s, u"expand"_s};
    for (const QAction *action : form.findChildren<QAction *>()) {
        if (pictured.contains(action->objectName())) {
            EXPECT_FALSE(action->icon().pixmap(16).isNull()) << action->objectName().toStdString();
        }
    }
    EXPECT_FALSE(form.findChild<QToolButton *>(u"Command6"_s)->icon().pixmap(16).isNull());

    // The address box tells the compose page on show.
    ASSERT_TRUE(h.openCompose(PageModel::yahoo));
    EXPECT_EQ(h.child<QComboBox>("AddressCombo")->currentText(), form.webBrowser(3).locationUrl());

    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"setmax"_s, u"absent"_s), u"absent"_s);
    form.close();
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"setmax"_s, u"absent"_s), u"1"_s);
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"autologin"_s, u"absent"_s), u"0"_s);
    // The main directory is the installer's to write, never the program's.
    EXPECT_EQ(h.settings().GetIni(u"Locations"_s, u"main dir"_s, QString()), h.mainDir());
}

// At 1024x700 with the address book beside the tabs: a press on the blank keeps the tab; Ctrl+Tab
// and the rest walk the tabs; every pane shows whole; Alt with a tab's letter (shared with no menu
// or control on show) switches to it from every tab. Tab passes the address book as one stop, then
// the page's controls as they read, up to its web page or round to the address box.
TEST(WindowEdgesTest, BesideTheAddressBookEveryPaneShowsWholeAndTheKeysWalkEveryTab) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\n");
    ASSERT_TRUE(h.start());
    h.form().resize(1024, 700);
    auto *tabs = h.child<QTabBar>("TabStrip2");
    tabs->setCurrentIndex(TabNavigator::SettingsTab - 1);
    QWidget *settingsPage = h.child("PictureSettings");
    ASSERT_TRUE(settingsPage && settingsPage->isVisible());
    QTest::mouseClick(settingsPage, Qt::LeftButton, {}, QPoint(5, settingsPage->height() - 5));
    EXPECT_EQ(tabs->currentIndex(), TabNavigator::SettingsTab - 1);

    for (const auto &[keys, tab] :
         {std::pair{Qt::CTRL | Qt::Key_Tab, TabNavigator::InboxLogin}, // round the end
          {Qt::CTRL | Qt::Key_PageDown, TabNavigator::Compose},
          {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, TabNavigator::InboxLogin},
          {Qt::CTRL | Qt::Key_PageUp, TabNavigator::SettingsTab}}) {
        QTest::keyClick(tabs, keys.key(), keys.keyboardModifiers());
        EXPECT_EQ(tabs->currentIndex(), tab - 1) << QKeySequence(keys).toString().toStdString();
    }

    // The main pane keeps room for a page 680 pixels wide (a compose form's body), the editor stays
    // on it, and the saved messages show every column.
    h.form().tabs().select(TabNavigator::InboxLogin);
    QTest::mouseClick(h.child<QAbstractButton>("CommandShowAddress"), Qt::LeftButton);
    QApplication::processEvents();
    const QRect mainPane = h.child("WebBrowser1")->geometry();
    EXPECT_GE(mainPane.width(), 680);
    EXPECT_TRUE(mainPane.contains(h.child("PictureBlog")->geometry())) << mainPane.width();
    ASSERT_EQ(h.userStep(u"tab:Saved Message Folders (local)"_s), QString());
    auto *list = h.child<QTreeView>("ListMsg");
    for (int column = MessageListModel::FromColumn; column <= MessageListModel::DateColumn; ++column) {
        const int end = list->header()->sectionViewportPosition(column) + list->header()->sectionSize(column);
        EXPECT_LE(end, list->viewport()->width()) << column;
        EXPECT_GE(list->header()->sectionSize(column), 60) << column;
    }

    h.openBook(h.mainDir() + u"addrbooks/Colleagues.txt"_s);
    QApplication::setActiveWindow(&h.form());
    const QString reading[] = {
        u"Command1 Command2 GetBody ComboFolders Command6 CheckAutoLog CheckSaveSent CheckNormal "
        "CheckHTMLSource CommandBlogFooter WebBrowser1"_s,
        u"CommandTemplate ComboTemplate Command4 Command5 AddressCombo"_s,
        u"ComboFolders2 CommandAddFolder RemoveFolder TextSearch ComboSearchScope CheckSearchText ListMsg "
        "ComboFolders4 WebBrowser2"_s,
        u"WebBrowser4"_s,
        u"Command7 CheckNonEnglish CheckSpamUnread ComboUnread OptionH TextHotmail TextYahoo CheckGotoInbox "
        "CommandDefBrowser CheckEmail SpellOptions ComboTemplate2 ComboFolders3 CommandForgetWeb AddressCombo"_s};
    for (int from = 0; from < tabs->count(); ++from) {
        for (int to = 0; to < tabs->count(); ++to) {
            tabs->setCurrentIndex(from);
            QTest::keyClick(&h.form(), QKeySequence::mnemonic(tabs->tabText(to))[0].key(), Qt::AltModifier);
            EXPECT_EQ(tabs->currentIndex(), to) << from << " to " << to;
        }
        h.form().tabs().select(from + 1);
        QApplication::processEvents();
        h.child("AddressCombo")->setFocus();
        QStringList walked;
        while (walked.size() < 40 &&
               !walked.value(walked.size() - 1).contains(QRegularExpression(u"^(Web|Addr)"_s))) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *at = QApplication::focusWidget();
            while (at && at->objectName().isEmpty()) // a page's own view inside its pane
                at = at->parentWidget();
            walked << (at ? at->objectName() : u"nothing"_s);
        }
        EXPECT_EQ(walked.join(u' '), u"CommandHide ListBooks MSFlexGrid1 TabStrip2 "_s + reading[from])
            << from;
    }
}

// A new window on the same settings file: the open book (one gone meanwhile dropped quietly), palette switch
// and default folder come back; that folder is the capture target and the saved-folders tab's first.
TEST(RestartTest, TheBookThePaletteAndTheDefaultFolderComeBack) {
    MainFormHarness h;
    ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Work"_s));
    const auto chosen = [&h] { // the default, capture and browsed folders
        return QStringList{h.child<QComboBox>("ComboFolders3")->currentText(),
                           h.child<QComboBox>("ComboFolders")->currentText(),
                           h.child<QListWidget>("ComboFolders2")->currentItem()->text()};
    };
    ASSERT_TRUE(h.start());
    EXPECT_EQ(chosen(), QStringList(3, u"Saved"_s)); // nothing chosen yet
    auto *defaultFolder = h.child<QComboBox>("ComboFolders3");
    defaultFolder->setCurrentIndex(defaultFolder->findText(u"Work"_s));
    emit defaultFolder->activated(defaultFolder->currentIndex());
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"defaultfolder"_s, {}), u"Work"_s);
    EXPECT_EQ(chosen(), (QStringList{u"Work"_s, u"Work"_s, u"Saved"_s}));
    h.child<QCheckBox>("CheckEmail")->setChecked(true);
    const QString friends = h.mainDir() + u"addrbooks/Friends.csv"_s;
    h.openBook(friends);
    h.form().close();
    EXPECT_EQ(h.settings().get(Keys::LastBook), friends);

    for (const QString &book : {friends, h.mainDir() + u"addrbooks/gone.csv"_s}) {
        SCOPED_TRACE(book.toStdString());
        h.settings().set(Keys::LastBook, book);
        ASSERT_TRUE(h.start());
        EXPECT_EQ(chosen(), QStringList(3, u"Work"_s));
        EXPECT_TRUE(h.child<QCheckBox>("CheckEmail")->isChecked());
        EXPECT_TRUE(h.form().findChild<FormEmail *>()->isVisible());
        EXPECT_EQ(h.form().findChild<AddressBookController *>()->book().currentPath(),
                  book == friends ? friends : QString());
        EXPECT_TRUE(h.messages().shown().isEmpty());
        h.form().close();
    }
}
