#include "addressbook/address_grid.h"

#include "addressbook/book_line.h"
#include "addressbook/book_model.h"
#include "addressbook/column_roles.h"
#include "addressbook/find_state.h"
#include "base/messages.h"
#include "base/twips.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <climits>

namespace {

// The narrowest widths, in twips, of the e-mail column and of the others; a column is made
// wide enough for its title and the cells shown, up to maxColumnWidth.
constexpr int emailWidth = 1300;
constexpr int nameWidth = 700;
constexpr int maxColumnWidth = 4500;

// The selection colours: yellow while a cell is edited, black after sorting.
const QColor editingColour(Qt::yellow);
const QColor sortedColour(Qt::black);

} // namespace

AddressGrid::AddressGrid(QTableView &grid, QLineEdit &textEdit, QLabel &labelEdit, BookModel &model,
                         const FindState &find, Messages &messages, QObject *parent)
    : QObject(parent)
    , m_grid(grid)
    , m_textEdit(textEdit)
    , m_labelEdit(labelEdit)
    , m_model(model)
    , m_find(find)
    , m_messages(messages) {
    m_grid.setModel(&m_model);
    // Cells are edited in the box above the grid, never in place.
    m_grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid.setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid.setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_grid.setWordWrap(false);
    // Rows of one fixed height keep a book of a hundred thousand rows quick to show and scroll.
    QHeaderView *rows = m_grid.verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(m_grid.fontMetrics().height() + 6);
    rows->hide();
    m_grid.horizontalHeader()->setSectionsClickable(true);

    connect(m_grid.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &AddressGrid::onCurrentChanged);
    connect(m_grid.horizontalHeader(), &QHeaderView::sectionPressed, this, &AddressGrid::onTitlePressed);
    connect(&m_grid, &QAbstractItemView::doubleClicked, this, &AddressGrid::insertRequested);
    // A width the user drags stays for that title when a book opens again.
    connect(m_grid.horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (!m_sizingColumns && width > 0)
                    m_userWidths.insert(m_model.headerData(column, Qt::Horizontal).toString(), width);
            });
    connect(&m_model, &QAbstractItemModel::layoutChanged, this, &AddressGrid::onRowsMoved);
    // Columns an import adds are sized as a book's are when it opens.
    connect(&m_model, &QAbstractItemModel::columnsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                for (int c = first; c <= last; ++c)
                    fitColumn(c, nameWidth);
            });
    connect(&m_textEdit, &QLineEdit::textEdited, this, &AddressGrid::onEdited);
    m_textEdit.installEventFilter(this);
    // Tab passes the grid by as one stop, instead of walking every cell of the book.
    m_grid.setTabKeyNavigation(false);
    m_grid.installEventFilter(this);
}

QString AddressGrid::deleteQuestion() {
    return QStringLiteral("Delete the selected addresses?");
}

void AddressGrid::showBook(const ColumnRoles &roles) {
    const int columns = m_model.columnCount();
    const QScopedValueRollback sizing(m_sizingColumns, true); // these widths are not the user's
    for (int c = 0; c < columns; ++c) {
        m_grid.setColumnHidden(c, false);
        fitColumn(c, c == roles.email ? emailWidth : nameWidth);
    }
    // The last column holds the file's untitled last field.
    if (columns > 0)
        m_grid.setColumnHidden(columns - 1, true);
    m_textEdit.clear();
    m_labelEdit.clear();
    m_grid.show();
    m_labelEdit.show();
    m_textEdit.show();
}

void AddressGrid::fitColumn(int column, int leastTwips) {
    QHeaderView *header = m_grid.horizontalHeader();
    const QScopedValueRollback sizing(m_sizingColumns, true);
    const QString title = m_model.headerData(column, Qt::Horizontal).toString();
    if (const auto kept = m_userWidths.constFind(title); kept != m_userWidths.cend()) {
        header->resizeSection(column, *kept);
        return;
    }
    const QAbstractItemView &cells = m_grid; // the grid's own measure of the rows shown
    const int fitting = qMax(header->sectionSizeHint(column), cells.sizeHintForColumn(column));
    header->resizeSection(column,
                          qBound(Twips::toPixels(leastTwips), fitting, Twips::toPixels(maxColumnWidth)));
}

std::pair<int, int> AddressGrid::selectedRows() const {
    const QItemSelection selection = m_grid.selectionModel()->selection();
    if (!selection.isEmpty()) {
        int top = INT_MAX;
        int bottom = -1;
        for (const QItemSelectionRange &range : selection) {
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
        }
        return {top, bottom};
    }
    const QModelIndex current = m_grid.currentIndex();
    if (!current.isValid())
        return {-1, -1};
    return {current.row(), current.row()};
}

void AddressGrid::goTo(int row, int column) {
    const QModelIndex index = m_model.index(row, column);
    m_grid.setCurrentIndex(index);
    m_grid.scrollTo(index, QAbstractItemView::PositionAtTop);
}

void AddressGrid::showFound(int row, int column) {
    goTo(row, column);
    if (column > 2)
        m_grid.horizontalScrollBar()->setValue(m_grid.horizontalHeader()->sectionPosition(column));
}

