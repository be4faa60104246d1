#include "store/mbox_export.h"

#include "base/text_file.h"
#include "store/mbox_writer.h"
#include "store/mime_text.h"
#include "store/saved_message_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

MboxExportResult MboxExport::exportFolder(const QString &folderPath, const QString &target,
                                          LooseDate::Order order, const Progress &progress) {
    MboxExportResult result;
    const QFileInfoList files = QDir(folderPath).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    QSaveFile out(target);
    const auto failed = [&](const QString &reason) {
        out.cancelWriting();
        result.error = MboxExportResult::Error::WriteFailed;
        result.detail = reason;
        return result;
    };
    // The entries need GMime, which a faulty install may lack: no file then rather than a broken one.
    if (QString why; !MimeText::ready(&why))
        return failed(why);
    // Unbuffered, so that a write the disk has no room for fails there and then.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(out.errorString());
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QFileInfo &file = files[i];
        const std::optional<QByteArray> bytes = TextFile::readAll(file.filePath(), maxFileBytes);
        if (!bytes) {
            ++result.unreadable;
        } else if (const std::optional<SavedMessage> message = SavedMessageFile::read(*bytes)) {
            if (out.write(MboxWriter::entry(*message, file.lastModified(), order)) < 0)
                return failed(out.errorString());
            ++result.written;
        } else {
            ++result.notMessages;
        }
        if (progress && !progress(int(i + 1), int(files.size()))) {
            out.cancelWriting();
            result.error = MboxExportResult::Error::Cancelled;
            return result;
        }
    }
    if (!out.commit())
        return failed(out.errorString());
    return result;
}
