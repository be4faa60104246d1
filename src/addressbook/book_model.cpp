#include "addressbook/book_model.h"

#include <algorithm>

BookModel::BookModel(QObject *parent)
    : QAbstractTableModel(parent) {}

int BookModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_table.rowCount();
}

int BookModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : m_table.columnCount();
}

QVariant BookModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

QVariant BookModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return shownTitle(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void BookModel::setTable(BookTable table) {
    beginResetModel();
    m_table = std::move(table);
    m_marks.reset();
    endResetModel();
    setModified(false);
}

void BookModel::setCell(int row, int column, const QString &text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (m_table.cell(row, column) == text)
        return;
    m_table.setCell(row, column, text);
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
    setModified(true);
}

void BookModel::appendEmptyRow() {
    beginInsertRows({}, rowCount(), rowCount());
    m_table.insertEmptyRow(rowCount());
    endInsertRows();
    setModified(true);
}

void BookModel::appendRows(const std::vector<QStringList> &rows) {
    if (rows.empty())
        return;
    beginInsertRows({}, rowCount(), rowCount() + int(rows.size()) - 1);
    for (const QStringList &cells : rows)
        m_table.appendCells(cells);
    endInsertRows();
    setModified(true);
}

void BookModel::removeContacts(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, rowCount() - 1);
    if (first > last)
        return;
    beginRemoveRows({}, first, last);
    m_table.removeRows(first, last - first + 1);
    endRemoveRows();
    setModified(true);
}

void BookModel::moveColumn(int from, int to) {
    if (from < 0 || from >= columnCount() || to < 0 || to >= columnCount() || from == to)
        return;
    beginMoveColumns({}, from, from, {}, from < to ? to + 1 : to);
    m_table.moveColumn(from, to);
    endMoveColumns();
    setModified(true);
}

void BookModel::insertColumn(int at, const QString &title) {
    at = std::clamp(at, 0, columnCount());
    beginInsertColumns({}, at, at);
    m_table.insertColumn(at, title);
    m_marks.columnInserted(at);
    endInsertColumns();
    setModified(true);
}

void BookModel::setTitle(int column, const QString &title) {
    if (column < 0 || column >= columnCount() || m_table.title(column) == title)
        return;
    m_table.setTitle(column, title);
    emit headerDataChanged(Qt::Horizontal, column, column);
    setModified(true);
}

void BookModel::sortPress(int column) {
    if (column < 0 || column >= columnCount())
        return;
    const int previous = m_marks.column();
    const Qt::SortOrder order = m_marks.press(column);
    // The current cell and selection stay at their places, as the rows move under them.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_table.sortRows(column, order);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit headerDataChanged(Qt::Horizontal, std::min(previous, column), std::max(previous, column));
    setModified(true);
}

void BookModel::setModified(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}
