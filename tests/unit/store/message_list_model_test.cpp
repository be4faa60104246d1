#include "store/message_list_model.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Layout = MessageListModel::Layout;

struct Folder {
    QTemporaryDir dir;
    void add(const QString &name, const QByteArray &bytes = "x") const {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.write(bytes);
    }
    QString path() const { return dir.path(); }
};

QStringList column(const MessageListModel &model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.append(model.index(row, column).data().toString());
    return cells;
}

TEST(MessageListModel, ListsOnlySavedMessageNamesInAlphabeticalOrder) {
    Folder folder;
    folder.add(QStringLiteral("bob&&Second&&12#05#2004 10^31&&Pat.htm"));
    folder.add(QStringLiteral("Ann&&Hello&&12#05#2004 10^31&&Bob.htm"));
    folder.add(QStringLiteral("carl&&Five&&d&&To&&extra.htm"));
    folder.add(QStringLiteral("notes.txt"));
    folder.add(QStringLiteral("only&&two&&parts.htm"));
    folder.add(QStringLiteral(".hidden&&a&&b&&c.htm"));
    folder.add(QStringLiteral("binary&&\x01\x02&&d&&t.htm"), QByteArray("\0\xff\xfe", 3));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Sub&&folder&&is&&skipped")));
    // A file nobody may read is still listed by its name.
    folder.add(QStringLiteral("Locked&&s&&d&&t.htm"));
    QFile::setPermissions(folder.dir.filePath(QStringLiteral("Locked&&s&&d&&t.htm")), {});

    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn),
              (QStringList{"Ann", "binary", "bob", "carl", "Locked"}));
    EXPECT_EQ(column(model, MessageListModel::ToColumn), (QStringList{"Bob", "t", "Pat", "To", "t"}));
    EXPECT_EQ(model.filePath(0), folder.path() + QStringLiteral("/Ann&&Hello&&12#05#2004 10^31&&Bob.htm"));
    EXPECT_EQ(model.index(0, MessageListModel::SortKeyColumn).data().toString(), QStringLiteral("20062"));
}

TEST(MessageListModel, SentLayoutSwapsTheAddressHeaders) {
    Folder folder;
    MessageListModel model;
    const auto headers = [&model] {
        QStringList texts;
        for (int c = 0; c < MessageListModel::ColumnCount; ++c)
            texts.append(model.headerData(c, Qt::Horizontal).toString());
        return texts;
    };
    model.list(folder.path(), Layout::Sent, LooseDate::Order::MonthFirst);
    EXPECT_EQ(headers()[MessageListModel::FromColumn], QStringLiteral("Sent To"));
    EXPECT_EQ(headers()[MessageListModel::ToColumn], QStringLiteral("From"));
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(headers()[MessageListModel::FromColumn], QStringLiteral("From"));
    EXPECT_EQ(headers()[MessageListModel::ToColumn], QStringLiteral("To"));
}

TEST(MessageListModel, HeaderClicksSortAndToggle) {
    Folder folder;
    folder.add(QStringLiteral("b&&x&&12#05#2004&&t.htm"));    // 20062
    folder.add(QStringLiteral("a&&y&&3#5#1977&&t.htm"));      // 9925: would sort after 20062 as text
    folder.add(QStringLiteral("c&&z&&someday&&t.htm"));       // no date
    folder.add(QStringLiteral("D&&w&&1#1#1950 9^00&&t.htm")); // 0
    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn), (QStringList{"a", "b", "c", "D"}));

    struct Click {
        int column;
        Qt::SortOrder order;
        QStringList from;
    } clicks[] = {
        {MessageListModel::DateColumn, Qt::AscendingOrder, {"D", "a", "b", "c"}},
        {MessageListModel::DateColumn, Qt::DescendingOrder, {"c", "b", "a", "D"}},
        {MessageListModel::DateColumn, Qt::AscendingOrder, {"D", "a", "b", "c"}},
        {MessageListModel::SubjectColumn, Qt::AscendingOrder, {"D", "b", "a", "c"}},
        {MessageListModel::FromColumn, Qt::AscendingOrder, {"a", "b", "c", "D"}}, // letter case ignored
        {MessageListModel::FromColumn, Qt::DescendingOrder, {"D", "c", "b", "a"}},
    };
    for (const Click &click : clicks) {
        SCOPED_TRACE(click.column);
        EXPECT_EQ(model.columnClicked(click.column), click.order);
        EXPECT_EQ(column(model, MessageListModel::FromColumn), click.from);
    }
    // Listing again keeps the order the user chose.
    folder.add(QStringLiteral("e&&v&&d&&t.htm"));
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn), (QStringList{"e", "D", "c", "b", "a"}));
}

TEST(MessageListModel, SortingKeepsPersistentIndexesOnTheirMessage) {
    Folder folder;
    folder.add(QStringLiteral("a&&s&&12#05#2004&&t.htm"));
    folder.add(QStringLiteral("b&&s&&1#1#1990&&t.htm"));
    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    const QPersistentModelIndex selected(model.index(0, MessageListModel::SubjectColumn));
    model.columnClicked(MessageListModel::DateColumn);
    EXPECT_EQ(selected.row(), 1);
    EXPECT_EQ(selected.column(), MessageListModel::SubjectColumn);
    EXPECT_EQ(model.message(selected.row()).from, QStringLiteral("a"));
}

TEST(MessageListModel, RemovesRowsAndDragsAFile) {
    Folder folder;
    folder.add(QStringLiteral("a&&s&&d&&t.htm"));
    folder.add(QStringLiteral("b&&s&&d&&t.htm"));
    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);

    EXPECT_TRUE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_EQ(model.supportedDragActions(), Qt::CopyAction);
    std::unique_ptr<QMimeData> data(model.mimeData({model.index(1, 2)}));
    ASSERT_TRUE(data);
    EXPECT_EQ(QString::fromUtf8(data->data(MessageListModel::mimeType())), model.filePath(1));

    EXPECT_FALSE(model.removeRows(2, 1));
    EXPECT_TRUE(model.removeRows(0, 1));
    EXPECT_EQ(column(model, MessageListModel::FromColumn), QStringList{"b"});
    EXPECT_TRUE(model.removeRows(0, 1));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(MessageListModel, ListsAFolderOfTwentyThousandMessagesAndOtherFiles) {
    Folder folder;
    for (int i = 0; i < 20000; ++i) {
        folder.add(i % 10 == 9 ? QStringLiteral("attachment %1.bin").arg(i)
                               : QStringLiteral("Sender %1&&Subject %1&&%2#%3#2004 10^31&&pat.htm")
                                     .arg(i)
                                     .arg(1 + i % 12)
                                     .arg(1 + i % 28),
                   {});
    }
    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    ASSERT_EQ(model.rowCount(), 18000);
    model.columnClicked(MessageListModel::DateColumn);
    EXPECT_EQ(model.index(0, MessageListModel::DateColumn).data().toString(), QStringLiteral("1/1/2004"));
    EXPECT_EQ(model.index(17999, MessageListModel::DateColumn).data().toString(),
              QStringLiteral("12/28/2004"));
}

TEST(MessageListModel, AMissingFolderListsNothing) {
    MessageListModel model;
    model.list(QStringLiteral("/nonexistent/corvalis/folder"), Layout::Received,
               LooseDate::Order::MonthFirst);
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
