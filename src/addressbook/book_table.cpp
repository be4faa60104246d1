#include "addressbook/book_table.h"

#include "addressbook/book_line.h"

#include <algorithm>
#include <numeric>

namespace {

constexpr QChar tab = u'\t';

// Start and length of field `field` in a tabbed row; start -1 when the row has fewer fields.
std::pair<qsizetype, qsizetype> fieldSpan(QStringView row, int field) {
    qsizetype start = 0;
    for (int f = 0; f < field; ++f) {
        const qsizetype next = row.indexOf(tab, start);
        if (next < 0)
            return {-1, 0};
        start = next + 1;
    }
    const qsizetype end = row.indexOf(tab, start);
    return {start, (end < 0 ? row.size() : end) - start};
}

} // namespace

BookTable::BookTable(int columns)
    : m_fieldOf(std::max(columns, 0)) {
    std::iota(m_fieldOf.begin(), m_fieldOf.end(), 0);
    for (int c = 0; c < columnCount(); ++c)
        m_titles.append(QString());
}

void BookTable::setTitle(int column, const QString &title) {
    if (column >= 0 && column < columnCount())
        m_titles[column] = BookLine::cleanCell(title);
}

QStringView BookTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const QStringView text(m_rows[row]);
    const auto [start, length] = fieldSpan(text, m_fieldOf[column]);
    return start < 0 ? QStringView() : text.sliced(start, length);
}

void BookTable::setCell(int row, int column, QStringView text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    QString &stored = m_rows[row];
    const int field = m_fieldOf[column];
    auto [start, length] = fieldSpan(stored, field);
    if (start < 0) {
        // The row ends before this field: fill in the empty fields up to it.
        const qsizetype present = stored.count(tab) + 1;
        stored.append(QString(field - present + 1, tab));
        start = stored.size();
        length = 0;
    }
    stored.replace(start, length, BookLine::cleanCell(text));
}

void BookTable::appendTabbedRow(QString tabbed) {
    // Cut after the last field there is a column for.
    qsizetype pos = -1;
    for (int f = 0; f < columnCount(); ++f) {
        pos = tabbed.indexOf(tab, pos + 1);
        if (pos < 0)
            break;
    }
    if (pos >= 0)
        tabbed.truncate(pos);
    m_rows.push_back(std::move(tabbed));
}

void BookTable::appendCells(const QStringList &cells) {
    QStringList fields(columnCount());
    for (int c = 0; c < columnCount() && c < cells.size(); ++c)
        fields[m_fieldOf[c]] = BookLine::cleanCell(cells[c]);
    m_rows.push_back(fields.join(tab));
}

void BookTable::insertEmptyRow(int at) {
    at = std::clamp(at, 0, rowCount());
    m_rows.insert(m_rows.begin() + at, QString());
}

void BookTable::removeRows(int first, int count) {
    first = std::clamp(first, 0, rowCount());
    count = std::clamp(count, 0, rowCount() - first);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
}

int BookTable::indexAfterMove(int index, int from, int to) {
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (to < from && index >= to && index < from)
        return index + 1;
    return index;
}

void BookTable::moveColumn(int from, int to) {
    if (from < 0 || from >= columnCount() || to < 0 || to >= columnCount() || from == to)
        return;
    const auto move = [from, to](auto &list) {
        if (from < to)
            std::rotate(list.begin() + from, list.begin() + from + 1, list.begin() + to + 1);
        else
            std::rotate(list.begin() + to, list.begin() + from, list.begin() + from + 1);
    };
    move(m_fieldOf);
    move(m_titles);
}

void BookTable::insertColumn(int at, const QString &title) {
    at = std::clamp(at, 0, columnCount());
    // Rows hold no field beyond the column count (appendTabbedRow cuts them), so a new field
    // index past every present one is empty in all of them.
    m_fieldOf.insert(m_fieldOf.begin() + at, columnCount());
    m_titles.insert(at, BookLine::cleanCell(title));
}

void BookTable::sortRows(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount())
        return;
    // Fold each key once; the comparisons then compare plain text.
    std::vector<QString> keys(m_rows.size());
    for (int r = 0; r < rowCount(); ++r)
        keys[r] = cell(r, column).toString().toCaseFolded();
    std::vector<int> permutation(m_rows.size());
    std::iota(permutation.begin(), permutation.end(), 0);
    if (order == Qt::AscendingOrder)
        std::stable_sort(permutation.begin(), permutation.end(),
                         [&keys](int a, int b) { return keys[a] < keys[b]; });
    else
        std::stable_sort(permutation.begin(), permutation.end(),
                         [&keys](int a, int b) { return keys[b] < keys[a]; });
    std::vector<QString> sorted;
    sorted.reserve(m_rows.size());
    for (const int r : permutation)
        sorted.push_back(std::move(m_rows[r]));
    m_rows = std::move(sorted);
}
