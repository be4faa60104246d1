#include "store/message_list_model.h"

#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Layout = MessageListModel::Layout;

struct Folder {
    QTemporaryDir dir;
    void add(const QString &name, const QByteArray &bytes = "x") const {
        ASSERT_TRUE(TextFile::writeAtomically(dir.filePath(name), bytes).ok) << name.toStdString();
    }
    QString path() const { return dir.path(); }
};

QString column(const MessageListModel &model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.append(model.index(row, column).data().toString());
    return cells.join(u' ');
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
    EXPECT_EQ(column(model, MessageListModel::FromColumn), u"Ann binary bob carl Locked"_s);
    EXPECT_EQ(column(model, MessageListModel::ToColumn), u"Bob t Pat To t"_s);
    EXPECT_EQ(model.filePath(0), folder.path() + QStringLiteral("/Ann&&Hello&&12#05#2004 10^31&&Bob.htm"));
    EXPECT_EQ(model.index(0, MessageListModel::SortKeyColumn).data().toString(), QStringLiteral("20062"));
}

TEST(MessageListModel, SentLayoutSwapsTheAddressHeaders) {
    MessageListModel model;
    QStringList headers;
    for (const Layout layout : {Layout::Sent, Layout::Received}) {
        model.list(u"/nonexistent/corvalis/folder"_s, layout, LooseDate::Order::MonthFirst);
        for (const int column : {MessageListModel::FromColumn, MessageListModel::ToColumn})
            headers.append(model.headerData(column, Qt::Horizontal).toString());
        EXPECT_EQ(model.rowCount(), 0);
    }
    EXPECT_EQ(headers.join(u'|'), u"Sent To|From|From|To"_s);
}

TEST(MessageListModel, HeaderClicksSortAndToggle) {
    Folder folder;
    folder.add(QStringLiteral("b&&x&&12#05#2004&&t.htm"));    // 20062
    folder.add(QStringLiteral("a&&y&&3#5#1977&&t.htm"));      // 9925: would sort after 20062 as text
    folder.add(QStringLiteral("c&&z&&someday&&t.htm"));       // no date
    folder.add(QStringLiteral("D&&w&&1#1#1950 9^00&&t.htm")); // 0
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
        {MessageListModel::DateColumn, Qt::AscendingOrder, u"D a b c"_s},
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
    folder.add(QStringLiteral("e&&v&&d&&t.htm"));
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    EXPECT_EQ(column(model, MessageListModel::FromColumn), u"e D c b a"_s);
}

TEST(MessageListModel, RemovesRowsAndDragsAFile) {
    Folder folder;
    folder.add(QStringLiteral("a&&s&&12#05#2004&&t.htm"));
    folder.add(QStringLiteral("b&&s&&1#1#1990&&t.htm"));
    MessageListModel model;
    model.list(folder.path(), Layout::Received, LooseDate::Order::MonthFirst);
    // Sorting keeps a persistent index on its message.
    const QPersistentModelIndex selected(model.index(0, MessageListModel::SubjectColumn));
    model.columnClicked(MessageListModel::DateColumn);
    EXPECT_EQ(selected.row(), 1);
    EXPECT_EQ(selected.column(), MessageListModel::SubjectColumn);
    EXPECT_EQ(model.message(selected.row()).from, QStringLiteral("a"));
    model.columnClicked(MessageListModel::FromColumn);

    EXPECT_TRUE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsDragEnabled));
    EXPECT_EQ(model.supportedDragActions(), Qt::CopyAction);
    std::unique_ptr<QMimeData> data(model.mimeData({model.index(1, 2)}));
    ASSERT_TRUE(data);
    EXPECT_EQ(QString::fromUtf8(data->data(MessageListModel::mimeType())), model.filePath(1));

    EXPECT_FALSE(model.removeRows(2, 1));
    EXPECT_TRUE(model.removeRows(0, 1));
    EXPECT_EQ(column(model, MessageListModel::FromColumn), u"b"_s);
    EXPECT_TRUE(model.removeRows(0, 1));
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
