#pragma once

#include "store/loose_date.h"

#include <QString>

#include <functional>

// Writes every saved message of one folder into one mbox file. The file appears whole or not
// at all: it is written under a temporary name and renamed when complete.
struct MboxExportResult {
    enum class Error { None, Cancelled, WriteFailed };
    Error error = Error::None;
    int written = 0;     // messages in the file
    int notMessages = 0; // files of the folder that hold no saved message
    int unreadable = 0;  // files that could not be read
    QString detail;      // the file system's reason, for WriteFailed
    bool ok() const { return error == Error::None; }
};

namespace MboxExport {

// Called after each file with the count done and the total; false cancels the export.
using Progress = std::function<bool(int done, int total)>;

// Exports the files of `folderPath` in the order of their names into `target`, replacing it.
MboxExportResult exportFolder(const QString &folderPath, const QString &target, LooseDate::Order order,
                              const Progress &progress = {});

// Files larger than this are left out (counted unreadable).
constexpr qint64 maxFileBytes = 256 * 1024 * 1024;

} // namespace MboxExport
