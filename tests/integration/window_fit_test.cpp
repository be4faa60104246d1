// At the designed size beside the address book no caption of any tab is cut, and grid titles fit.
#include "main_form_harness.h"

#include "addressbook/address_book_controller.h"
#include "shell/tab_navigator.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(WindowFit, EveryTabShowsItsCaptionsWholeBesideTheAddressBook) {
    MainFormHarness h("[Settings]\r\nsetmax=0\r\n");
    ASSERT_TRUE(h.start());
    h.form().findChild<QAbstractButton *>(u"CommandShowAddress"_s)->click();
    auto *addresses = h.form().findChild<AddressBookController *>();
    addresses->book().setPendingPath(h.mainDir() + u"addrbooks/Colleagues.txt"_s);
    addresses->book().Open_CSV();
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
