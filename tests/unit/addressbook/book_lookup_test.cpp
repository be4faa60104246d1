// Find by prefix, the palette's list, the import line-up, new book names and a sender as a contact.
#include "addressbook/book_file.h"
#include "addressbook/book_search.h"
#include "addressbook/import_lineup.h"
#include "addressbook/new_book_name.h"
#include "addressbook/sender_name.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

BookTable parsed(const QString &text) {
    return BookFile::parse(text, BookLine::Delimiter::Comma).table;
}

const QString people = u"First,Last,Email,\r\nAnn,Lee,ann@x.com,\r\nBo,Smith,,\r\nCy,sMall,cy@x.com,\r\n"
                       u"Di,SMYTHE,di@x.com,\r\n"_s;

} // namespace

TEST(BookSearchTest, FindsTheFirstRowStartingWithTheTextInAnyCaseAndListsAColumn) {
    const BookTable table = parsed(people);
    const struct {
        int column;
        QString text;
        std::optional<int> row;
    } cases[] = {
        {1, u"sm"_s, 1},          {1, u"SMY"_s, 3},          {1, u"sma"_s, 2},
        {0, u"d"_s, 3},           {2, u"CY@"_s, 2},          {1, u"smz"_s, std::nullopt},
        {1, u""_s, std::nullopt}, {7, u"a"_s, std::nullopt}, {-1, u"a"_s, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BookSearch::findPrefix(table, c.column, c.text), c.row)
            << (c.text + u" in "_s + QString::number(c.column)).toStdString();
    // The palette lists every row, empty cells included.
    EXPECT_EQ(BookSearch::columnValues(table, 2),
              (QStringList{u"ann@x.com"_s, u""_s, u"cy@x.com"_s, u"di@x.com"_s}));
}

TEST(ImportLineupTest, EveryColumnOfTheFileFindsAPlaceInTheBook) {
    const BookTable book = parsed(u"A,B,,D,E,\r\n"_s); // six columns, one untitled, the last hidden
    const struct {
        const char *why;
        QString file, rows, columns; // columns: retitled ones, then the new ones
    } cases[] = {
        {"a wider file's extra columns become the book's, an empty one adds none",
         u"1,2,3,4,5,6,,8,\r\na,b,c,d,e,f,,h,\r\n"_s, u"a|b|c|d|e|f|h|"_s, u"2=3/6|8"_s},
        {"a narrower file leaves the rest empty; its last field stays last", u"1,2,\r\na,b,c\r\n"_s,
         u"a|b||||c"_s, u"/"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const ImportLineup::Result result =
            ImportLineup::rowsToAppend(book, 1, parsed(c.file), ImportLineup::Duplicates::Keep);
        QStringList rows, retitled;
        for (const QStringList &row : result.rows)
            rows.append(row.join(u'|'));
        for (const auto &[column, title] : result.retitled)
            retitled.append(QString::number(column) + u'=' + title);
        EXPECT_EQ(rows.join(u'/'), c.rows);
        EXPECT_EQ(retitled.join(u'|') + u'/' + result.addedColumns.join(u'|'), c.columns);
    }
}

TEST(NewBookNameTest, NamesBecomeCsvFilesInTheBookFolder) {
    QStringList paths;
    for (const QString &typed :
         {u"friends"_s, u"friends.CSV"_s, u"  my list  "_s, u"list.txt"_s, u"Zoë"_s, u"   "_s,
          u"../outside"_s, u"sub\\name"_s, u"tab\there"_s, QString(260, u'n'), QString(245, u'n')})
        paths.append(NewBookName::bookPath(u"/m/"_s, typed).value_or(u"refused"_s));
    EXPECT_EQ(paths.join(u'|'), u"/m/friends.csv|/m/friends.CSV|/m/my list.csv|/m/list.txt.csv|/m/Zoë.csv|"
                                u"refused|refused|refused|refused|refused|refused"_s);
}

TEST(SenderNameTest, SplitsTheFromValueIntoNamesAndAddress) {
    const struct {
        QString from;
        QString first, last, address;
    } cases[] = {
        // A plain name and a quoted "Last, First" are the address book integration test's.
        {u"Mary Ann   Smith <m@x>"_s, u"Mary"_s, u"Smith"_s, u"m@x"_s},
        {u"Cher <cher@x>"_s, u"Cher"_s, u""_s, u"cher@x"_s},
        {u" bare@x.com "_s, u""_s, u""_s, u"bare@x.com"_s},
        // Without a ">" after the "<" the whole value is the address.
        {u"Odd <odd@x"_s, u""_s, u""_s, u"Odd <odd@x"_s},
        {u"<\t\"only@x\"\r\n>"_s, u""_s, u""_s, u"only@x"_s},
        {u"Nobody <>"_s, u"Nobody"_s, u""_s, u""_s},
    };
    for (const auto &c : cases) {
        const SenderName::Sender sender = SenderName::parse(c.from);
        EXPECT_EQ(std::tie(sender.first, sender.last, sender.address), std::tie(c.first, c.last, c.address))
            << c.from.toStdString();
    }
}
