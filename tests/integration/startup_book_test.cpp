// The main window across restarts and at its designed size: the address book, the palette and the
// default folder come back, and no caption beside the address book is cut.
#include "main_form_harness.h"

#include "addressbook/address_book_controller.h"
#include "addressbook/form_email.h"
#include "shell/tab_navigator.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void openBook(MainFormHarness &h, const QString &path) {
    auto *addresses = h.form().findChild<AddressBookController *>();
    addresses->book().setPendingPath(path);
    addresses->book().Open_CSV();
}

} // namespace

TEST(StartupBookTest, TheOpenBookAndThePaletteSwitchSurviveARestart) {
    MainFormHarness first;
    ASSERT_TRUE(first.start());
    first.form().findChild<QCheckBox *>(u"CheckEmail"_s)->setChecked(true);
    const QString friends = first.mainDir() + u"addrbooks/Friends.csv"_s;
    openBook(first, friends);
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
    openBook(h, h.mainDir() + u"addrbooks/Colleagues.txt"_s);
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
}
