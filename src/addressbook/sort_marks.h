#pragma once

#include <QString>

// The sorted column of a book and the mark its title shows: "^ " ascending, "v " descending.
// A freshly opened book counts as sorted by column 0 with no mark shown.
class SortMarks {
public:
    enum class Mode { None = 0, Ascending = 5, Descending = 6 };

    // A press on the title of `column`: the same column again turns the order round (and an
    // unmarked one sorts ascending); another column becomes the sorted one, ascending.
    Qt::SortOrder press(int column);
    void reset() { *this = SortMarks(); }
    // A column was inserted at `at`: the sorted column keeps its mark where it moved.
    void columnInserted(int at) { m_column += m_column >= at ? 1 : 0; }

    int column() const { return m_column; }
    // The title as shown: the plain title, with the mark when `column` is the sorted column.
    QString shown(int column, const QString &plainTitle) const;

private:
    int m_column = 0;
    Mode m_mode = Mode::None;
};