void AddressGrid::addRow() {
    m_model.appendEmptyRow();
    // A new contact is typed from its first field on, wherever the cursor was before.
    goTo(m_model.rowCount() - 1, 0);
}

void AddressGrid::removeSelected() {
    const auto [first, last] = selectedRows();
    if (first < 0)
        return;
    if (last > first && m_messages.ask(deleteQuestion(), Messages::Buttons::YesNo, Messages::Answer::No) !=
                            Messages::Answer::Yes)
        return;
    const int column = std::max(m_grid.currentIndex().column(), 0);
    m_model.removeContacts(first, last);
    if (m_model.rowCount() > 0)
        goTo(std::min(first, m_model.rowCount() - 1), column);
    onCurrentChanged();
}

void AddressGrid::onCurrentChanged() {
    const QModelIndex current = m_grid.currentIndex();
    if (!current.isValid()) {
        m_textEdit.clear();
        m_labelEdit.clear();
        return;
    }
    m_textEdit.setText(m_model.cell(current.row(), current.column()));
    m_labelEdit.setText(m_model.plainTitle(current.column()) + QStringLiteral(" :"));
    setSelectionColour(editingColour);
    // While the find dialog searches, the keyboard stays in its text box.
    if (!m_find.inProgress && !m_tabbedIn) {
        m_textEdit.setFocus();
        m_textEdit.end(false);
    }
}

void AddressGrid::onTitlePressed(int column) {
    setSelectionColour(sortedColour);
    m_model.sortPress(column);
}

void AddressGrid::onRowsMoved() {
    // The rows moved under the current cell: the editor shows what is there now.
    const QModelIndex current = m_grid.currentIndex();
    if (current.isValid())
        m_textEdit.setText(m_model.cell(current.row(), current.column()));
}

void AddressGrid::onEdited(const QString &text) {
    const QModelIndex current = m_grid.currentIndex();
    if (current.isValid())
        m_model.setCell(current.row(), current.column(), BookLine::editedCell(text).toString());
}

void AddressGrid::moveToRow(int row, bool scrollWhenHidden) {
    const QModelIndex target = m_model.index(row, m_grid.currentIndex().column());
    const bool wasVisible = m_grid.viewport()->rect().contains(m_grid.visualRect(target));
    m_grid.setCurrentIndex(target);
    m_grid.scrollTo(target, scrollWhenHidden && !wasVisible ? QAbstractItemView::PositionAtTop
                                                            : QAbstractItemView::EnsureVisible);
}

bool AddressGrid::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_grid && event->type() == QEvent::FocusIn) {
        // Arriving by Tab, the keyboard stays on the grid (its first cell may become current):
        // the next Tab goes on to the next control rather than into the cell editor.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            m_tabbedIn = true;
            QTimer::singleShot(0, this, [this] { m_tabbedIn = false; });
        }
        return false;
    }
    if (watched != &m_textEdit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const QModelIndex current = m_grid.currentIndex();
    if (!current.isValid())
        return false;
    const auto toGrid = [this](Qt::Key direction) {
        m_grid.setFocus();
        QKeyEvent press(QEvent::KeyPress, direction, Qt::NoModifier);
        QApplication::sendEvent(&m_grid, &press);
        return true;
    };
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // While a cell is edited, Tab walks the cells and never leaves the grid (what is typed
        // next would be lost); Escape hands the keyboard back to the grid, and Tab goes on from it.
        tabTo(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Escape:
        m_grid.setFocus(Qt::ShortcutFocusReason);
        return true;
    case Qt::Key_Right:
        return toGrid(Qt::Key_Right);
    case Qt::Key_Left:
        return toGrid(Qt::Key_Left);
    case Qt::Key_Up:
        if (current.row() > 0)
            moveToRow(current.row() - 1, false);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (current.row() < m_model.rowCount() - 1)
            moveToRow(current.row() + 1, true);
        else
            addRow();
        return true;
    default:
        return false;
    }
}

void AddressGrid::tabTo(bool forward) {
    const QModelIndex current = m_grid.currentIndex();
    const int columns = m_model.columnCount();
    const int step = forward ? 1 : -1;
    const auto visibleFrom = [&](int column) {
        while (column >= 0 && column < columns && m_grid.isColumnHidden(column))
            column += step;
        return column;
    };
    int row = current.row();
    int column = visibleFrom(current.column() + step);
    if (column < 0 || column >= columns) {
        // Past the row's end: the next row's first cell, and after the last row a new one, as
        // Enter does; before the row's start: the previous row's last cell.
        if (forward && row == m_model.rowCount() - 1) {
            addRow();
            return;
        }
        if (!forward && row == 0)
            return;
        row += step;
        column = visibleFrom(forward ? 0 : columns - 1);
    }
    const QModelIndex next = m_model.index(row, column);
    m_grid.setCurrentIndex(next);
    m_grid.scrollTo(next);
}

void AddressGrid::setSelectionColour(const QColor &colour) {
    QPalette palette = m_grid.palette();
    palette.setColor(QPalette::Highlight, colour);
    palette.setColor(QPalette::HighlightedText, colour == sortedColour ? Qt::white : Qt::black);
    m_grid.setPalette(palette);
}
