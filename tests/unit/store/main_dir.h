#pragma once

#include "support/unit_files.h"

// A fresh main directory whose store holds `folders`.
struct MainDir : TestFolder {
    explicit MainDir(const QStringList &folders) {
        for (const QString &folder : folders)
            QDir(path()).mkpath(QStringLiteral("savedmgs/") + folder);
    }
    // The main directory as the program is given it, with its separator.
    QString mainDir() const { return path() + u'/'; }
};
