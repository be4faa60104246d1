#include "addressbook/address_book.h"

#include "addressbook/dialog_import.h"
#include "addressbook/dialog_new_addr_book.h"
#include "base/messages.h"
#include "base/regular_file.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// Both kinds of book are offered at once: a filter of one kind alone hides the other.
const QString fileFilter =
    QStringLiteral("Address books (*.csv *.txt);;Address Book (*.csv);;Tab Delimited Text File (*.txt)");

QString fileName(const QString &path) {
    return QFileInfo(path).fileName();
}

} // namespace

AddressBook::AddressBook(Messages &messages, Places places, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
    , m_places(std::move(places))
    , m_window(window)
    , m_chooseFile([window](const QString &title, const QString &folder, const QString &filter) {
        return QFileDialog::getOpenFileName(window, title, folder, filter);
    })
    , m_runDialog([](QDialog &dialog) { dialog.exec(); }) {
    setObjectName(QStringLiteral("AddressBook"));
    connect(&m_model, &BookModel::modifiedChanged, this, [this] { emit bookLabelChanged(bookLabel()); });
}

QString AddressBook::noAddressesWarning() {
    return QStringLiteral("Warning: Your address book does not appear to contain any email addresses.");
}

QString AddressBook::noBookMessage() {
    return QStringLiteral("Please open or create an address book first.");
}

QString AddressBook::readFailureMessage(BookFile::Error error, const QString &path) {
    const QString name = fileName(path);
    switch (error) {
    case BookFile::Error::None:
        break;
    case BookFile::Error::Unreadable:
        return QStringLiteral("Unable to read the file \"%1\".").arg(name);
    case BookFile::Error::TooLarge:
        return QStringLiteral("The file \"%1\" is too large to be an address book.").arg(name);
    case BookFile::Error::NotText:
        return QStringLiteral("The file \"%1\" is not a text file, so it cannot be read as an address book.")
            .arg(name);
    case BookFile::Error::TooManyColumns:
        return QStringLiteral("The file \"%1\" has more than %2 columns, too many for an address book.")
            .arg(name)
            .arg(BookFile::maxColumns);
    }
    return {};
}

QString AddressBook::bookLabel() const {
    QString label = QStringLiteral(" Address Book:  ") + fileName(m_currentPath);
    if (m_model.isModified())
        label += QLatin1Char('*');
    return label;
}

void AddressBook::Open_CSV() {
    if (!saveIfModified())
        return;
    QString path = std::exchange(m_pendingPath, QString());
    if (path.isEmpty())
        path = m_chooseFile(QStringLiteral("Open Address List"), m_places(QStringLiteral("addrbooks/")),
                            fileFilter);
    if (path.isEmpty() || path.contains(QLatin1Char('*')))
        return;
    openFile(path);
}

void AddressBook::openFile(const QString &path) {
    if (RegularFile::isSpecial(path)) {
        m_messages.inform(RegularFile::refusal(path));
        return;
    }
    BookFile::OpenedBook book = BookFile::open(path);
    if (book.error != BookFile::Error::None) {
        m_messages.inform(readFailureMessage(book.error, path));
        return;
    }
    m_currentPath = path;
    m_delimiter = book.delimiter;
    m_roles = book.roles;
    m_model.setTable(std::move(book.table));
    emit bookOpened();
    emit bookLabelChanged(bookLabel());
    if (book.noAddresses)
        m_messages.inform(noAddressesWarning());
}

bool AddressBook::SaveAddressBook() {
    if (m_currentPath.isEmpty() || m_model.plainTitle(0).isEmpty())
        return true;
    const TextFile::WriteResult written = BookFile::write(m_currentPath, m_model.table(), m_delimiter);
    if (!written.ok) {
        m_messages.inform(
            QStringLiteral("Unable to save the address book \"%1\" (%2). The file keeps its earlier "
                           "contents; your changes are still in the grid.")
                .arg(fileName(m_currentPath), written.error));
        return false;
    }
    m_model.setModified(false);
    return true;
}

bool AddressBook::saveIfModified() {
    return !m_model.isModified() || SaveAddressBook();
}

void AddressBook::newBook() {
    if (!saveIfModified())
        return;
    DialogNewAddrBook dialog(*this, m_window);
    m_runDialog(dialog);
}

void AddressBook::importData() {
    if (m_currentPath.isEmpty()) {
        m_messages.inform(noBookMessage());
        return;
    }
    if (!saveIfModified())
        return;
    const QString path = m_chooseFile(QStringLiteral("Import Address List"),
                                      m_places(QStringLiteral("addrbooks/")), fileFilter);
    if (path.isEmpty())
        return;
    DialogImport dialog(*this, path, m_window);
    if (dialog.loaded())
        m_runDialog(dialog);
}
