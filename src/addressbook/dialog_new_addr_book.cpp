#include "addressbook/dialog_new_addr_book.h"

#include "addressbook/address_book.h"
#include "addressbook/new_book_name.h"
#include "base/messages.h"
#include "base/text_file.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DialogNewAddrBook::DialogNewAddrBook(AddressBook &book, QWidget *parent)
    : QDialog(parent)
    , m_book(book)
    , m_name(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("DialogNewAddrBook"));
    setWindowTitle(QStringLiteral("New Address Book"));
    m_name->setObjectName(QStringLiteral("Text1"));
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Address Book Name:"), this));
    layout->addWidget(m_name);
    layout->addWidget(buttons);

    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_ok, &QPushButton::clicked, this, &DialogNewAddrBook::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString DialogNewAddrBook::createFailedMessage() {
    return QStringLiteral(
        "Unable to create address book. Please check to make sure you have entered a valid file name.");
}

QString DialogNewAddrBook::overwriteQuestion() {
    return QStringLiteral("An address book with this name already exists. Do you want to overwrite it?");
}

void DialogNewAddrBook::OKButton_Click() {
    Messages &messages = m_book.messages();
    const std::optional<QString> path =
        NewBookName::bookPath(m_book.place(QStringLiteral("addrbooks/")), m_name->text());
    if (!path) {
        messages.inform(createFailedMessage());
        return;
    }
    if (QFileInfo::exists(*path) && messages.ask(overwriteQuestion(), Messages::Buttons::YesNo,
                                                 Messages::Answer::No) != Messages::Answer::Yes)
        return;
    // A template that cannot be copied leaves no file, which the opening then reports.
    if (const auto blank = TextFile::readAll(m_book.place(QStringLiteral("blank.dat"))))
        TextFile::writeAtomically(*path, *blank);
    m_book.setPendingPath(*path);
    m_book.Open_CSV();
    accept();
}
