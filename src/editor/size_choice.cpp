#include "editor/size_choice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

SizeChoice::SizeChoice(const QString &caption, Names names, QWidget *parent)
    : QWidget(parent)
    , m_check(new QCheckBox(caption, this))
    , m_edit(new QLineEdit(this))
    , m_percent(new QRadioButton(QStringLiteral("Percent"), this))
    , m_pixels(new QRadioButton(QStringLiteral("Pixels"), this)) {
    m_check->setObjectName(QString::fromLatin1(names.check));
    m_edit->setObjectName(QString::fromLatin1(names.edit));
    m_percent->setObjectName(QString::fromLatin1(names.percent));
    m_pixels->setObjectName(QString::fromLatin1(names.pixels));
    m_edit->setMaximumWidth(m_edit->fontMetrics().horizontalAdvance(u'0') * 8 + 12);
    auto *group = new QButtonGroup(this); // each size has its own pair of choices
    group->addButton(m_percent);
    group->addButton(m_pixels);
    m_percent->setChecked(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_edit);
    layout->addWidget(m_percent);
    layout->addWidget(m_pixels);
    layout->addStretch();
    connect(m_edit, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_check->setChecked(!text.isEmpty()); });
}

void SizeChoice::setSize(const SizeSetting &size) {
    m_edit->setText(size.text);
    m_check->setChecked(size.set);
    (size.percent ? m_percent : m_pixels)->setChecked(true);
}

SizeSetting SizeChoice::size() const {
    return {m_check->isChecked(), m_edit->text(), m_percent->isChecked()};
}

void SizeChoice::setOffered(bool offered) {
    if (!offered)
        m_check->setChecked(false);
    for (QWidget *field : std::initializer_list<QWidget *>{m_check, m_edit, m_percent, m_pixels})
        field->setEnabled(offered);
}
