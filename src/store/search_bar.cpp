#include "store/search_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

SearchBar::SearchBar(QWidget *parent)
    : QWidget(parent)
    , m_field(new QLineEdit(this))
    , m_scope(new QComboBox(this))
    , m_text(new QCheckBox(QStringLiteral("Search message te&xt"), this))
    , m_status(new QLabel(this)) {
    setObjectName(QStringLiteral("SearchBar"));
    m_field->setObjectName(QStringLiteral("TextSearch"));
    m_field->setPlaceholderText(QStringLiteral("Search (Ctrl+F)"));
    m_field->setClearButtonEnabled(true);
    m_scope->setObjectName(QStringLiteral("ComboSearchScope"));
    m_scope->addItems({QStringLiteral("This folder"), QStringLiteral("All folders")});
    m_text->setObjectName(QStringLiteral("CheckSearchText"));
    m_status->setObjectName(QStringLiteral("LabelSearchStatus"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->addWidget(m_field, 2);
    layout->addWidget(m_scope);
    layout->addWidget(m_text);
    layout->addWidget(m_status, 1);
    connect(m_field, &QLineEdit::textChanged, this, &SearchBar::searchChanged);
    connect(m_scope, &QComboBox::currentIndexChanged, this, &SearchBar::searchChanged);
    connect(m_text, &QCheckBox::toggled, this, &SearchBar::searchChanged);
}

QString SearchBar::term() const {
    return m_field->text();
}

bool SearchBar::allFolders() const {
    return m_scope->currentIndex() == 1;
}

bool SearchBar::messageText() const {
    return m_text->isChecked();
}

void SearchBar::showStatus(const QString &text) {
    m_status->setText(text);
}

void SearchBar::clear() {
    const QSignalBlocker quiet(m_field);
    m_field->clear();
    m_status->clear();
}

void SearchBar::focusField() {
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}
