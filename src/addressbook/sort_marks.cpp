#include "addressbook/sort_marks.h"

namespace {
const QString ascendingMark = QStringLiteral("^ ");
const QString descendingMark = QStringLiteral("v ");
} // namespace

Qt::SortOrder SortMarks::press(int column) {
    if (column == m_column && m_mode == Mode::Ascending) {
        m_mode = Mode::Descending;
        return Qt::DescendingOrder;
    }
    m_column = column;
    m_mode = Mode::Ascending;
    return Qt::AscendingOrder;
}

QString SortMarks::shown(int column, const QString &plainTitle) const {
    if (column != m_column || m_mode == Mode::None)
        return plainTitle;
    return (m_mode == Mode::Ascending ? ascendingMark : descendingMark) + plainTitle;
}
