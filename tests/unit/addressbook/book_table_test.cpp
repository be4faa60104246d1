// The compact contact table and the grid's model over it.
#include "addressbook/book_file.h"
#include "addressbook/book_model.h"
#include "addressbook/book_table.h"

#include "book_test_files.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

BookTable tableOf(int columns, const QStringList &tabbedRows) {
    BookTable table(columns);
    for (const QString &row : tabbedRows)
        table.appendTabbedRow(row);
    return table;
}

BookTable threeContacts() {
    return BookFile::parse(u"First,Last,Email,\r\nb,x,b@x.com,\r\nA,y,a@x.com,\r\nc,z,c@x.com,\r\n"_s,
                           BookLine::Delimiter::Comma)
        .table;
}

} // namespace

TEST(BookTableTest, CellsOfShortRowsAreEmptyAndCanBeFilled) {
    BookTable table = tableOf(4, {u"a"_s, u"a\tb\tc\td\te"_s});
    EXPECT_EQ(table.cell(5, 0), u"");
    table.setCell(0, 3, u"z\tz");
    table.setCell(1, 1, u"");
    EXPECT_EQ(shown(table), u"|||/a|||z z/a||c|d"_s);
}

TEST(BookTableTest, MovingAColumnShiftsTheOnesBetween) {
    const struct {
        int from, to;
        QString order;
    } cases[] = {
        {3, 1, u"A|D|B|C|E"_s}, {0, 2, u"B|C|A|D|E"_s}, {4, 0, u"E|A|B|C|D"_s}, {2, 2, u"A|B|C|D|E"_s}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.order.toStdString());
        BookTable table = tableOf(5, {u"a\tb\tc\td\te"_s});
        for (int i = 0; i < 5; ++i)
            table.setTitle(i, QString(QChar(u'A' + i)));
        table.moveColumn(c.from, c.to);
        table.appendCells(c.order.split(u'|')); // new rows are given in the shown order
        EXPECT_EQ(shown(table), c.order + u'/' + c.order.toLower() + u'/' + c.order);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.order.split(u'|').indexOf(QString(QChar(u'A' + i))),
                      BookTable::indexAfterMove(i, c.from, c.to));
    }
}

TEST(BookTableTest, SortsWithoutRegardToCaseKeepingEqualRowsInOrder) {
    BookTable table = tableOf(2, {u"b\t1"_s, u"A\t2"_s, u"a\t3"_s, u"C\t4"_s, u"\t5"_s});
    table.sortRows(0, Qt::AscendingOrder);
    EXPECT_EQ(shown(table), u"|/|5/A|2/a|3/b|1/C|4"_s);
    table.sortRows(0, Qt::DescendingOrder);
    EXPECT_EQ(shown(table), u"|/C|4/b|1/A|2/a|3/|5"_s);
    // A moved column sorts by its own cells.
    table.moveColumn(1, 0);
    table.sortRows(0, Qt::AscendingOrder);
    EXPECT_EQ(shown(table), u"|/1|b/2|A/3|a/4|C/5|"_s);
}

TEST(BookModelTest, TitlePressesToggleTheSortMarkWhichIsNeverSaved) {
    BookModel model;
    model.setTable(threeContacts());
    const struct {
        int pressed;
        QString titles, firstColumn0;
    } steps[] = {
        {2, u"First|Last|^ Email|"_s, u"A"_s},
        {2, u"First|Last|v Email|"_s, u"c"_s},
        {1, u"First|^ Last|Email|"_s, u"b"_s},
        // A fresh book counts as sorted by column 0, without a mark: the first press sorts ascending.
        {0, u"^ First|Last|Email|"_s, u"A"_s},
        {0, u"v First|Last|Email|"_s, u"c"_s},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.titles.toStdString());
        model.sortPress(step.pressed);
        EXPECT_EQ(titles(model), step.titles);
        EXPECT_EQ(model.table().titles().join(u'|'), u"First|Last|Email|"_s);
        EXPECT_EQ(model.cell(0, 0), step.firstColumn0);
    }
    EXPECT_TRUE(BookFile::serialize(model.table(), BookLine::Delimiter::Comma)
                    .startsWith(u"\"First\",\"Last\",\"Email\",\"\"\r\n\"c\",\"z\",\"c@x.com\",\"\"\r\n"_s));
    model.setTable(threeContacts());
    EXPECT_EQ(titles(model), u"First|Last|Email|"_s);
}

TEST(BookModelTest, EveryChangeMarksTheBookUntilItIsReplaced) {
    BookModel model;
    QSignalSpy modified(&model, &BookModel::modifiedChanged);
    const std::vector<std::pair<const char *, std::function<void()>>> changes = {
        {"edit", [&] { model.setCell(0, 1, u"new"_s); }}, {"sort", [&] { model.sortPress(1); }},
        {"add", [&] { model.appendEmptyRow(); }},         {"append", [&] { model.appendRows({{u"d"_s}}); }},
        {"remove", [&] { model.removeContacts(0, 0); }},
    };
    for (const auto &[name, change] : changes) {
        SCOPED_TRACE(name);
        model.setTable(threeContacts());
        EXPECT_FALSE(model.isModified());
        change();
        EXPECT_TRUE(model.isModified());
    }
    model.setTable(threeContacts());
    model.setCell(0, 0, model.cell(0, 0));
    EXPECT_FALSE(model.isModified()) << "writing the same text changes nothing";
    EXPECT_GE(modified.count(), 10);
}

TEST(BookModelTest, RemovingKeepsTheRangeInsideTheBook) {
    BookModel model;
    model.setTable(threeContacts());
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.removeContacts(1, 99);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(removed.value(0).mid(1), (QVariantList{1, 2})) << "views learn which rows went";
    model.removeContacts(-5, -1);
    EXPECT_EQ(model.rowCount(), 1);
    model.appendRows({{u"d"_s, u"e"_s, u"d@e.f"_s, u"hidden"_s, u"dropped"_s}});
    EXPECT_EQ(model.cell(1, 3), u"hidden"_s);
    EXPECT_EQ(model.columnCount(), 4);
}
