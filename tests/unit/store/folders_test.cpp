// Folders of saved messages, the list of one folder's messages and dragging them to another.
#include "store/dialog_new_folder.h"

#include "base/messages.h"
#include "store/message_list_model.h"
#include "store/saved_folders.h"

#include "main_dir.h"

#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

TEST(SavedFolders, ListsSubfoldersAlphabeticallyWhateverTheMainDirLooksLike) {
    MainDir main({"Saved", "sent", "archive", "Zeta", ".trash"});
    main.write(u"savedmgs/loose.htm"_s, "x");
    const QStringList expected{"archive", "Saved", "sent", "Zeta"};
    EXPECT_EQ(SavedFolders::list(main.mainDir()), expected);
    EXPECT_EQ(SavedFolders::list(main.path()), expected); // no trailing separator
    EXPECT_TRUE(SavedFolders::list(main.mainDir() + u"missing"_s).isEmpty());
}

TEST(SavedFolders, CreateRefusesNamesThatLeaveTheStore) {
    MainDir main({"Saved"});
    struct Case {
        QString name;
        SavedFolders::CreateError error;
    } cases[] = {
        {"Work", SavedFolders::CreateError::None},
        {"Work", SavedFolders::CreateError::Failed}, // exists now
        {"", SavedFolders::CreateError::InvalidName},
        {".", SavedFolders::CreateError::InvalidName},
        {"../escape", SavedFolders::CreateError::InvalidName},
        {"...", SavedFolders::CreateError::None}, // an odd but harmless name
    };
    for (const Case &c : cases)
        EXPECT_EQ(SavedFolders::create(main.mainDir(), c.name), c.error) << c.name.toStdString();
    EXPECT_FALSE(main.has(u"escape"_s));
}

// A folder made through the dialog is the folders integration test's; here its failures.
TEST(DialogNewFolder, OkNeedsTextAndFailuresKeepTheDialogOpen) {
    MainDir main({"Saved"});
    RecordingMessages messages;
    DialogNewFolder dialog(main.mainDir(), messages);
    auto *text = dialog.findChild<QLineEdit *>(u"Text1"_s);
    auto *ok = dialog.findChild<QPushButton *>(u"OKButton"_s);
    QSignalSpy created(&dialog, &DialogNewFolder::folderCreated);
    EXPECT_FALSE(ok->isEnabled());
    text->setText(u"Saved"_s); // a folder there already; which names fail is the store's
    ok->click();
    EXPECT_EQ(messages.shown(), QStringList{DialogNewFolder::failureMessage()});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(created.isEmpty());
}

using Layout = MessageListModel::Layout;

QString column(const MessageListModel &model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.append(model.index(row, column).data().toString());
    return cells.join(u' ');
}

TEST(MessageListModel, ListsOnlySavedMessageNamesInAlphabeticalOrderAndDragsThem) {
    TestFolder folder;
    for (const QString &name : {u"bob&&Second&&12#05#2004 10^31&&Pat.htm"_s,
                                u"Ann&&Hello&&12#05#2004 10^31&&Bob.htm"_s, u"carl&&Five&&d&&To&&extra.htm"_s,
                                u"notes.txt"_s, u"only&&two&&parts.htm"_s, u".hidden&&a&&b&&c.htm"_s})
        folder.write(name, "x");
    folder.write(u"binary&&\x01\x02&&d&&t.htm"_s, QByteArray("\0\xff\xfe", 3));
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"Sub&&folder&&is&&skipped"_s));
    // A file nobody may read is still listed by its name.
    folder.write(u"Locked&&s&&d&&t.htm"_s, "x");
    QFile::setPermissions(folder.path(u"Locked&&s&&d&&t.htm"_s), {});

    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn), u"Ann binary bob carl Locked"_s);
    EXPECT_EQ(column(model, MessageListModel::ToColumn), u"Bob t Pat To t"_s);
    EXPECT_EQ(model.filePath(0), folder.path() + u"/Ann&&Hello&&12#05#2004 10^31&&Bob.htm"_s);
    // A row drags as its file; the rows a move or a delete takes away, and the selection a sort
    // keeps, are the folders integration test's.
    EXPECT_TRUE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsDragEnabled));
    const std::unique_ptr<QMimeData> data(model.mimeData({model.index(1, 2)}));
    EXPECT_EQ(QString::fromUtf8(data->data(MessageListModel::mimeType())), model.filePath(1));
}

TEST(MessageListModel, HeaderClicksSortAndToggle) {
    TestFolder folder;
    folder.write(u"b&&x&&12#05#2004&&t.htm"_s, "x");    // 20062
    folder.write(u"a&&y&&3#5#1977&&t.htm"_s, "x");      // 9925: would sort after 20062 as text
    folder.write(u"c&&z&&someday&&t.htm"_s, "x");       // no date
    folder.write(u"D&&w&&1#1#1950 9^00&&t.htm"_s, "x"); // 0
    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn), u"a b c D"_s);

    const struct {
        int column;
        Qt::SortOrder order;
        QString from;
    } clicks[] = {
        {MessageListModel::DateColumn, Qt::AscendingOrder, u"D a b c"_s},
        {MessageListModel::DateColumn, Qt::DescendingOrder, u"c b a D"_s},
        {MessageListModel::SubjectColumn, Qt::AscendingOrder, u"D b a c"_s},
        {MessageListModel::FromColumn, Qt::AscendingOrder, u"a b c D"_s}, // letter case ignored
        {MessageListModel::FromColumn, Qt::DescendingOrder, u"D c b a"_s},
    };
    for (const auto &click : clicks) {
        SCOPED_TRACE(click.column);
        EXPECT_EQ(model.columnClicked(click.column), click.order);
        EXPECT_EQ(column(model, MessageListModel::FromColumn), click.from);
    }
    // Listing again keeps the order the user chose.
    folder.write(u"e&&v&&d&&t.htm"_s, "x");
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn), u"e D c b a"_s);
}

} // namespace
