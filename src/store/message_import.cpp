#include "store/message_import.h"

#include "base/text_file.h"
#include "store/mail_reader.h"
#include "store/saved_folders.h"
#include "store/saved_message_file.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Writes `message` under its own name, or under the first free numbered one; counts it as there
// already when a file of one of those names holds the same bytes.
void add(const SavedMessage &message, const QDir &folder, ImportResult &result) {
    const QByteArray bytes = SavedMessageFile::content(message);
    const QString extension = QStringLiteral(".htm");
    for (int number = 1;; ++number) {
        const QString suffix = number == 1 ? QString() : QStringLiteral("&&%1").arg(number);
        QString name = SavedMessageFile::fileName(message, MessageKind::Captured,
                                                  SavedMessageFile::maxNameBytes - int(suffix.size()));
        name.insert(name.size() - extension.size(), suffix);
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path)) {
            if (TextFile::writeAtomically(path, bytes).ok)
                ++result.added;
            else
                ++result.writeFailed;
            return;
        }
        if (TextFile::readAll(path) == bytes) {
            ++result.alreadyThere;
            return;
        }
    }
}

} // namespace

ImportResult MessageImport::importInto(const QString &source, const QString &mainDir, const QString &folder,
                                       const Progress &progress) {
    ImportResult result;
    if (SavedMessageFile::isSentFolder(folder)) {
        result.error = ImportResult::Error::SentFolder;
        return result;
    }
    const QString folderPath = SavedFolders::folderPath(mainDir, folder);
    if (!SavedFolders::isValidName(folder) || !QFileInfo(folderPath).isDir()) {
        result.error = ImportResult::Error::NoFolder;
        return result;
    }
    const QDir target(folderPath);
    const MailReader::Outcome outcome =
        MailReader::read(source, [&](const MailReader::Found &one, int permille) {
            if (one.message) {
                ++result.read;
                result.attachmentsLeft += one.attachmentsLeft ? 1 : 0;
                add(*one.message, target, result);
            } else {
                ++result.skipped[one.skipReason];
            }
            return !progress || progress(permille);
        });
    if (outcome == MailReader::Outcome::NoMail)
        result.error = ImportResult::Error::NoMail;
    else if (outcome == MailReader::Outcome::Cancelled)
        result.error = ImportResult::Error::Cancelled;
    return result;
}
