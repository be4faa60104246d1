#pragma once

#include <QString>
#include <QStringView>

#include <span>

// One record (contact or header) of an address book file. Inside the program a record is held as
// its fields joined by tabs: fields never hold a tab, CR or LF, so the tab is a safe separator.
namespace BookLine {

enum class Delimiter { Comma, Semicolon, Tab };

// Books whose path contains ".txt" (any case) are tab-delimited; all others comma-separated.
Delimiter delimiterForPath(const QString &path);

// The separator a header line uses: semicolon when it has more semicolon-separated than
// comma-separated fields (as some spreadsheet programs write CSV files), tab when it has tabs but
// neither, else comma.
Delimiter sniffDelimiter(QStringView header);

// The record that starts at `pos` in `text`, its fields joined by tabs; `pos` moves past the
// record's line end. Tab records are one line each, returned unchanged. Comma and semicolon
// records: tabs become blanks; a double quote at the start of a field opens a quoted part, in
// which the delimiter is text, two double quotes stand for one and a line end is read as a blank,
// so the record goes on over it; a lone quote closes the part. Elsewhere a quote is text, except
// in a field that began quoted: books written before quotes were doubled read as they always did,
// and a quoted part that such a quote opened again ends at the line's end, as does a quoted part
// still open at the end of the text.
QString readRecord(QStringView text, qsizetype &pos, Delimiter delimiter);
// The first record of `line`.
QString toTabbed(QStringView line, Delimiter delimiter);

// Appends one line (no line end) of `fields` as written: comma lines put every field between
// double quotes and double the quotes inside; tab lines join the fields as they are. A tab,
// CR or LF inside a field is written as a blank, so it cannot break the line.
void appendLine(QString &out, std::span<const QStringView> fields, Delimiter delimiter);
QString joinLine(std::span<const QStringView> fields, Delimiter delimiter);

// The text an edit puts into a cell: everything before the first CR, LF or tab.
QStringView editedCell(QStringView text);

// A cell's text with every tab, CR and LF turned into a blank.
QString cleanCell(QStringView text);

} // namespace BookLine
