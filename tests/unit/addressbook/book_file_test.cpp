// Reading and writing address book lines and whole files.
#include "addressbook/book_file.h"
#include "addressbook/book_line.h"

#include "book_test_files.h"

#include <vector>

using namespace Qt::StringLiterals;
using BookLine::Delimiter;

TEST(BookFileTest, HeaderFieldsMakeTheColumnsAndTheLastOneStaysUntitled) {
    const struct {
        const char *why;
        QString text, table;
        Delimiter delimiter = Delimiter::Comma;
    } cases[] = {
        {"a header ending in a comma gives a hidden column", u"First,Last,E-mail,\r\nAnn,Lee,a@x,\r\n"_s,
         u"First|Last|E-mail|/Ann|Lee|a@x|"_s},
        {"the last title names nothing", u"Name,Email\r\nAnn,ann@x.com\r\n"_s, u"Name|/Ann|ann@x.com"_s},
        {"a one-field header still gives two columns", u"Name\r\nAnn\r\n"_s, u"|/Ann|"_s},
        {"an empty file", u""_s, u"|"_s},
        {"CR alone ends lines", u"A,B,\rx,y,\r"_s, u"A|B|/x|y|"_s},
        {"LF alone ends lines", u"A,B,\nx,y,"_s, u"A|B|/x|y|"_s},
        {"fields beyond the header are dropped", u"A,B,\r\n1,2,3,4\r\n"_s, u"A|B|/1|2|3"_s},
        {"missing fields are empty", u"A,B,C,\r\n1\r\n"_s, u"A|B|C|/1|||"_s},
        {"an empty line is an empty contact", u"A,B,\r\n\r\n1,2,\r\n"_s, u"A|B|/||/1|2|"_s},
        {"quoted line breaks of any kind are blanks", u"A;B;\r\n\"x\r\ny\";\"z\nw\rv\"\"\";\r\n"_s,
         u"A|B|/x y|z w v\"|"_s, Delimiter::Semicolon},
        // Books written before quotes were doubled: an odd quote never joins two contacts.
        {"odd quotes", u"\"A\",\"B\",\"\"\r\n\"T\",\"5'11\"\",\"t@x\"\r\n\"Ann\",\"O\"Brien\",\"a@x\""_s,
         u"A|B|/T|5'11\",t@x|/Ann|OBrien,a@x|"_s},
    };
    for (const auto &c : cases) {
        const BookFile::ReadResult read = BookFile::parse(c.text, c.delimiter);
        EXPECT_EQ(std::tuple(read.error, shown(read.table), read.hasHeader),
                  std::tuple(BookFile::Error::None, c.table, !c.text.isEmpty()))
            << c.why;
    }
}

