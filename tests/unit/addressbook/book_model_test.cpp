// The grid's model: sort marks, changes and what a save writes.
#include "addressbook/book_file.h"
#include "addressbook/book_model.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

BookTable threeContacts() {
    return BookFile::parse(u"First,Last,Email,\r\nb,x,b@x.com,\r\nA,y,a@x.com,\r\nc,z,c@x.com,\r\n"_s,
                           BookLine::Delimiter::Comma)
        .table;
}

QString header(const BookModel &model, int column) {
    return model.headerData(column, Qt::Horizontal).toString();
}

} // namespace

TEST(BookModelTest, TitlePressesToggleTheSortMarkWhichIsNeverSaved) {
    BookModel model;
    model.setTable(threeContacts());
    const struct {
        int pressed;
        QString titles, firstColumn0;
    } steps[] = {
        {2, u"First|Last|^ Email|"_s, u"A"_s},
        {2, u"First|Last|v Email|"_s, u"c"_s},
        {2, u"First|Last|^ Email|"_s, u"A"_s},
        {1, u"First|^ Last|Email|"_s, u"b"_s},
        // A fresh book counts as sorted by column 0, without a mark: the first press sorts ascending.
        {0, u"^ First|Last|Email|"_s, u"A"_s},
        {0, u"v First|Last|Email|"_s, u"c"_s},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.titles.toStdString());
        model.sortPress(step.pressed);
        QStringList titles, plain;
        for (int c = 0; c < model.columnCount(); ++c) {
            titles.append(header(model, c));
            plain.append(model.plainTitle(c));
        }
        EXPECT_EQ(titles.join(u'|'), step.titles);
        EXPECT_EQ(plain.join(u'|'), u"First|Last|Email|"_s);
        EXPECT_EQ(model.cell(0, 0), step.firstColumn0);
    }
    EXPECT_TRUE(BookFile::serialize(model.table(), BookLine::Delimiter::Comma)
                    .startsWith(u"\"First\",\"Last\",\"Email\",\"\"\r\n\"c\",\"z\",\"c@x.com\",\"\"\r\n"_s));
    model.setTable(threeContacts());
    EXPECT_EQ(header(model, 0), u"First"_s);
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
    model.removeContacts(1, 99);
    EXPECT_EQ(model.rowCount(), 1);
    model.removeContacts(-5, -1);
    EXPECT_EQ(model.rowCount(), 1);
    model.appendRows({{u"d"_s, u"e"_s, u"d@e.f"_s, u"hidden"_s, u"dropped"_s}});
    EXPECT_EQ(model.cell(1, 3), u"hidden"_s);
    EXPECT_EQ(model.columnCount(), 4);
}
