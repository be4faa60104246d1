#pragma once

#include <QMap>
#include <QString>

#include <functional>

// Brings the messages of an mbox file, an .eml file, a folder of .eml files or a Maildir into a
// saved-message folder. A message already in the folder (the same file, byte for byte) is not
// added again; a different message whose file name is taken gets a fifth name part ("&&2"), which
// the list ignores. Nothing in the folder is ever replaced.
struct ImportResult {
    enum class Error { None, NoMail, Cancelled, SentFolder, NoFolder };
    Error error = Error::None;
    int read = 0;         // messages found in the source
    int added = 0;        // files written
    int alreadyThere = 0; // messages the folder held already
    int attachmentsLeft = 0;
    int writeFailed = 0;
    QMap<QString, int> skipped; // why, and how many
    bool ok() const { return error == Error::None; }
};

namespace MessageImport {

// Called with the share done (0 to 1000); false cancels (what was added stays).
using Progress = std::function<bool(int permille)>;

ImportResult importInto(const QString &source, const QString &mainDir, const QString &folder,
                        const Progress &progress = {});

} // namespace MessageImport