TEST(BookFileTest, SavedBooksReadBackUnchanged) {
    TestFolder dir;
    const struct {
        QString name;
        QByteArray bytes;
    } cases[] = {
        {u"tricky.csv"_s, "\"Name\",\"Note\",\"\"\r\n\"Smith, John\",\"say \"\"hi\"\"\",\"x\"\r\n"
                          "\"\",\"\",\"\"\r\n\"Zo\xc3\xab\",\"\xe6\x9d\xb1\xe4\xba\xac\",\"\"\r\n"},
        {u"tabs.txt"_s, "First\tLast\tEmail\t\r\nAnn\tLee\tann@x.com\t\r\n\"Q\"\t,\t\t\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = dir.path(c.name);
        dir.write(path, c.bytes);
        const Delimiter delimiter = BookLine::delimiterForPath(path);
        const BookFile::ReadResult first = BookFile::read(path, delimiter);
        ASSERT_EQ(first.error, BookFile::Error::None);
        ASSERT_TRUE(BookFile::write(path, first.table, delimiter).ok);
        EXPECT_EQ(dir.read(path), c.bytes);
    }
}

// Odd files: a sensible load or an error. A load is shown as columns x rows, the titles' start
// and the last row.
TEST(BookFileTest, OddOrBrokenFilesGiveASensibleLoadOrAnError) {
    TestFolder dir;
    const QByteArray commas(5 * 1024 * 1024, ',');
    const struct {
        const char *why;
        QByteArray bytes;
        BookFile::Error error;
        QString load;
    } cases[] = {
        {"control characters", QByteArray(4096, '\x01') + "a,b", BookFile::Error::NotText, {}},
        {"a 5 MB header without separators: one untitled column and the hidden one",
         QByteArray(5 * 1024 * 1024, 'x'), BookFile::Error::None, u"2x0 |/|"_s},
        {"a 5 MB contact line of commas keeps the header's columns", "A,B,C,\r\n" + commas + "\r\nx,y,z,\r\n",
         BookFile::Error::None, u"4x2 A|B|C|/x|y|z|"_s},
        {"that line as a header: a grid nobody can use", commas, BookFile::Error::TooManyColumns, {}},
    };
    for (const auto &c : cases) {
        const BookFile::ReadResult read = BookFile::read(dir.write(u"book.csv"_s, c.bytes), Delimiter::Comma);
        const BookTable &t = read.table;
        const QString load = read.error != BookFile::Error::None
                                 ? QString()
                                 : u"%1x%2 "_s.arg(t.columnCount()).arg(t.rowCount()) +
                                       t.titles().join(u'|').left(20) + u'/' + shownRow(t, t.rowCount() - 1);
        EXPECT_EQ(std::pair(read.error, load), std::pair(c.error, c.load)) << c.why;
    }
    for (const QString &unreadable : {dir.path(u"missing.csv"_s), dir.path()})
        EXPECT_EQ(BookFile::read(unreadable, Delimiter::Comma).error, BookFile::Error::Unreadable);
}

TEST(BookFileTest, OpeningFindsTheColumnsAndMovesThemIntoPlace) {
    TestFolder dir;
    const struct {
        QByteArray bytes;
        QString table;
        int first, last, email;
        bool noAddresses = false;
    } cases[] = {
        // Moving the first name to the front shifts the e-mail column; its index follows.
        {"Email,First,Last,\r\ne@x,Ann,Lee,\r\n", u"First|Last|Email|/Ann|Lee|e@x|"_s, 0, 1, 2},
        // The e-mail column found by its data, and moved to place 2 when it stands right of it.
        {"Name,Email\r\nAnn,a@x.com\r\n", u"Name|/Ann|a@x.com"_s, -1, -1, 1},
        {"Name,Tel,Notes,Other,\r\nAnn,5,x,a@b.c,\r\n", u"Name|Tel|Other|Notes|/Ann|5|a@b.c|x|"_s, -1, -1, 2},
        // Titles are read without case, the first match wins, and "Surname" names nothing.
        {"EMAIL,email 2,Surname,FIRSTNAME,\r\n", u"FIRSTNAME|EMAIL|email 2|Surname|"_s, 0, -1, 1},
        {"First or last,Last,\r\n", u"First or last|Last|"_s, 0, 0, 0, true}, // one title for both names
        {"", u"|"_s, -1, -1, -1},
    };
    for (const auto &c : cases) {
        const BookFile::OpenedBook book = BookFile::open(dir.write(u"book.csv"_s, c.bytes));
        ASSERT_EQ(book.error, BookFile::Error::None) << c.bytes.data();
        EXPECT_EQ(std::tuple(shown(book.table), book.roles.first, book.roles.last, book.roles.email,
                             book.noAddresses),
                  std::tuple(c.table, c.first, c.last, c.email, c.noAddresses))
            << c.bytes.data();
    }
    // An import recognises titles only.
    EXPECT_EQ(
        BookFile::openImport(dir.write(u"i.csv"_s, "Name,Phone,Notes,\r\nAnn,555,a@b.c,\r\n")).roles.email,
        -1);
}

// The quote rules a whole file's read above does not show already.
TEST(BookLineTest, ReadsFieldsByTheQuoteRules) {
    const struct {
        QString line;
        Delimiter delimiter;
        QString tabbed;
    } cases[] = {
        {uR"("Smith, John",john@x.com)"_s, Delimiter::Comma, u"Smith, John\tjohn@x.com"_s},
        {uR"("say "hi" there",x)"_s, Delimiter::Comma, u"say hi there\tx"_s}, // undoubled quotes go
        {uR"(ab"c,d"e,f)"_s, Delimiter::Comma, u"ab\"c\td\"e\tf"_s},          // in an unquoted field: text
        {uR"("a,b)"_s, Delimiter::Comma, u"a,b"_s}, // an unclosed quote runs to the end of the line
        {uR"("a;b";c,d)"_s, Delimiter::Semicolon, u"a;b\tc,d"_s},
        {u"a\t\"b\"\tc,d"_s, Delimiter::Tab, u"a\t\"b\"\tc,d"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BookLine::toTabbed(c.line, c.delimiter), c.tabbed) << c.line.toStdString();
}

// The separator of an imported header, of a book by its name. A line break or tab in a field would split it
// when read back: written they are blanks, and an edit keeps the text before a break.
TEST(BookLineTest, SeparatorsAndBreaksInAField) {
    EXPECT_EQ(BookLine::sniffDelimiter(u"Name,Email;Phone"), Delimiter::Comma);
    EXPECT_EQ(BookLine::sniffDelimiter(u"\"a;b;c\",d"), Delimiter::Comma);
    EXPECT_EQ(BookLine::delimiterForPath(u"/x/Friends.TXT"_s), Delimiter::Tab);
    EXPECT_EQ(BookLine::delimiterForPath(u"/x/list.txt.csv"_s), Delimiter::Tab);
    EXPECT_EQ(BookLine::joinLine(std::vector<QStringView>{u"a\tb\r\nc", u"d"}, Delimiter::Comma),
              uR"("a b  c","d")"_s);
    EXPECT_EQ(BookLine::editedCell(u"abc\r\ndef"), u"abc");
}
