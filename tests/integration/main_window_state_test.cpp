// The main window across restarts and at its designed size: the address book, the palette and the
// default folder come back, no caption beside the address book is cut, and a minimized window
// closes as a maximized one. Finding saved messages from the saved-folders tab: results with their
// folder, the commands on a result, and back to the folder when the field is emptied.
#include "main_form_harness.h"

#include "addressbook/address_book_controller.h"
#include "addressbook/form_email.h"
#include "shell/tab_navigator.h"
#include "store/message_list_model.h"
#include "store/saved_message_file.h"
#include "webpages/web_pane.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(StartupBookTest, TheOpenBookAndThePaletteSwitchSurviveARestart) {
    MainFormHarness first;
    ASSERT_TRUE(first.start());
    first.form().findChild<QCheckBox *>(u"CheckEmail"_s)->setChecked(true);
    const QString friends = first.mainDir() + u"addrbooks/Friends.csv"_s;
    first.openBook(friends);
    first.form().close();
    const QString stored = first.settings().get(Keys::LastBook);
    EXPECT_EQ(stored, friends);

    for (const QString &book : {stored, first.mainDir() + u"addrbooks/gone.csv"_s}) {
        SCOPED_TRACE(book.toStdString());
        MainFormHarness again(
            "[Settings]\r\nshowpalette=" + first.settings().get(Keys::ShowPalette).toUtf8() +
            "\r\nlastbook=" + book.toUtf8() + "\r\n");
        ASSERT_TRUE(again.start());
        EXPECT_TRUE(again.form().findChild<QCheckBox *>(u"CheckEmail"_s)->isChecked());
        EXPECT_TRUE(again.form().findChild<FormEmail *>()->isVisible());
        EXPECT_EQ(again.form().findChild<AddressBookController *>()->book().currentPath(),
                  book == friends ? friends : QString());
        EXPECT_TRUE(again.messages().shown().isEmpty());
    }
}

// The default folder is kept in the settings file, is the capture target, and is the folder the
// saved-folders tab opens on after a restart.
TEST(DefaultFolder, IsKeptAndOpenedOnAfterARestart) {
    MainFormHarness h;
    ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Work"_s));
    const auto chosen = [&h] { // the default, capture and browsed folders
        return QStringList{h.form().findChild<QComboBox *>(u"ComboFolders3"_s)->currentText(),
                           h.form().findChild<QComboBox *>(u"ComboFolders"_s)->currentText(),
                           h.form().findChild<QListWidget *>(u"ComboFolders2"_s)->currentItem()->text()};
    };
    ASSERT_TRUE(h.start());
    EXPECT_EQ(chosen(), QStringList(3, u"Saved"_s)); // nothing chosen yet
    auto *defaultFolder = h.form().findChild<QComboBox *>(u"ComboFolders3"_s);
    defaultFolder->setCurrentIndex(defaultFolder->findText(u"Work"_s));
    emit defaultFolder->activated(defaultFolder->currentIndex());
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"defaultfolder"_s, {}), u"Work"_s);
    EXPECT_EQ(chosen(), (QStringList{u"Work"_s, u"Work"_s, u"Saved"_s}));
    ASSERT_TRUE(h.start()); // a new window on the same settings file
    EXPECT_EQ(chosen(), QStringList(3, u"Work"_s));
}

TEST(WindowFit, EveryTabShowsItsCaptionsWholeBesideTheAddressBook) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\n");
    ASSERT_TRUE(h.start());
    h.form().findChild<QAbstractButton *>(u"CommandShowAddress"_s)->click();
    h.openBook(h.mainDir() + u"addrbooks/Colleagues.txt"_s);
    for (int tab = 1; tab <= 5; ++tab) {
        h.form().tabs().select(tab);
        for (QWidget *w : h.form().findChildren<QWidget *>()) {
            const auto *button = qobject_cast<QAbstractButton *>(w);
            const auto *label = qobject_cast<QLabel *>(w);
            const QString text = button                              ? button->text()
                                 : label && label->pixmap().isNull() ? label->text()
                                                                     : u""_s;
            const bool fits = w->hasHeightForWidth() ? w->height() >= w->heightForWidth(w->width())
                                                     : w->width() >= w->sizeHint().width();
            EXPECT_TRUE(fits || text.isEmpty() || !w->isVisible()) << tab << ' ' << text.toStdString();
        }
    }
    auto *grid = h.form().findChild<QTableView *>(u"MSFlexGrid1"_s);
    for (int c = 0; c < grid->model()->columnCount() - 1; ++c) // the last column is hidden
        EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c)) << c;
    // Minimized, the window closes as a maximized one does, writing no placement.
    h.form().setWindowState(Qt::WindowMinimized);
    h.form().close();
    EXPECT_EQ(h.settings().GetIni(u"Settings"_s, u"setmax"_s, {}) +
                  h.settings().GetIni(u"Settings"_s, u"width"_s, u"absent"_s),
              u"1absent"_s);
}

