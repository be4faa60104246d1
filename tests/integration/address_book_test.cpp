// The address book in the main window, and its addresses inserted into webmail-sim's compose page.
#include "main_form_harness.h"

#include "addressbook/form_email.h"
#include "shell/address_book_pane.h"
#include "webpages/address_insertion.h"

#include <QDialog>

namespace {

class AddressBookTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.start());
        QByteArray book = "Email,First,Last,\r\n";
        for (int i = 1; i <= 9; ++i)
            book += u"p%1@x.com,F%1,L%1,\r\n"_s.arg(i).toUtf8();
        ASSERT_TRUE(TextFile::writeAtomically(h.mainDir() + u"addrbooks/insert.csv"_s, book).ok);
        h.openBook(h.mainDir() + u"addrbooks/insert.csv"_s);
        h.form().addressBookPane().showPane();
        h.form().addressBookPane().SizeControls(9000); // wide enough for every button
        addresses = h.form().findChild<AddressBookController *>();
        grid = h.child<QTableView>("MSFlexGrid1");
    }
    // Rows as the user picks them: `row` is where the pick ends (the current row).
    void pick(int rowSel, int row) {
        QAbstractItemModel *model = grid->model();
        grid->setCurrentIndex(model->index(rowSel, 0));
        grid->selectionModel()->select(QItemSelection(model->index(rowSel, 0), model->index(row, 0)),
                                       QItemSelectionModel::ClearAndSelect);
        grid->selectionModel()->setCurrentIndex(model->index(row, 0), QItemSelectionModel::NoUpdate);
    }
    void press(const QString &key) { EXPECT_EQ(h.userStep(u"Toolbar2/"_s + key), QString()); }
    // A field of the form on the compose page.
    std::optional<QString> field(const QString &form, const QString &name) {
        return h.form().webBrowser(3).formFieldValue(form, name);
    }

    MainFormHarness h;
    AddressBookController *addresses = nullptr;
    QTableView *grid = nullptr;
};

} // namespace

TEST_F(AddressBookTest, AddressesJoinTheComposeFieldsOnTheComposeTab) {
    ASSERT_TRUE(h.openCompose(u"hotmail"_s));
    WebPane &compose = h.form().webBrowser(3);
    ASSERT_TRUE(compose.setFormFieldValue(u"composeform"_s, u"to"_s, u"boss@x.com"_s));
    pick(0, 0);
    press(u"setto"_s);
    EXPECT_EQ(field(u"composeform"_s, u"to"_s), u"boss@x.com,p1@x.com"_s);
    // Rows 7 up to 3 go in top to bottom.
    pick(6, 2);
    press(u"setcc"_s);
    EXPECT_EQ(field(u"composeform"_s, u"cc"_s), u"p3@x.com,p4@x.com,p5@x.com,p6@x.com,p7@x.com"_s);
    pick(8, 8);
    press(u"setbcc"_s);
    EXPECT_EQ(field(u"composeform"_s, u"bcc"_s), u"p9@x.com"_s);
    EXPECT_EQ(h.form().pageState().webmail, u"hotmail"_s);
    // A double click on the grid goes to To.
    pick(1, 1);
    const QPoint cell = grid->visualRect(grid->currentIndex()).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell); // a double click's first click
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(field(u"composeform"_s, u"to"_s), u"boss@x.com,p1@x.com,p2@x.com"_s);
    EXPECT_TRUE(h.messages().shown().isEmpty());

    // Without a compose page the user is told.
    ASSERT_TRUE(h.load(compose, h.sim().baseUrl() + u"/calendar/msn"_s));
    press(u"setto"_s);
    EXPECT_EQ(h.messages().shown(), QStringList{AddressInsertion::failureMessage()});
    EXPECT_FALSE(h.form().pageState().to_retry);
}

