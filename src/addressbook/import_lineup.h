#pragma once

#include <QStringList>

#include <vector>

class BookTable;

// The rows an import appends to a book: each imported row's cells by column position, cut or
// filled with empty cells to the book's column count.
namespace ImportLineup {

enum class Duplicates { Keep, Skip };

struct Result {
    std::vector<QStringList> rows; // in the book's column order
    int skipped = 0;
};

// With Duplicates::Skip a row is left out when its cell in `emailColumn` (the book's e-mail
// column) is not blank and already in the book or in an earlier imported row, compared
// without regard to case and outer blanks.
Result rowsToAppend(const BookTable &book, int emailColumn, const BookTable &imported, Duplicates duplicates);

} // namespace ImportLineup
