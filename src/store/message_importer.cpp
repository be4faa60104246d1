#include "store/message_importer.h"

#include "base/messages.h"
#include "store/message_import.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace {

QString chooseSource(QWidget *window) {
    QMessageBox ask(
        QMessageBox::Question, Messages::title(),
        QStringLiteral("Import messages from an mbox or .eml file, or from a folder (a Maildir or "
                       "a folder of .eml files)?"),
        QMessageBox::Cancel, window);
    QPushButton *file = ask.addButton(QStringLiteral("&File..."), QMessageBox::AcceptRole);
    QPushButton *folder = ask.addButton(QStringLiteral("F&older..."), QMessageBox::AcceptRole);
    ask.exec();
    if (ask.clickedButton() == file)
        return QFileDialog::getOpenFileName(window, QStringLiteral("Import Messages"), QDir::homePath(),
                                            QStringLiteral("Mail files (*.mbox *.mbx *.eml);;All files (*)"));
    if (ask.clickedButton() == folder)
        return QFileDialog::getExistingDirectory(window, QStringLiteral("Import Messages"), QDir::homePath());
    return {};
}

} // namespace

MessageImporter::MessageImporter(QString mainDir, Messages &messages, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_mainDir(std::move(mainDir))
    , m_messages(messages)
    , m_window(window)
    , m_chooseSource([this] { return chooseSource(m_window); }) {}

void MessageImporter::importInto(const QString &folder) {
    if (folder.isEmpty()) {
        m_messages.inform(QStringLiteral("You must select the folder to import the messages into."));
        return;
    }
    const QString source = m_chooseSource();
    if (source.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(source);

    QProgressDialog progress(QStringLiteral("Importing %1...").arg(shown), QStringLiteral("Cancel"), 0, 1000,
                             m_window);
    progress.setWindowTitle(Messages::title());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500); // only a large source shows it
    const ImportResult result =
        MessageImport::importInto(source, m_mainDir, folder, [&progress](int permille) {
            progress.setValue(permille); // lets the dialog draw and take the Cancel click
            return !progress.wasCanceled();
        });
    progress.reset();

    QString text;
    switch (result.error) {
    case ImportResult::Error::SentFolder:
        m_messages.inform(QStringLiteral("You cannot save incoming messages to the Sent Messages Folder."));
        return;
    case ImportResult::Error::NoFolder:
        m_messages.inform(QStringLiteral("There is no folder %1.").arg(folder));
        return;
    case ImportResult::Error::NoMail:
        m_messages.inform(
            QStringLiteral("%1 holds no mail messages: it is no mbox file, mail message, Maildir or "
                           "folder of .eml files.")
                .arg(shown));
        return;
    case ImportResult::Error::Cancelled:
        text = QStringLiteral("Import cancelled. ");
        break;
    case ImportResult::Error::None:
        break;
    }
    text += QStringLiteral("%1 messages read from %2, %3 added to %4.")
                .arg(result.read)
                .arg(shown)
                .arg(result.added)
                .arg(folder);
    if (result.alreadyThere > 0)
        text += QStringLiteral("\n%1 were in the folder already.").arg(result.alreadyThere);
    if (result.attachmentsLeft > 0)
        text += QStringLiteral("\n%1 had attachments, which were not kept.").arg(result.attachmentsLeft);
    if (result.writeFailed > 0)
        text += QStringLiteral("\n%1 could not be written.").arg(result.writeFailed);
    for (auto it = result.skipped.cbegin(); it != result.skipped.cend(); ++it)
        text += QStringLiteral("\n%1 skipped: %2.").arg(it.value()).arg(it.key());
    m_messages.inform(text);
}
