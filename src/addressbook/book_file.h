#pragma once

#include "addressbook/book_line.h"
#include "addressbook/book_table.h"
#include "addressbook/column_roles.h"
#include "shell/text_file.h"

#include <QString>

// Reading and writing address book files. Line 1 is the header: each of its fields but the
// last titles a column, and the last field's column (kept untitled) holds the last field of
// every contact line. Every further line is one contact. Lines end with CR LF when written;
// CR LF, LF or CR alone end a line when read.
namespace BookFile {

enum class Error { None, Unreadable, TooLarge, NotText, TooManyColumns };

inline constexpr int maxColumns = 1000;
inline constexpr qint64 maxBytes = 256 * 1024 * 1024;

struct ReadResult {
    Error error = Error::None;
    BookTable table;
    bool hasHeader = false; // the file had at least one line
};

// The book in `text`: at least two columns, as many as the header has fields.
ReadResult parse(QStringView text, BookLine::Delimiter delimiter);
// The file at `path`, UTF-8 or else Windows-1252; files holding NUL bytes or mostly control
// characters are not text.
ReadResult read(const QString &path, BookLine::Delimiter delimiter);

struct OpenedBook {
    Error error = Error::None;
    BookTable table;
    ColumnRoles roles;
    bool noAddresses = false; // no e-mail column by title or by content: column 0 stands in
};

// A book as the grid shows it: read by the kind its path names, the e-mail column found by
// title or else by content, and first name, last name and e-mail moved to columns 0, 1, 2.
OpenedBook open(const QString &path);

// A file to import: tab-delimited when its path names a ".txt" file, otherwise comma- or
// semicolon-separated; columns recognised by title and arranged as a book's.
OpenedBook openImport(const QString &path);

// The book as written: the titles line, then one line per row, each ended by CR LF.
QString serialize(const BookTable &table, BookLine::Delimiter delimiter);
// Written through a temporary file, so a failure leaves the old file whole.
TextFile::WriteResult write(const QString &path, const BookTable &table, BookLine::Delimiter delimiter);

} // namespace BookFile
