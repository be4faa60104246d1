#pragma once

#include "mailmerge/merge_log.h"

#include <QFile>
#include <QString>

// The merge log file of one run, appended to line by line. Each line is handed to the system at
// once, so a run killed in the middle leaves every line written before it.
class MergeJournal {
public:
    // Opens (or creates) the log in `folder`; the folder is made when missing.
    bool open(const QString &folder, const QString &fileName);
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    // What earlier runs of the same merge recorded.
    static MergeLog::State readState(const QString &path);

    bool recordSending(const MergeLog::Entry &entry) { return append(MergeLog::sendingLine(entry)); }
    bool recordSent(const MergeLog::Entry &entry) { return append(MergeLog::sentLine(entry)); }
    bool recordUnknown(const MergeLog::Entry &entry) { return append(MergeLog::unknownLine(entry)); }
    bool recordRefused(const MergeLog::Entry &entry, MergeLog::AfterRefusal then, const QString &words) {
        return append(MergeLog::refusedLine(entry, then, words));
    }
    void close() { m_file.close(); }

private:
    bool append(const QByteArray &line);

    QFile m_file;
};
