#include "mailmerge/merge_journal.h"

#include "base/text_file.h"

#include <QDir>

bool MergeJournal::open(const QString &folder, const QString &fileName) {
    m_file.close();
    if (!QDir().mkpath(folder))
        return false;
    m_file.setFileName(QDir(folder).filePath(fileName));
    return m_file.open(QIODevice::Append | QIODevice::WriteOnly);
}

MergeLog::State MergeJournal::readState(const QString &path) {
    const std::optional<QByteArray> bytes = TextFile::readAll(path);
    return bytes ? MergeLog::parse(*bytes) : MergeLog::State();
}

bool MergeJournal::append(const QByteArray &line) {
    return m_file.isOpen() && m_file.write(line) == line.size() && m_file.flush();
}
