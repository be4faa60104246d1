#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The contacts of an address book and its column titles, kept compact for books of a hundred
// thousand rows: one string per row holding its fields joined by tabs (fields never hold a
// tab), and a column order that maps each shown column to its field, so moving a column
// touches no row. Rows may hold fewer fields than there are columns; the missing ones are empty.
class BookTable {
public:
    BookTable() = default;
    // `columns` columns with empty titles, no rows.
    explicit BookTable(int columns);

    int columnCount() const { return int(m_fieldOf.size()); }
    int rowCount() const { return int(m_rows.size()); }

    QString title(int column) const { return m_titles.value(column); }
    void setTitle(int column, const QString &title);
    QStringList titles() const { return m_titles; }

    // Empty outside the table.
    QStringView cell(int row, int column) const;
    // The row's fields joined by tabs, in the order first read.
    QStringView rowText(int row) const { return m_rows[row]; }
    // Tabs, CR and LF in `text` become blanks.
    void setCell(int row, int column, QStringView text);

    // A row from its fields joined by tabs, in the order of the fields as first read; fields
    // beyond the column count are dropped.
    void appendTabbedRow(QString tabbed);
    // A row from its cells in shown column order; cells beyond the column count are dropped.
    void appendCells(const QStringList &cells);
    void insertEmptyRow(int at);
    void removeRows(int first, int count);

    // Moves column `from` to position `to`; the columns between shift by one.
    void moveColumn(int from, int to);
    // A new column at position `at`, empty in every row; no row is touched.
    void insertColumn(int at, const QString &title);

    // Reorders the rows by the cells of `column` without regard to case; equal cells keep
    // their order.
    void sortRows(int column, Qt::SortOrder order);

    // The index a column has after column `from` moved to `to`.
    static int indexAfterMove(int index, int from, int to);

private:
    QStringList m_titles;
    std::vector<int> m_fieldOf; // shown column -> field index in the row strings
    std::vector<QString> m_rows;
};
