// The editor panel's document files: new, open and save, the file dialogs that name them and
// the question before a changed document is replaced.
#include "editor/editor_panel.h"

#include "base/messages.h"
#include "editor/editing_surface.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>

bool EditorPanel::askToSaveChanges() {
    if (!m_surface || !m_surface->documentChanged())
        return true;
    switch (m_context.messages.ask(QStringLiteral("Save changes to the document?"),
                                   Messages::Buttons::SaveDiscardCancel, Messages::Answer::Yes)) {
    case Messages::Answer::Yes:
        return saveFile(m_surface->documentPath());
    case Messages::Answer::No:
        return true;
    default:
        return false;
    }
}

QString EditorPanel::askForDocument(FileDialog purpose) {
    const bool save = purpose == FileDialog::Save;
    const QString current = m_surface ? m_surface->documentPath() : QString();
    const QString start = m_folders.folder(EditorFolders::Kind::Documents,
                                           current.isEmpty() ? QString() : QFileInfo(current).absolutePath());
    QFileDialog dialog(&m_context.panel,
                       save ? QStringLiteral("Save Blog as HTML File") : QStringLiteral("Open HTML File"),
                       start, QStringLiteral("HTML files (*.htm *.html);;All files (*)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension is saved as ".htm", as the filter shows.
    dialog.setDefaultSuffix(QStringLiteral("htm"));
    if (save && !current.isEmpty())
        dialog.selectFile(QFileInfo(current).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    QString file = dialog.selectedFiles().constFirst();
    if (save && QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".htm");
    m_folders.remember(EditorFolders::Kind::Documents, file);
    return file;
}

void EditorPanel::newFile() {
    if (askToSaveChanges())
        surface().newDocument();
}

void EditorPanel::openFile(const QString &path) {
    if (!askToSaveChanges())
        return;
    const QString file = path.isEmpty() ? askForDocument(FileDialog::Open) : path;
    if (file.isEmpty())
        return;
    const qint32 error = surface().loadDocument(file, path.isEmpty());
    if (error == DocumentFile::NoError || error == DocumentFile::Cancelled)
        return;
    m_context.messages.inform(QStringLiteral("Error occurred while loading document: ") +
                              DocumentFile::reason(error, DocumentFile::Operation::Load) + QLatin1Char('.'));
    m_surface->newDocument();
}

bool EditorPanel::saveFile(const QString &path) {
    const QString file = path.isEmpty() ? askForDocument(FileDialog::Save) : path;
    if (file.isEmpty())
        return false;
    const qint32 error = surface().saveDocument(file);
    if (error == DocumentFile::NoError || error == DocumentFile::Cancelled)
        return error == DocumentFile::NoError;
    m_context.messages.inform(QStringLiteral("Error occurred while saving document: ") +
                              DocumentFile::reason(error, DocumentFile::Operation::Save) + QLatin1Char('.'));
    return false;
}
