// The address book in the main window: the demo books, find, the displayed senders and saving at exit.
#include "main_form_harness.h"

#include "addressbook/address_book_controller.h"
#include "base/text_file.h"
#include "shell/tab_navigator.h"
#include "webpages/web_pane.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(AddressBookWindowTest, TheDemoBookOpensIsSearchedAndSavedWhenTheWindowCloses) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    auto *addresses = h.form().findChild<AddressBookController *>();
    const QString friends = h.mainDir() + u"addrbooks/Friends.csv"_s;
    h.openBook(friends);
    auto *grid = h.form().findChild<QTableView *>(u"MSFlexGrid1"_s);
    auto *label = h.form().findChild<QLabel *>(u"LabelBkName"_s);
    auto *edit = h.form().findChild<QLineEdit *>(u"TextEdit"_s);
    EXPECT_FALSE(grid->isHidden()) << "the grid shows once a book is open";
    EXPECT_EQ(label->text(), u" Address Book:  Friends.csv"_s);
    EXPECT_EQ(grid->model()->rowCount(), 10);
    EXPECT_EQ(addresses->book().email_col(), 2);
    EXPECT_EQ(grid->model()->index(6, 1).data().toString(), u"O\"Brien"_s);
    EXPECT_TRUE(grid->isColumnHidden(4));

    h.toolAction(u"Toolbar2"_s, u"find"_s)->trigger();
    auto *find = h.form().findChild<QDialog *>(u"DialogFind"_s);
    ASSERT_TRUE(find && find->isVisible());
    EXPECT_FALSE(find->isModal());
    find->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(1);
    emit find->findChild<QComboBox *>(u"Combo1"_s)->activated(1);
    find->findChild<QLineEdit *>(u"Text1"_s)->setText(u"sch"_s);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(3, 1));
    EXPECT_EQ(edit->text(), u"Schmidt"_s);
    find->close();

    grid->setCurrentIndex(grid->model()->index(0, 0));
    edit->selectAll();
    edit->insert(u"Anna"_s);
    EXPECT_EQ(label->text(), u" Address Book:  Friends.csv*"_s);
    h.toolAction(u"Toolbar2"_s, u"add"_s)->trigger();
    EXPECT_EQ(grid->model()->rowCount(), 11);
    h.form().close();
    const QByteArray saved = TextFile::readAll(friends).value_or(QByteArray());
    EXPECT_TRUE(saved.startsWith(
        "\"First Name\",\"Last Name\",\"Email Address\",\"Phone\",\"\"\r\n\"Anna\",\"Lee\""));
    EXPECT_TRUE(saved.contains("\"O\"\"Brien\""));
    EXPECT_TRUE(saved.endsWith("\"\",\"\",\"\",\"\",\"\"\r\n"));
    EXPECT_TRUE(h.messages().shown().isEmpty());
}

TEST(AddressBookWindowTest, TheDisplayedSendersJoinTheBook) {
    MainFormHarness h;
    ASSERT_TRUE(h.start());
    h.openBook(h.mainDir() + u"addrbooks/Colleagues.txt"_s);
    QAbstractItemModel *model = h.form().findChild<QTableView *>(u"MSFlexGrid1"_s)->model();
    const auto lastRow = [model] {
        const int last = model->rowCount() - 1;
        return QStringList{model->index(last, 0).data().toString(), model->index(last, 1).data().toString(),
                           model->index(last, 2).data().toString()};
    };

    QAction *addmsg = h.toolAction(u"Toolbar2"_s, u"addmsg"_s);
    addmsg->trigger();
    EXPECT_EQ(h.messages().last(), AddressBookController::noSenderMessage()) << "the welcome page";
    const struct {
        QString page;
        QStringList row;
    } cases[] = {
        {u"/yahoo/message?id=1"_s, {u"Ann"_s, u"Lee"_s, u"ann.lee@example.com"_s}},
        {u"/hotmail/message?id=21&lang=de"_s, {u"Smith,"_s, u"John"_s, u"john.smith@example.org"_s}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page.toStdString());
        ASSERT_TRUE(h.load(h.form().webBrowser(1), h.sim().baseUrl() + c.page));
        h.form().tabs().select(TabNavigator::SettingsTab);
        addmsg->trigger();
        EXPECT_EQ(h.form().tabs().selected(), TabNavigator::InboxLogin);
        EXPECT_EQ(lastRow(), c.row);
        EXPECT_EQ(h.form().findChild<QTableView *>(u"MSFlexGrid1"_s)->currentIndex(),
                  model->index(model->rowCount() - 1, 2));
        EXPECT_EQ(h.form().findChild<QLabel *>(u"StatusPanel2"_s)->text(), u"Addr Added"_s);
    }
    EXPECT_EQ(h.messages().shown().size(), 1);
}
