#include "editor/table_layout_group.h"

#include "editor/optional_spin_box.h"
#include "editor/table_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>

namespace AlignmentList {

QStringList horizontalEntries() {
    return {QStringLiteral("Default"), QStringLiteral("Left"), QStringLiteral("Right"),
            QStringLiteral("Center")};
}

void select(QComboBox *combo, const QString &value) {
    if (value.isEmpty()) {
        combo->setCurrentIndex(0);
        return;
    }
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).toUpper() == value)
            combo->setCurrentIndex(i);
    }
}

QString value(const QComboBox *combo) {
    return combo->currentIndex() <= 0 ? QString() : combo->currentText().toUpper();
}

} // namespace AlignmentList

TableLayoutGroup::TableLayoutGroup(QWidget *parent)
    : QGroupBox(QStringLiteral("Alignment and Layout"), parent)
    , m_align(new QComboBox(this))
    , m_border(new OptionalSpinBox(100, this))
    , m_padding(new OptionalSpinBox(1000, this))
    , m_spacing(new OptionalSpinBox(1000, this))
    , m_showBorder(new QCheckBox(QStringLiteral("Always display border in edit mode"), this)) {
    m_align->setObjectName(QStringLiteral("ComboHoriz"));
    m_border->setObjectName(QStringLiteral("EditBorder"));
    m_padding->setObjectName(QStringLiteral("EditPadding"));
    m_spacing->setObjectName(QStringLiteral("EditSpacing"));
    m_showBorder->setObjectName(QStringLiteral("CheckShowBorder"));
    m_align->addItems(AlignmentList::horizontalEntries());
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Alignment"), m_align);
    form->addRow(QStringLiteral("Border Size"), m_border);
    form->addRow(QStringLiteral("Cell Padding"), m_padding);
    form->addRow(QStringLiteral("Cell Spacing"), m_spacing);
    form->addRow(m_showBorder);
    showFormat(TableFormat());
}

void TableLayoutGroup::showFormat(const TableFormat &format) {
    AlignmentList::select(m_align, format.align);
    m_border->setValueText(format.border);
    m_padding->setValueText(format.padding);
    m_spacing->setValueText(format.spacing);
}

void TableLayoutGroup::takeFormat(TableFormat &format) const {
    format.align = AlignmentList::value(m_align);
    format.border = m_border->valueText();
    format.padding = m_padding->valueText();
    format.spacing = m_spacing->valueText();
}
