#include "addressbook/book_file.h"

#include <algorithm>
#include <vector>

namespace BookFile {

namespace {

bool looksBinary(const QByteArray &bytes) {
    if (bytes.contains('\0'))
        return true;
    const QByteArrayView head = QByteArrayView(bytes).first(std::min<qsizetype>(bytes.size(), 64 * 1024));
    const auto controls = std::count_if(head.begin(), head.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n' && byte != '\f';
    });
    return controls * 16 > head.size();
}

Error decodeFile(const QString &path, QString &text) {
    const std::optional<QByteArray> bytes = TextFile::readAll(path, maxBytes + 1);
    if (!bytes)
        return Error::Unreadable;
    if (bytes->size() > maxBytes)
        return Error::TooLarge;
    if (looksBinary(*bytes))
        return Error::NotText;
    text = TextFile::decode(*bytes);
    return Error::None;
}

OpenedBook opened(ReadResult read) {
    OpenedBook book{read.error, std::move(read.table), {}, false};
    if (book.error != Error::None)
        return book;
    book.roles = ColumnRoles::recognise(book.table.titles());
    return book;
}

} // namespace

ReadResult parse(QStringView text, BookLine::Delimiter delimiter) {
    ReadResult result;
    const QStringList lines = TextFile::splitLines(text);
    if (lines.isEmpty()) {
        result.table = BookTable(2);
        return result;
    }
    result.hasHeader = true;
    const QStringList header = BookLine::toTabbed(lines.first(), delimiter).split(u'\t');
    if (header.size() > maxColumns) {
        result.error = Error::TooManyColumns;
        return result;
    }
    result.table = BookTable(std::max<int>(2, int(header.size())));
    for (int k = 0; k + 1 < header.size(); ++k)
        result.table.setTitle(k, header[k]);
    for (qsizetype i = 1; i < lines.size(); ++i)
        result.table.appendTabbedRow(BookLine::toTabbed(lines[i], delimiter));
    return result;
}

ReadResult read(const QString &path, BookLine::Delimiter delimiter) {
    QString text;
    if (const Error error = decodeFile(path, text); error != Error::None)
        return {error, {}, false};
    return parse(text, delimiter);
}

OpenedBook open(const QString &path) {
    const BookLine::Delimiter delimiter = BookLine::delimiterForPath(path);
    ReadResult result = read(path, delimiter);
    const bool hasHeader = result.hasHeader;
    OpenedBook book = opened(std::move(result));
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
    QString text;
    if (const Error error = decodeFile(path, text); error != Error::None)
        return {error, {}, {}, false};
    BookLine::Delimiter delimiter = BookLine::delimiterForPath(path);
    if (delimiter != BookLine::Delimiter::Tab) {
        // The header line tells the separator.
        const auto end =
            std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c == u'\r' || c == u'\n'; });
        delimiter = BookLine::sniffDelimiter(QStringView(text.cbegin(), end));
    }
    OpenedBook book = opened(parse(text, delimiter));
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
