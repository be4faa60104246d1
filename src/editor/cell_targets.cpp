#include "editor/cell_targets.h"

#include "editor/html_tag_scanner.h"

#include <optional>

namespace {

struct TableLayout {
    qsizetype begin = 0;
    std::vector<std::vector<TagSpan>> rows;
};

bool isCell(const HtmlTag &tag) {
    return tag.is(u"td") || tag.is(u"th");
}

// Where the marker stands: which open table (by depth), row and cell.
struct MarkerCell {
    size_t depth = 0;
    size_t row = 0;
    size_t column = 0;
};

} // namespace

CellTargets findCellTargets(const QString &document, int markerPosition, CellScope scope) {
    CellTargets targets;
    if (markerPosition < 1)
        return targets;
    const qsizetype marker = markerPosition - 1;
    std::vector<TableLayout> open; // the tables open at the scanner's place, outermost first
    std::optional<MarkerCell> at;
    const auto noteMarker = [&] {
        if (open.empty() || open.back().rows.empty() || open.back().rows.back().empty())
            return false;
        at = MarkerCell{open.size(), open.back().rows.size() - 1, open.back().rows.back().size() - 1};
        return true;
    };

    HtmlTagScanner scanner(document);
    HtmlTag tag;
    bool passedMarker = false;
    bool closed = false;
    while (!closed && scanner.next(tag)) {
        if (!passedMarker && tag.begin >= marker) {
            passedMarker = true;
            if (!noteMarker())
                return targets;
        }
        if (tag.is(u"table")) {
            if (!tag.closing) {
                open.push_back({tag.begin, {}});
            } else if (!open.empty()) {
                closed = at && open.size() == at->depth;
                if (closed)
                    targets.tableEnd = tag.end + 1;
                else
                    open.pop_back();
            }
        } else if (!open.empty() && !tag.closing && tag.is(u"tr")) {
            open.back().rows.emplace_back();
        } else if (!open.empty() && !tag.closing && isCell(tag)) {
            if (open.back().rows.empty())
                open.back().rows.emplace_back(); // a cell outside any row starts one
            open.back().rows.back().push_back({tag.begin, tag.end});
        }
    }
    if (!passedMarker && !noteMarker())
        return targets;
    if (!at)
        return targets;
    if (!closed)
        targets.tableEnd = document.size();

    const TableLayout &table = open[at->depth - 1];
    targets.found = true;
    targets.tableBegin = table.begin;
    targets.cell = table.rows[at->row][at->column];
    switch (scope) {
    case CellScope::Cell:
        targets.tags = {targets.cell};
        break;
    case CellScope::Row:
        targets.tags = table.rows[at->row];
        break;
    case CellScope::Column:
        for (const std::vector<TagSpan> &row : table.rows) {
            if (row.size() > at->column)
                targets.tags.push_back(row[at->column]);
        }
        break;
    }
    return targets;
}
