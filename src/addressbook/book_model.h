#pragma once

#include "addressbook/book_table.h"
#include "addressbook/sort_marks.h"

#include <QAbstractTableModel>

// The open address book as the grid shows it: one row per contact, the column titles in the
// horizontal header (the sorted column with its mark). Cells change only through the calls
// below, which mark the book as changed until it is saved.
class BookModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BookModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const BookTable &table() const { return m_table; }
    // A freshly read book: unchanged, sorted by column 0 without a mark.
    void setTable(BookTable table);

    QString cell(int row, int column) const { return m_table.cell(row, column).toString(); }
    void setCell(int row, int column, const QString &text);
    QString plainTitle(int column) const { return m_table.title(column); }
    QString shownTitle(int column) const { return m_marks.shown(column, m_table.title(column)); }

    void appendEmptyRow();
    // Cells in column order, one list per row.
    void appendRows(const std::vector<QStringList> &rows);
    void removeContacts(int first, int last);
    void moveColumn(int from, int to);
    void insertColumn(int at, const QString &title);
    void setTitle(int column, const QString &title);

    // A press on the title of `column` (see SortMarks); the rows are sorted without regard to case.
    void sortPress(int column);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

signals:
    void modifiedChanged(bool modified);

private:
    BookTable m_table;
    SortMarks m_marks;
    bool m_modified = false;
};
