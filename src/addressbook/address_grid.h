#pragma once

#include <QHash>
#include <QObject>

#include <utility>

class BookModel;
class Messages;
class QLabel;
class QLineEdit;
class QTableView;
struct ColumnRoles;
struct FindState;

// The grid of the open book and its cell editor: the editor box follows the current cell and
// writes what is typed into it, its arrow, tab and Enter keys move through the grid, and the
// grid's own commands (add, remove, sort by a title) keep the editor in step.
class AddressGrid : public QObject {
    Q_OBJECT
public:
    AddressGrid(QTableView &grid, QLineEdit &textEdit, QLabel &labelEdit, BookModel &model,
                const FindState &find, Messages &messages, QObject *parent = nullptr);

    // A book was opened: column widths (a width the user set for a title kept, else wide
    // enough for title and cells within a limit), the hidden last column, the editor emptied,
    // the grid shown.
    void showBook(const ColumnRoles &roles);

    // "Row" and "RowSel": the first and last row of the selection (or the current row alone),
    // in ascending order; {-1, -1} when there is none.
    std::pair<int, int> selectedRows() const;

    // "add": an empty row at the bottom becomes current.
    void addRow();
    // "remove": deletes the selected rows, asking first when there are several.
    void removeSelected();
    // Makes the cell current with its row at the top; columns right of the third are scrolled
    // to the left edge as well.
    void showFound(int row, int column);
    // Makes the cell current and scrolls its row to the top.
    void goTo(int row, int column);

    static QString deleteQuestion();

signals:
    // A double click on a cell: the caller inserts the selected addresses into To.
    void insertRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Wide enough for the title and the cells shown (at least `leastTwips`, within a limit), or
    // as wide as the user last made a column of that title; these widths are not the user's.
    void fitColumn(int column, int leastTwips);
    void onCurrentChanged();
    void onTitlePressed(int column);
    void onRowsMoved();
    void onEdited(const QString &text);
    void moveToRow(int row, bool scrollWhenHidden);
    // Tab and Shift+Tab in the cell editor: the next or previous cell, on into the next row.
    void tabTo(bool forward);
    void setSelectionColour(const QColor &colour);

    QTableView &m_grid;
    QLineEdit &m_textEdit;
    QLabel &m_labelEdit;
    BookModel &m_model;
    const FindState &m_find;
    Messages &m_messages;
    QHash<QString, int> m_userWidths; // by column title
    bool m_sizingColumns = false;
    bool m_tabbedIn = false; // the keyboard came to the grid with Tab, not to edit a cell
};
