#include "store/dialog_new_folder.h"

#include "base/messages.h"
#include "store/saved_folders.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DialogNewFolder::DialogNewFolder(QString mainDir, Messages &messages, QWidget *parent)
    : QDialog(parent)
    , m_mainDir(std::move(mainDir))
    , m_messages(messages) {
    setObjectName(QStringLiteral("DialogNewFolder"));
    setWindowTitle(QStringLiteral("New Folder"));
    auto *label = new QLabel(QStringLiteral("Folder Name:"), this);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Text1"));
    label->setBuddy(m_name);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addLayout(buttons);

    connect(m_name, &QLineEdit::textChanged, m_ok,
            [this](const QString &text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(m_ok, &QPushButton::clicked, this, &DialogNewFolder::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString DialogNewFolder::failureMessage() {
    return QStringLiteral(
        "Unable to create directory. Please check to make sure you have entered a valid directory name.");
}

void DialogNewFolder::OKButton_Click() {
    const QString name = m_name->text();
    if (SavedFolders::create(m_mainDir, name) != SavedFolders::CreateError::None) {
        m_messages.inform(failureMessage());
        return;
    }
    m_created = name;
    emit folderCreated(name);
    accept();
}
