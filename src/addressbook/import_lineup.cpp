#include "addressbook/import_lineup.h"

#include "addressbook/book_table.h"

#include <QSet>

namespace {

QString addressKey(QStringView cell) {
    return cell.trimmed().toString().toCaseFolded();
}

} // namespace

ImportLineup::Result ImportLineup::rowsToAppend(const BookTable &book, int emailColumn,
                                                const BookTable &imported, Duplicates duplicates) {
    const int columns = book.columnCount();
    const bool skipping = duplicates == Duplicates::Skip && emailColumn >= 0 && emailColumn < columns;
    QSet<QString> known;
    if (skipping) {
        for (int r = 0; r < book.rowCount(); ++r)
            known.insert(addressKey(book.cell(r, emailColumn)));
    }
    Result result;
    for (int r = 0; r < imported.rowCount(); ++r) {
        QStringList cells;
        cells.reserve(columns);
        for (int c = 0; c < columns; ++c)
            cells.append(imported.cell(r, c).toString());
        if (skipping) {
            const QString key = addressKey(cells[emailColumn]);
            if (!key.isEmpty() && known.contains(key)) {
                ++result.skipped;
                continue;
            }
            known.insert(key);
        }
        result.rows.push_back(std::move(cells));
    }
    return result;
}
