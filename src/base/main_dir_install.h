#pragma once

#include <QString>
#include <QStringList>

// Lays out a main directory from the program's data folder: the program's own pages are
// brought up to date, while everything the user keeps there (saved messages, address
// books, templates) is only added where missing, never overwritten.
namespace MainDirInstall {

struct Result {
    bool ok = true;
    QStringList copied;
    QString error;
};

Result install(const QString &dataDir, const QString &mainDir);

// Files that belong to the program and are replaced on every install.
bool isProgramFile(const QString &relativePath);

} // namespace MainDirInstall
