// Reading and writing whole address book files.
#include "addressbook/book_file.h"

#include "book_test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using BookLine::Delimiter;

namespace {

QString rowOf(const BookTable &table, int row) {
    return shown(table).section(u'/', row + 1, row + 1);
}

} // namespace

TEST(BookFileTest, HeaderFieldsMakeTheColumnsAndTheLastOneStaysUntitled) {
    const struct {
        const char *why;
        QString text;
        Delimiter delimiter;
        QString table;
    } cases[] = {
        {"a header ending in a comma gives a hidden column", u"First,Last,E-mail,\r\nAnn,Lee,a@x,\r\n"_s,
         Delimiter::Comma, u"First|Last|E-mail|/Ann|Lee|a@x|"_s},
        {"the last header field titles nothing", u"Name,Email\r\nAnn,ann@x.com\r\n"_s, Delimiter::Comma,
         u"Name|/Ann|ann@x.com"_s},
        {"a one-field header still gives two columns", u"Name\r\nAnn\r\n"_s, Delimiter::Comma, u"|/Ann|"_s},
        {"an empty file", u""_s, Delimiter::Comma, u"|"_s},
        {"CR alone ends lines", u"A,B,\rx,y,\r"_s, Delimiter::Comma, u"A|B|/x|y|"_s},
        {"LF alone ends lines", u"A,B,\nx,y,"_s, Delimiter::Comma, u"A|B|/x|y|"_s},
        {"fields beyond the header are dropped", u"A,B,\r\n1,2,3,4\r\n"_s, Delimiter::Comma, u"A|B|/1|2|3"_s},
        {"missing fields are empty", u"A,B,C,\r\n1\r\n"_s, Delimiter::Comma, u"A|B|C|/1|||"_s},
        {"an empty line is an empty contact", u"A,B,\r\n\r\n1,2,\r\n"_s, Delimiter::Comma, u"A|B|/||/1|2|"_s},
        {"tab-delimited, quotes kept", u"A\tB\t\r\n\"1\"\t2,3\t\r\n"_s, Delimiter::Tab, u"A|B|/\"1\"|2,3|"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const BookFile::ReadResult read = BookFile::parse(c.text, c.delimiter);
        ASSERT_EQ(read.error, BookFile::Error::None);
        EXPECT_EQ(shown(read.table), c.table);
        EXPECT_EQ(read.hasHeader, !c.text.isEmpty());
    }
}

TEST(BookFileTest, SavedBooksReadBackUnchanged) {
    QTemporaryDir dir;
    struct Case {
        QString name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {u"plain.csv"_s, "\"First\",\"Last\",\"E-mail\",\"\"\r\n\"Ann\",\"Lee\",\"ann@x.com\",\"\"\r\n"},
        {u"tricky.csv"_s, "\"Name\",\"Note\",\"\"\r\n\"Smith, John\",\"say \"\"hi\"\"\",\"x\"\r\n"
                          "\"\",\"\",\"\"\r\n\"Zo\xc3\xab\",\"\xe6\x9d\xb1\xe4\xba\xac\",\"\"\r\n"},
        {u"tabs.txt"_s, "First\tLast\tEmail\t\r\nAnn\tLee\tann@x.com\t\r\n\"Q\"\t,\t\t\r\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString path = dir.filePath(c.name);
        ASSERT_TRUE(writeBytes(path, c.bytes));
        const Delimiter delimiter = BookLine::delimiterForPath(path);
        const BookFile::ReadResult first = BookFile::read(path, delimiter);
        ASSERT_EQ(first.error, BookFile::Error::None);
        ASSERT_TRUE(BookFile::write(path, first.table, delimiter).ok);
        EXPECT_EQ(readBytes(path), c.bytes);
    }
}

TEST(BookFileTest, FilesMadeOnWindowsAreRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.csv"_s);
    ASSERT_TRUE(writeBytes(path, "Nom,Pr\xe9nom,Email,\r\nZo\xeb,\x93Jo\x94,z@x.fr,\r\n"));
    const BookFile::ReadResult read = BookFile::read(path, Delimiter::Comma);
    ASSERT_EQ(read.error, BookFile::Error::None);
    EXPECT_EQ(shown(read.table), u"Nom|Prénom|Email|/Zoë|“Jo”|z@x.fr|"_s);
}

TEST(BookFileTest, BadFilesGiveAnErrorOrASensibleLoad) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"bad.csv"_s);
    EXPECT_EQ(BookFile::read(dir.filePath(u"missing.csv"_s), Delimiter::Comma).error,
              BookFile::Error::Unreadable);
    EXPECT_EQ(BookFile::read(dir.path(), Delimiter::Comma).error, BookFile::Error::Unreadable);

    ASSERT_TRUE(writeBytes(path, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
    EXPECT_EQ(BookFile::read(path, Delimiter::Comma).error, BookFile::Error::NotText);
    ASSERT_TRUE(writeBytes(path, QByteArray(4096, '\x01') + "a,b"));
    EXPECT_EQ(BookFile::read(path, Delimiter::Comma).error, BookFile::Error::NotText);

    // A 5 MB header without separators: one untitled column and the hidden one.
    ASSERT_TRUE(writeBytes(path, QByteArray(5 * 1024 * 1024, 'x')));
    BookFile::ReadResult read = BookFile::read(path, Delimiter::Comma);
    ASSERT_EQ(read.error, BookFile::Error::None);
    EXPECT_EQ(read.table.columnCount(), 2);

    // A 5 MB contact line full of commas keeps the header's columns.
    ASSERT_TRUE(writeBytes(path, "A,B,C,\r\n" + QByteArray(5 * 1024 * 1024, ',') + "\r\nx,y,z,\r\n"));
    read = BookFile::read(path, Delimiter::Comma);
    ASSERT_EQ(read.error, BookFile::Error::None);
    EXPECT_EQ(read.table.rowCount(), 2);
    EXPECT_EQ(rowOf(read.table, 1), u"x|y|z|"_s);

    // The same line as a header would make a grid nobody can use.
    ASSERT_TRUE(writeBytes(path, QByteArray(5 * 1024 * 1024, ',')));
    EXPECT_EQ(BookFile::read(path, Delimiter::Comma).error, BookFile::Error::TooManyColumns);
}

TEST(BookFileTest, OpeningFindsTheColumnsAndMovesThemIntoPlace) {
    QTemporaryDir dir;
    const struct {
        const char *why;
        QByteArray bytes;
        QString table;
        int first, last, email;
        bool noAddresses;
    } cases[] = {
        {"the template", "First Name,Last Name,Email Address,Phone,,\r\n",
         u"First Name|Last Name|Email Address|Phone||"_s, 0, 1, 2, false},
        // Moving the first name to the front shifts the e-mail column; its index follows.
        {"e-mail first", "Email,First,Last,\r\ne@x,Ann,Lee,\r\n", u"First|Last|Email|/Ann|Lee|e@x|"_s, 0, 1,
         2, false},
        {"reversed", "Email,Last,First,\r\ne@x,Lee,Ann,\r\n", u"First|Last|Email|/Ann|Lee|e@x|"_s, 0, 1, 2,
         false},
        {"all three far right", "Phone,Email,First,Last,\r\n", u"First|Last|Email|Phone|"_s, 0, 1, 2, false},
        {"e-mail found in the data", "Name,Email\r\nAnn,a@x.com\r\n", u"Name|/Ann|a@x.com"_s, -1, -1, 1,
         false},
        {"e-mail found right of place 2", "Name,Phone,Notes,Other,\r\nAnn,555,x,a@b.c,\r\n",
         u"Name|Phone|Other|Notes|/Ann|555|a@b.c|x|"_s, -1, -1, 2, false},
        {"no address anywhere", "Name,Phone,\r\nAnn,555,\r\n", u"Name|Phone|/Ann|555|"_s, -1, -1, 0, true},
        {"an empty file", "", u"|"_s, -1, -1, -1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const QString path = dir.filePath(u"book.csv"_s);
        ASSERT_TRUE(writeBytes(path, c.bytes));
        const BookFile::OpenedBook book = BookFile::open(path);
        ASSERT_EQ(book.error, BookFile::Error::None);
        EXPECT_EQ(std::tuple(shown(book.table), book.roles.first, book.roles.last, book.roles.email,
                             book.noAddresses),
                  std::tuple(c.table, c.first, c.last, c.email, c.noAddresses));
    }
}

TEST(BookFileTest, ImportsReadSemicolonsAndRecogniseTitlesOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"export.csv"_s);
    ASSERT_TRUE(writeBytes(path, "Email;First;Last;\r\n\"e@x.com\";Ann;\"Lee; Jr\";\r\n"));
    BookFile::OpenedBook import = BookFile::openImport(path);
    ASSERT_EQ(import.error, BookFile::Error::None);
    EXPECT_EQ(shown(import.table), u"First|Last|Email|/Ann|Lee; Jr|e@x.com|"_s);

    ASSERT_TRUE(writeBytes(path, "Name,Phone,Notes,\r\nAnn,555,a@b.c,\r\n"));
    import = BookFile::openImport(path);
    EXPECT_EQ(import.roles.email, -1);
}
