#include "spelling/form_spell_options.h"

#include "spelling/spell_checker.h"
#include "spelling/spell_languages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FormSpellOptions::FormSpellOptions(SpellChecker &checker, QWidget *parent)
    : QDialog(parent)
    , m_checker(checker)
    , m_comboMain(new QComboBox(this))
    , m_editCustom(new QLineEdit(this))
    , m_underline(new QCheckBox(QStringLiteral("&Underline misspelt words as you type"), this)) {
    setObjectName(QStringLiteral("FormSpellOptions"));
    setWindowTitle(QStringLiteral("Spelling Check Settings"));
    m_comboMain->setObjectName(QStringLiteral("ComboMain"));
    for (const auto &language : SpellLanguages::all())
        m_comboMain->addItem(QString::fromLatin1(language.listText));
    m_comboMain->setCurrentIndex(SpellLanguages::indexForPath(checker.mainDictionary()));
    m_editCustom->setObjectName(QStringLiteral("EditCustom"));
    m_editCustom->setText(checker.customDictionary());
    m_editCustom->setMinimumWidth(320);

    auto *browse = new QPushButton(QStringLiteral("Browse..."), this);
    browse->setObjectName(QStringLiteral("Command1"));
    connect(browse, &QPushButton::clicked, this, &FormSpellOptions::Command1_Click);
    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Open Custom Dictionary"),
                                            m_editCustom->text(),
                                            QStringLiteral("MS Word Dictionary Files (*.dic)"));
    };

    auto *customRow = new QHBoxLayout;
    customRow->addWidget(m_editCustom, 1);
    customRow->addWidget(browse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &FormSpellOptions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FormSpellOptions::reject);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Main dictionary:"), m_comboMain);
    // A row of a layout gets a plain label: its accelerator needs the field as its buddy.
    auto *customLabel = new QLabel(QStringLiteral("&Custom dictionary:"), this);
    customLabel->setObjectName(QStringLiteral("CustomLabel"));
    customLabel->setBuddy(m_editCustom);
    form->addRow(customLabel, customRow);
    m_underline->setObjectName(QStringLiteral("CheckUnderline"));
    m_underline->setChecked(checker.underlines());
    form->addRow(m_underline);
    form->addRow(buttons);
}

void FormSpellOptions::Command1_Click() {
    const QString chosen = m_chooseFile();
    if (!chosen.isEmpty())
        m_editCustom->setText(chosen);
}

void FormSpellOptions::accept() {
    m_checker.setDictionaries(
        SpellLanguages::mainDictionaryPath(m_checker.mainDir(), m_comboMain->currentIndex()),
        m_editCustom->text().trimmed());
    m_checker.setUnderline(m_underline->isChecked());
    QDialog::accept();
}
