#include "addressbook/book_search.h"

#include "addressbook/book_table.h"

std::optional<int> BookSearch::findPrefix(const BookTable &table, int column, const QString &text) {
    if (text.isEmpty() || column < 0 || column >= table.columnCount())
        return std::nullopt;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.cell(r, column).startsWith(text, Qt::CaseInsensitive))
            return r;
    }
    return std::nullopt;
}

QStringList BookSearch::columnValues(const BookTable &table, int column) {
    QStringList values;
    values.reserve(table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r)
        values.append(table.cell(r, column).toString());
    return values;
}
