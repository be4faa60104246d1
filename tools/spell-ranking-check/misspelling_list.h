#pragma once

#include <QFile>
#include <QStringList>

#include <utility>
#include <vector>

// A list of misspellings as (typed, meant) pairs, from a file of "typed=meant" pairs separated by
// ", "; lines starting with "#" are comments.
inline std::vector<std::pair<QString, QString>> readMisspellings(const QString &path) {
    QFile file(path);
    std::vector<std::pair<QString, QString>> pairs;
    if (!file.open(QIODevice::ReadOnly))
        return pairs;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        for (const QString &pair : line.startsWith(u'#') ? QStringList() : line.split(QStringLiteral(", ")))
            pairs.emplace_back(pair.section(u'=', 0, 0), pair.section(u'=', 1).trimmed());
    }
    return pairs;
}
