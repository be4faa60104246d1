// The address book and the address palette come back at the next start.
#include "main_form_harness.h"

#include "addressbook/address_book_controller.h"
#include "addressbook/form_email.h"

#include <QCheckBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(StartupBookTest, TheOpenBookAndThePaletteSwitchSurviveARestart) {
    MainFormHarness first;
    ASSERT_TRUE(first.start());
    first.form().findChild<QCheckBox *>(u"CheckEmail"_s)->setChecked(true);
    auto *addresses = first.form().findChild<AddressBookController *>();
    const QString friends = first.mainDir() + u"addrbooks/Friends.csv"_s;
    addresses->book().setPendingPath(friends);
    addresses->book().Open_CSV();
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
