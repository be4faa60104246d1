#pragma once

#include "addressbook/book_line.h"
#include "addressbook/book_table.h"
#include "addressbook/column_roles.h"
#include "base/text_file.h"

#include <QString>

// Reading and writing address book files. Record 1 is the header: each of its fields but the
// last titles a column, and the last field's column (kept untitled) holds the last field of
// every contact. Every further record is one contact; a record is one line, except that a quoted
// comma or semicolon field may run over line ends (see BookLine::readRecord). Lines end with CR LF
// when written; CR LF, LF or CR alone end a line when read.
namespace BookFile {

enum class Error { None, Unreadable, TooLarge, NotText, TooManyColumns };

inline constexpr int maxColumns = 1000;
inline constexpr qint64 maxBytes = 256 * 1024 * 1024;

struct ReadResult {
    Error error = Error::None;
    BookTable table;
    bool hasHeader = false; // the file had at least one line
    int headerFields = 0;
    QString lastTitle; // the header's last field, which titles no column
};

// The book in `text`: at least two columns, as many as the header has fields.
ReadResult parse(QStringView text, BookLine::Delimiter delimiter);
// The file at `path`, decoded as TextFile::decode does; files holding NUL characters or mostly
// control characters are not text.
ReadResult read(const QString &path, BookLine::Delimiter delimiter);

struct OpenedBook {
    Error error = Error::None;
    BookTable table;
    ColumnRoles roles;
    bool noAddresses = false; // no e-mail column by title or by content: column 0 stands in
    BookLine::Delimiter delimiter = BookLine::Delimiter::Comma; // as read, and as the book is saved
};

// A book as the grid shows it: tab-delimited when its path names a ".txt" file, otherwise
// separated as its header line tells (comma, semicolon or tab); the columns recognised (see
// ColumnRoles), the e-mail column else found by content, and first name, last name and e-mail
// moved to columns 0, 1, 2.
OpenedBook open(const QString &path);

// A file to import, read as a book is; columns recognised the same way, without the search of
// the contents when no title names the e-mail column, and arranged as a book's. Other programs'
// exports end their header with a title of their last column rather than an empty field: that
// column keeps its title, and an empty untitled column follows it as the last.
OpenedBook openImport(const QString &path);

// The book as written: the titles line, then one line per row, each ended by CR LF.
QString serialize(const BookTable &table, BookLine::Delimiter delimiter);
// Written through a temporary file, so a failure leaves the old file whole.
TextFile::WriteResult write(const QString &path, const BookTable &table, BookLine::Delimiter delimiter);

} // namespace BookFile