TEST(SearchResults, FindInOneFolderOrAllThenActOnAResult) {
    MainFormHarness h;
    // clang-format off
    ASSERT_TRUE(QDir(h.mainDir()).mkpath(u"savedmgs/Work"_s) && QDir(h.mainDir()).mkpath(u"savedmgs/Archive"_s));
    for (const auto &[folder, from, subject, body] : {std::tuple{u"Work"_s, u"Ann"_s, u"Picnic"_s, u"one"_s},
            {u"Work"_s, u"Bob"_s, u"Budget"_s, u"a <b>PIC</b>NIC"_s}, {u"Archive"_s, u"Cid"_s, u"picnic"_s, u"x"_s},
            {u"sent"_s, u"Sent Message"_s, u"Picnic?"_s, u"hi"_s}}) { // clang-format on
        ASSERT_TRUE(writeSavedMessage(h.mainDir(), folder,
                                      {from, subject, u"12/05/2004"_s, u"pat@x"_s, {}, {}, body},
                                      folder == u"sent"_s ? MessageKind::Sent : MessageKind::Captured)
                        .ok());
    }
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    auto *list = form.findChild<QTreeView *>(u"ListMsg"_s);
    auto *field = form.findChild<QLineEdit *>(u"TextSearch"_s);
    auto *status = form.findChild<QLabel *>(u"LabelSearchStatus"_s);
    form.tabs().select(TabNavigator::SavedFolders);
    auto *folders = form.findChild<QListWidget *>(u"ComboFolders2"_s);
    folders->setCurrentItem(folders->findItems(u"Work"_s, Qt::MatchExactly).first());
    const auto rows = [list] { // "folder:from", the folder shown for results only
        QStringList cells;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            cells.append(list->model()->index(row, MessageListModel::FolderColumn).data().toString() + u':' +
                         list->model()->index(row, MessageListModel::FromColumn).data().toString());
        cells.sort();
        return cells;
    };
    const auto search = [&](const QString &term) {
        field->setText(term);
        EXPECT_TRUE(MainFormHarness::waitFor([&] { return status->text().contains(u"found"_s); }));
        return rows();
    };
    const auto select = [&](const QString &from, const QString &page) {
        const QModelIndex at =
            list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, from).value(0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(at).center());
        ASSERT_TRUE(MainFormHarness::waitForPage(form.webBrowser(2), page));
    };

    EXPECT_EQ(search(u"picnic"_s), QStringList{u"Work:Ann"_s});
    form.findChild<QCheckBox *>(u"CheckSearchText"_s)->setChecked(true);
    EXPECT_EQ(search(u"picnic"_s), (QStringList{u"Work:Ann"_s, u"Work:Bob"_s}));
    form.findChild<QComboBox *>(u"ComboSearchScope"_s)->setCurrentIndex(1);
    EXPECT_EQ(search(u"picnic"_s),
              (QStringList{u"Archive:Cid"_s, u"Work:Ann"_s, u"Work:Bob"_s, u"sent:pat@x"_s}));

    // A sent copy found offers what the sent folder offers; a moved or deleted result leaves the list.
    auto *reply = form.findChild<QPushButton *>(u"CommandReplyText"_s);
    select(u"pat@x"_s, u"sent"_s);
    EXPECT_FALSE(reply->isVisibleTo(&form) || form.findChild<QPushButton *>(u"CommandMove"_s)->isEnabled());
    select(u"Cid"_s, u"Cid"_s);
    EXPECT_TRUE(reply->isVisibleTo(&form) && reply->isEnabled());
    auto *target = form.findChild<QComboBox *>(u"ComboFolders4"_s);
    target->setCurrentIndex(target->findText(u"Work"_s));
    form.findChild<QPushButton *>(u"CommandMove"_s)->click();
    select(u"Ann"_s, u"Ann"_s);
    form.findChild<QPushButton *>(u"CommandDelete"_s)->click();
    EXPECT_EQ(rows(), (QStringList{u"Work:Bob"_s, u"sent:pat@x"_s}));
    field->clear(); // back to the folder browsed
    EXPECT_EQ(rows(), (QStringList{u":Bob"_s, u":Cid"_s}));
}
