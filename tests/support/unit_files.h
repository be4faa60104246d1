#pragma once

#include "base/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A fresh folder for a unit test, its files written and read as the program writes and reads
// them. Names are relative to the folder; an absolute path is taken as it is.
class TestFolder {
public:
    QString path(const QString &name = {}) const { return QDir(m_dir.path()).filePath(name); }
    // Writes `bytes` to `name`, making the folders on its way; the file's path.
    QString write(const QString &name, const QByteArray &bytes) const {
        const QString file = path(name);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()) &&
                    TextFile::writeAtomically(file, bytes).ok)
            << name.toStdString();
        return file;
    }
    QByteArray read(const QString &name) const { return TextFile::readAll(path(name)).value_or("<missing>"); }
    bool has(const QString &name) const { return QFileInfo::exists(path(name)); }
    QStringList entries(const QString &name = {}) const {
        return QDir(path(name)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir m_dir;
};
