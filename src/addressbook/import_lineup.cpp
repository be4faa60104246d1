#include "addressbook/import_lineup.h"

#include "addressbook/book_table.h"

#include <QSet>

namespace {

QString addressKey(QStringView cell) {
    return cell.trimmed().toString().toCaseFolded();
}

bool holdsAnything(const BookTable &table, int column) {
    if (!table.title(column).isEmpty())
        return true;
    for (int r = 0; r < table.rowCount(); ++r) {
        if (!table.cell(r, column).trimmed().isEmpty())
            return true;
    }
    return false;
}

} // namespace

ImportLineup::Result ImportLineup::rowsToAppend(const BookTable &book, int emailColumn,
                                                const BookTable &imported, Duplicates duplicates) {
    Result result;
    const int bookColumns = book.columnCount() - 1; // all but the untitled last
    const int importedLast = imported.columnCount() - 1;
    // The imported columns in the order of the book's columns once the new ones are in.
    std::vector<int> sources;
    for (int c = 0; c < bookColumns; ++c) {
        sources.push_back(c < importedLast ? c : -1);
        if (c < importedLast && book.title(c).isEmpty() && !imported.title(c).isEmpty())
            result.retitled.emplace_back(c, imported.title(c));
    }
    for (int c = bookColumns; c < importedLast; ++c) {
        if (!holdsAnything(imported, c))
            continue;
        sources.push_back(c);
        result.addedColumns.append(imported.title(c));
    }
    sources.push_back(importedLast);

    const bool skipping = duplicates == Duplicates::Skip && emailColumn >= 0 && emailColumn < bookColumns;
    QSet<QString> known;
    if (skipping) {
        for (int r = 0; r < book.rowCount(); ++r)
            known.insert(addressKey(book.cell(r, emailColumn)));
    }
    for (int r = 0; r < imported.rowCount(); ++r) {
        QStringList cells;
        cells.reserve(qsizetype(sources.size()));
        for (const int source : sources)
            cells.append(source < 0 ? QString() : imported.cell(r, source).toString());
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
