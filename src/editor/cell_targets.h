#pragma once

#include <QString>

#include <vector>

// Which cells the cell dialog changes: the numbers are the editor's cell property scope.
enum class CellScope { Cell = 0, Row = 1, Column = 2 };

// A tag's place in the text: 0-based positions of its "<" and its ">".
struct TagSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// Where the cell dialog works in a captured document.
struct CellTargets {
    bool found = false;        // the marker stands inside a table cell
    TagSpan cell;              // the opening tag of that cell
    qsizetype tableBegin = 0;  // the table around it: from its "<" ...
    qsizetype tableEnd = 0;    // ... to just after its closing tag (the text's end when it has none)
    std::vector<TagSpan> tags; // the cell tags to rewrite, in document order
};

// The cells that `scope` reaches from the marker at the 1-based `markerPosition` of `document`.
// TD and TH are both cells. Rows and columns are those of the table the cell belongs to: a table
// nested inside one of its cells is not counted, and a table holding it is not reached. The
// column is the cell's place among the tags of its row (spans do not count); rows shorter than
// that have no cell in the column. Outside any cell nothing is found.
CellTargets findCellTargets(const QString &document, int markerPosition, CellScope scope);
