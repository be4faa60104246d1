#pragma once

#include "editor/tag_format.h"

#include <QString>

// The attributes of a table's opening tag as the insert-table and table-properties dialogs show
// them. Border, padding and spacing are the numbers as typed (empty: no attribute).
struct TableFormat : BoxFormat {
    QString border = QStringLiteral("0");
    QString padding = QStringLiteral("3");
    QString spacing = QStringLiteral("0");
};

namespace TableFormatting {

// The most rows and columns one insertion makes, as many as the editing surface makes: more would
// stall the editor for a long time.
constexpr int maxRows = 500;
constexpr int maxColumns = 100;

// A row or column count as typed: a whole number above 0 (blanks around it allowed, "2.0" and
// "1e2" are whole numbers), and not above `maximum`.
enum class CountCheck { Valid, NotPositive, TooMany };
CountCheck checkCount(const QString &text, int maximum, int *count);

// The text that goes into a new table's opening tag after "TABLE": WIDTH, ALIGN, BORDER,
// CELLPADDING, CELLSPACING, BGCOLOR, BORDERCOLOR in that order, each after one blank. Height and
// image are not part of an insertion. Nothing when the width is not valid.
std::optional<QString> insertAttributes(const TableFormat &format);

// The format of the first table tag in `tableHtml` (a table's outer HTML); the defaults when it
// has none.
TableFormat readTable(const QString &tableHtml);

// `tableHtml` with its first table tag rewritten from `format`: WIDTH, HEIGHT, BGCOLOR,
// BORDERCOLOR, ALIGN, BORDER, CELLPADDING, CELLSPACING and BACKGROUND set in place or appended
// in that order, or removed when not set or empty. Everything else comes back as it was. On a
// size error `tableHtml` comes back unchanged with the error in `error`.
QString rewriteTable(const QString &tableHtml, const TableFormat &format, TagFormat::SizeError *error);

} // namespace TableFormatting
