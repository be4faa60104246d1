// Nothing is cut at the window's designed size: every caption of every tab and dialog fits
// its control (wrapping where it may), and the address grid's titles fit their columns. With
// CORVALIS_SCREENSHOT_DIR set, each tab and dialog is also saved there as a picture.
#include "main_form_harness.h"

#include "addressbook/address_book.h"
#include "addressbook/address_book_controller.h"
#include "addressbook/dialog_find.h"
#include "addressbook/form_email.h"
#include "shell/dialog_pos_editor.h"
#include "shell/splash_form.h"
#include "shell/tab_navigator.h"
#include "store/dialog_new_folder.h"
#include "store/message_store.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The captions in `window` that their control cuts, as "name: caption".
QStringList cutCaptions(QWidget *window) {
    QStringList cut;
    const auto check = [&cut](QWidget *w, const QString &caption) {
        if (!w->isVisible() || caption.isEmpty())
            return;
        const bool fits = w->hasHeightForWidth() ? w->height() >= w->heightForWidth(w->width()) &&
                                                       w->width() >= w->minimumSizeHint().width()
                                                 : w->width() >= w->sizeHint().width();
        if (!fits)
            cut.append(w->objectName() + u": "_s + caption);
    };
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        check(button, button->text());
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (!label->pixmap().isNull())
            continue;
        check(label, label->text());
    }
    return cut;
}

void picture(QWidget *window, const QString &name) {
    if (const QString dir = qEnvironmentVariable("CORVALIS_SCREENSHOT_DIR"); !dir.isEmpty()) {
        EXPECT_TRUE(window->grab().save(dir + u'/' + name + u".png"_s)) << name.toStdString();
    }
}

// Shows the dialog as the user would see it, checks it and takes its picture.
void checkDialog(QDialog &dialog, const QString &name) {
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(cutCaptions(&dialog), QStringList()) << name.toStdString();
    picture(&dialog, name);
    dialog.close();
}

} // namespace

TEST(WindowFit, EveryTabAndDialogShowsItsCaptionsWhole) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\n");
    ASSERT_TRUE(h.start());
    MainForm &form = h.form();
    form.findChild<QPushButton *>(u"CommandShowAddress"_s)->click();
    auto *addresses = form.findChild<AddressBookController *>();
    addresses->book().setPendingPath(h.mainDir() + u"addrbooks/Colleagues.txt"_s);
    addresses->book().Open_CSV();
    QApplication::processEvents();

    const char *const tabs[] = {"inbox", "compose", "saved-folders", "calendar", "settings"};
    for (int tab = 1; tab <= 5; ++tab) {
        SCOPED_TRACE(tabs[tab - 1]);
        form.tabs().select(tab);
        QApplication::processEvents();
        EXPECT_EQ(cutCaptions(&form), QStringList());
        picture(&form, u"tab-"_s + QLatin1String(tabs[tab - 1]));
    }

    // The grid's titles fit their columns.
    auto *grid = form.findChild<QTableView *>(u"MSFlexGrid1"_s);
    ASSERT_TRUE(grid && grid->isVisible());
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (!grid->isColumnHidden(c)) {
            EXPECT_GE(grid->columnWidth(c), grid->horizontalHeader()->sectionSizeHint(c)) << c;
        }
    }

    SplashForm splash;
    checkDialog(splash, u"splash"_s);
    DialogPosEditor position({true, 950, 3030}, {true, 950, 3030}, &form);
    checkDialog(position, u"position-editor"_s);
    DialogNewFolder newFolder(h.mainDir(), h.messages(), &form);
    checkDialog(newFolder, u"new-folder"_s);
    DialogFind find(addresses->book().model(), addresses->book().findState(), &form);
    find.Form_Load(form.geometry().center());
    checkDialog(find, u"find-address"_s);
    addresses->book().setDialogRunner([](QDialog &dialog) { checkDialog(dialog, u"new-address-book"_s); });
    addresses->book().newBook();

    FormEmail palette(&form);
    palette.Form_Load(addresses->book().model(), addresses->book().email_col());
    palette.show();
    QApplication::processEvents();
    EXPECT_EQ(cutCaptions(&palette), QStringList());
    picture(&palette, u"address-palette"_s);
}
