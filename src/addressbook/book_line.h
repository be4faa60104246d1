#pragma once

#include <QString>
#include <QStringView>

#include <span>

// One line of an address book file. Inside the program a line is held as its fields joined by
// tabs: fields never hold a tab, CR or LF, so the tab is a safe separator.
namespace BookLine {

enum class Delimiter { Comma, Semicolon, Tab };

// Books whose path contains ".txt" (any case) are tab-delimited; all others comma-separated.
Delimiter delimiterForPath(const QString &path);

// Comma for an imported file unless its header separates with more semicolons than commas
// (as some spreadsheet programs write CSV files).
Delimiter sniffDelimiter(QStringView header);

// The line's fields joined by tabs. Comma and semicolon lines: tabs become blanks, a double
// quote opens or closes a quoted part, the delimiter outside a quoted part ends a field, and
// two double quotes inside a quoted part stand for one; the other quotes are dropped. Lines
// written before quotes were doubled read as they always did. Tab lines come back unchanged.
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
