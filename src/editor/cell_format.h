#pragma once

#include "editor/cell_targets.h"
#include "editor/tag_format.h"

#include <QString>

// The attributes of a cell tag as the cell dialog shows them. `valign` is "" (the list's
// "Default"), "TOP", "MIDDLE", "BASELINE" or "BOTTOM".
struct CellFormat : BoxFormat {
    QString valign;
    bool noWrap = false;
    QString rowSpan = QStringLiteral("1");
    QString colSpan = QStringLiteral("1");
};

namespace CellFormatting {

// The format of the cell that holds the marker; the defaults outside any cell.
CellFormat readCell(const QString &document, int markerPosition);

// `document` with the cells that `scope` reaches from the marker rewritten: WIDTH, HEIGHT,
// BGCOLOR, BORDERCOLOR, ALIGN, VALIGN, NOWRAP, ROWSPAN, COLSPAN and BACKGROUND set in place or
// appended in that order, or removed when not set (a span of 1 or less is no span). A row's
// cells keep their own widths and row spans, a column's cells their heights and column spans:
// those are the fields a row or column does not offer. All other text comes back byte for byte;
// outside any cell, or on a size error (`error`), the document comes back unchanged.
QString rewriteCells(const QString &document, int markerPosition, CellScope scope, const CellFormat &format,
                     TagFormat::SizeError *error);

} // namespace CellFormatting
