#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class BookTable;

// Looking things up in an open book for the find dialog and the address palette.
namespace BookSearch {

// The first row whose cell in `column` starts with `text`, compared without regard to case;
// nothing for an empty text or a column outside the table.
std::optional<int> findPrefix(const BookTable &table, int column, const QString &text);

// The cell of `column` of every row in row order, empty cells included.
QStringList columnValues(const BookTable &table, int column);

} // namespace BookSearch
