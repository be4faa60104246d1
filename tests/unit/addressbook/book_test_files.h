#pragma once

#include "addressbook/address_book.h"
#include "addressbook/book_table.h"
#include "base/messages.h"
#include "support/sim_process.h" // prints QStrings in failures
#include "support/unit_files.h"

#include <gtest/gtest.h>

// A table as one line a table row can hold: the titles, then each row, cells joined by '|'
// and rows by '/'; `shownRow` gives one row of it.
inline QString shown(const BookTable &table) {
    QStringList rows{table.titles().join(u'|')};
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table.columnCount(); ++c)
            cells.append(table.cell(r, c).toString());
        rows.append(cells.join(u'|'));
    }
    return rows.join(u'/');
}
inline QString shownRow(const BookTable &table, int row) {
    return shown(table).section(u'/', row + 1, row + 1);
}
// A model's column titles as a view shows them, joined by '|'.
inline QString titles(const QAbstractItemModel &model) {
    QStringList result;
    for (int c = 0; c < model.columnCount(); ++c)
        result.append(model.headerData(c, Qt::Horizontal).toString());
    return result.join(u'|');
}

// An address book whose relative paths lead into a fresh folder, its messages recorded.
class BookFixture : public testing::Test {
protected:
    QString place(const QString &relative) const { return m_dir.path(relative); }
    // Opens the book at `path` (relative to the folder, or absolute) as its Open does.
    void open(const QString &path) {
        m_book.setPendingPath(place(path));
        m_book.Open_CSV();
    }

    TestFolder m_dir;
    RecordingMessages m_messages;
    AddressBook m_book{m_messages, [this](const QString &relative) { return place(relative); }, nullptr};
};
