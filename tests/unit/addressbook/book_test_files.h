#pragma once

#include "addressbook/book_table.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// Small file and table helpers for the address book tests.
inline bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A table as one line a table row can hold: the titles, then each row, cells joined by '|'
// and rows by '/'.
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
