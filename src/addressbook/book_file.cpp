#include "addressbook/book_file.h"

#include <algorithm>
#include <vector>

namespace BookFile {

namespace {

bool looksBinary(QStringView text) {
    if (text.contains(QChar(0)))
        return true;
    const QStringView head = text.first(std::min<qsizetype>(text.size(), 64 * 1024));
    const auto controls = std::count_if(head.begin(), head.end(), [](QChar c) {
        return c < u'\x20' && c != u'\t' && c != u'\r' && c != u'\n' && c != u'\f';
    });
    return controls * 16 > head.size();
}

Error decodeFile(const QString &path, QString &text) {
    const std::optional<QByteArray> bytes = TextFile::readAll(path, maxBytes + 1);
    if (!bytes)
        return Error::Unreadable;
    if (bytes->size() > maxBytes)
        return Error::TooLarge;
    // Judged on the decoded text, so that UTF-16 files, whose bytes are half NULs, are text.
    text = TextFile::decode(*bytes);
    return looksBinary(text) ? Error::NotText : Error::None;
}

// ".txt" books are tab-delimited; for the others the header line tells the separator.
BookLine::Delimiter delimiterOf(const QString &path, QStringView text) {
    if (BookLine::delimiterForPath(path) == BookLine::Delimiter::Tab)
        return BookLine::Delimiter::Tab;
    const auto end =
        std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    return BookLine::sniffDelimiter(QStringView(text.cbegin(), end));
}

// The file at `path` read with the separator its header uses, columns recognised by title (and,
// among several e-mail titles, by content). With `titledLastColumn` a last header field that is
// not empty titles its column, and an untitled last column is added.
OpenedBook readBook(const QString &path, bool &hasHeader, bool titledLastColumn) {
    hasHeader = false;
    QString text;
    if (const Error error = decodeFile(path, text); error != Error::None)
        return {error, {}, {}, false, {}};
    const BookLine::Delimiter delimiter = delimiterOf(path, text);
    ReadResult read = parse(text, delimiter);
    hasHeader = read.hasHeader;
    if (titledLastColumn && !read.lastTitle.isEmpty()) {
        read.table.setTitle(read.headerFields - 1, read.lastTitle);
        if (read.headerFields == read.table.columnCount())
            read.table.insertColumn(read.headerFields, {});
    }
    OpenedBook book{read.error, std::move(read.table), {}, false, delimiter};
    if (book.error == Error::None)
        book.roles = ColumnRoles::recognise(book.table);
    return book;
}

} // namespace

ReadResult parse(QStringView text, BookLine::Delimiter delimiter) {
    ReadResult result;
    if (text.isEmpty()) {
        result.table = BookTable(2);
        return result;
    }
    result.hasHeader = true;
    qsizetype pos = 0;
    const QStringList header = BookLine::readRecord(text, pos, delimiter).split(u'\t');
    if (header.size() > maxColumns) {
        result.error = Error::TooManyColumns;
        return result;
    }
    result.table = BookTable(std::max<int>(2, int(header.size())));
    for (int k = 0; k + 1 < header.size(); ++k)
        result.table.setTitle(k, header[k]);
    result.headerFields = int(header.size());
    result.lastTitle = header.last();
    while (pos < text.size())
        result.table.appendTabbedRow(BookLine::readRecord(text, pos, delimiter));
    return result;
}

ReadResult read(const QString &path, BookLine::Delimiter delimiter) {
    QString text;
    if (const Error error = decodeFile(path, text); error != Error::None)
        return {error, {}, false, 0, {}};
    return parse(text, delimiter);
}

OpenedBook open(const QString &path) {
    bool hasHeader = false;
    OpenedBook book = readBook(path, hasHeader, false);
    if (book.error != Error::None)
        return book;
    if (book.roles.email < 0 && hasHeader) {
        book.roles.email = ColumnRoles::scanForEmail(book.table);
        if (book.roles.email < 0) {
            book.noAddresses = true;
            book.roles.email = 0;
        }
    }
    book.roles.arrange(book.table);
    return book;
}

OpenedBook openImport(const QString &path) {
    bool hasHeader = false;
    OpenedBook book = readBook(path, hasHeader, true);
    if (book.error == Error::None)
        book.roles.arrange(book.table);
    return book;
}

QString serialize(const BookTable &table, BookLine::Delimiter delimiter) {
    const int columns = table.columnCount();
    std::vector<QStringView> fields(columns);
    QString out;
    // Each line gains at most its quotes, separators and line end; doubled quotes may grow it further.
    qsizetype estimate = 0;
    for (int r = 0; r < table.rowCount(); ++r)
        estimate += table.rowText(r).size() + 3 * columns + 2;
    out.reserve(estimate + 64 * columns);
    const QStringList titles = table.titles();
    for (int c = 0; c < columns; ++c)
        fields[c] = titles[c];
    BookLine::appendLine(out, fields, delimiter);
    out += QLatin1String("\r\n");
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < columns; ++c)
            fields[c] = table.cell(r, c);
        BookLine::appendLine(out, fields, delimiter);
        out += QLatin1String("\r\n");
    }
    return out;
}

TextFile::WriteResult write(const QString &path, const BookTable &table, BookLine::Delimiter delimiter) {
    return TextFile::writeAtomically(path, TextFile::encode(serialize(table, delimiter)));
}

} // namespace BookFile
