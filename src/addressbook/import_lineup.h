#pragma once

#include <QStringList>

#include <utility>
#include <vector>

class BookTable;

// What an import adds to a book. The imported table is lined up with the book: its column p
// goes into the book's column p; its columns beyond the book's titled ones become new book
// columns, inserted before the book's last (untitled, hidden) column, which takes the imported
// table's own last column. Nothing the file holds is dropped.
namespace ImportLineup {

enum class Duplicates { Keep, Skip };

struct Result {
    // Untitled book columns that take the title of the file's column lined up with them.
    std::vector<std::pair<int, QString>> retitled;
    // Titles of the new columns, in order; a file column beyond the book's with neither a title
    // nor a cell adds none.
    QStringList addedColumns;
    std::vector<QStringList> rows; // in the book's column order once the new columns are in
    int skipped = 0;
};

// With Duplicates::Skip a row is left out when its cell in `emailColumn` (the book's e-mail
// column) is not blank and already in the book or in an earlier imported row, compared
// without regard to case and outer blanks.
Result rowsToAppend(const BookTable &book, int emailColumn, const BookTable &imported, Duplicates duplicates);

} // namespace ImportLineup