// Which pane an insertion writes into follows the tab (the rule is tested apart).
TEST_F(AddressBookTest, TheComposePageAwaitedAndThePaletteAreTargetsToo) {
    ASSERT_TRUE(h.showPage(u"/yahoo/inbox"_s));
    // From the Settings tab the insertion waits for the compose page.
    h.form().tabs().select(TabNavigator::SettingsTab);
    pick(4, 4);
    press(u"setcc"_s);
    EXPECT_EQ(h.form().tabs().selected(), TabNavigator::Compose);
    EXPECT_TRUE(h.form().pageState().to_retry);
    EXPECT_EQ(h.form().pageState().to_retry_which, 1);
    // Only the page's completion is awaited: a page call of the test's own would overlap the insertion's.
    QSignalSpy completed(&h.form().webBrowser(3), &WebPane::documentCompleted);
    ASSERT_TRUE(completed.wait(15000));
    QTest::qWait(300);
    EXPECT_FALSE(h.form().pageState().to_retry);
    EXPECT_EQ(field(u"compose"_s, u"Cc"_s), u"p5@x.com"_s);
    EXPECT_EQ(field(u"compose"_s, u"To"_s), u""_s);

    addresses->showPalette();
    auto *list = addresses->palette().findChild<QComboBox *>(u"Combo1"_s);
    ASSERT_EQ(list->count(), 9);
    list->setCurrentIndex(5);
    emit list->activated(5);
    EXPECT_EQ(field(u"compose"_s, u"To"_s), u"p6@x.com"_s);
    EXPECT_TRUE(addresses->palette().isVisible());
    EXPECT_TRUE(h.messages().shown().isEmpty());
}

// The pane lists the main directory's books, the open one marked; one clicked opens, is searched, saved.
TEST_F(AddressBookTest, TheDemoBookClickedInThePaneOpensIsSearchedAndSavedWhenTheWindowCloses) {
    auto *books = h.child<QListWidget>("ListBooks");
    ASSERT_TRUE(books && books->isVisible());
    EXPECT_EQ(books->count(), 3); // Colleagues.txt, Friends.csv, insert.csv
    EXPECT_EQ(books->currentItem()->text(), u"insert.csv"_s);
    QTest::mouseClick(books->viewport(), Qt::LeftButton, {}, books->visualItemRect(books->item(1)).center());
    const QString friends = h.mainDir() + u"addrbooks/Friends.csv"_s;
    EXPECT_EQ(addresses->book().currentPath(), friends);
    EXPECT_EQ(books->currentItem()->text(), u"Friends.csv"_s);
    auto *edit = h.child<QLineEdit>("TextEdit");
    EXPECT_FALSE(grid->isHidden()) << "the grid shows once a book is open";
    EXPECT_EQ(grid->model()->rowCount(), 10);

    h.toolAction(u"Toolbar2"_s, u"find"_s)->trigger();
    auto *find = h.child<QDialog>("DialogFind");
    ASSERT_TRUE(find && find->isVisible());
    EXPECT_FALSE(find->isModal());
    find->findChild<QLineEdit *>(u"Text1"_s)->setText(u"die"_s); // the column is the dialog's own
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(3, 0));
    EXPECT_EQ(edit->text(), u"Dieter"_s);
    find->close();

    grid->setCurrentIndex(grid->model()->index(0, 0));
    edit->selectAll();
    edit->insert(u"Anna"_s);
    h.toolAction(u"Toolbar2"_s, u"add"_s)->trigger();
    EXPECT_EQ(grid->model()->rowCount(), 11);
    h.form().close();
    const QByteArray saved = TextFile::readAll(friends).value_or(QByteArray());
    EXPECT_TRUE(saved.startsWith(
        "\"First Name\",\"Last Name\",\"Email Address\",\"Phone\",\"\"\r\n\"Anna\",\"Lee\""));
    EXPECT_TRUE(h.messages().shown().isEmpty());
}

TEST_F(AddressBookTest, TheDisplayedSendersJoinTheBook) {
    h.openBook(h.mainDir() + u"addrbooks/Colleagues.txt"_s);
    QAbstractItemModel *model = grid->model();
    const auto lastRow = [model] {
        const int last = model->rowCount() - 1;
        return QStringList{model->index(last, 0).data().toString(), model->index(last, 1).data().toString(),
                           model->index(last, 2).data().toString()};
    };

    QAction *addmsg = h.toolAction(u"Toolbar2"_s, u"addmsg"_s);
    addmsg->trigger();
    EXPECT_EQ(h.messages().last(), AddressBookController::noSenderMessage()) << "the welcome page";
    // How a From value splits into names and address is the book lookup's (tested apart).
    ASSERT_TRUE(h.showPage(u"/yahoo/message?id=1"_s));
    h.form().tabs().select(TabNavigator::SettingsTab);
    addmsg->trigger();
    EXPECT_EQ(h.form().tabs().selected(), TabNavigator::InboxLogin);
    EXPECT_EQ(lastRow(), (QStringList{u"Ann"_s, u"Lee"_s, u"ann.lee@example.com"_s}));
    EXPECT_EQ(grid->currentIndex(), model->index(model->rowCount() - 1, 2));
    EXPECT_EQ(h.messages().shown().size(), 1);
}
