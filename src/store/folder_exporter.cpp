#include "store/folder_exporter.h"

#include "base/messages.h"
#include "store/mbox_export.h"
#include "store/saved_folders.h"

#include <QDir>
#include <QFileDialog>
#include <QProgressDialog>

FolderExporter::FolderExporter(QString mainDir, Messages &messages, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_mainDir(std::move(mainDir))
    , m_messages(messages)
    , m_window(window)
    , m_chooseFile([this](const QString &suggested) {
        return QFileDialog::getSaveFileName(m_window, QStringLiteral("Export Folder as mbox"), suggested,
                                            QStringLiteral("mbox files (*.mbox);;All files (*)"));
    }) {}

void FolderExporter::exportFolder(const QString &folder) {
    if (folder.isEmpty()) {
        m_messages.inform(QStringLiteral("You must select the folder you want to export."));
        return;
    }
    const QString target = m_chooseFile(QDir::home().filePath(folder + QStringLiteral(".mbox")));
    if (target.isEmpty())
        return;

    QProgressDialog progress(QStringLiteral("Exporting %1...").arg(folder), QStringLiteral("Cancel"), 0, 0,
                             m_window);
    progress.setWindowTitle(Messages::title());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500); // only a large folder shows it
    const MboxExportResult result = MboxExport::exportFolder(
        SavedFolders::folderPath(m_mainDir, folder), target, m_order, [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done); // lets the dialog draw and take the Cancel click
            return !progress.wasCanceled();
        });
    progress.reset();

    switch (result.error) {
    case MboxExportResult::Error::Cancelled:
        return;
    case MboxExportResult::Error::WriteFailed:
        m_messages.inform(
            QStringLiteral("Unable to write %1: %2").arg(QDir::toNativeSeparators(target), result.detail));
        return;
    case MboxExportResult::Error::None:
        break;
    }
    QString text = QStringLiteral("%1 messages exported to %2.")
                       .arg(result.written)
                       .arg(QDir::toNativeSeparators(target));
    if (result.notMessages > 0)
        text +=
            QStringLiteral("\n%1 files that are no saved messages were left out.").arg(result.notMessages);
    if (result.unreadable > 0)
        text += QStringLiteral("\n%1 files could not be read.").arg(result.unreadable);
    m_messages.inform(text);
}
