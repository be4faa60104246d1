#include "shell/dialog_pos_editor.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

DialogPosEditor::DialogPosEditor(const Placement &current, const Placement &defaults, QWidget *parent)
    : QDialog(parent)
    , m_defaults(defaults)
    , m_auto(new QCheckBox(QStringLiteral("Position Editor Automatically"), this))
    , m_top(new QSpinBox(this))
    , m_height(new QSpinBox(this)) {
    setObjectName(QStringLiteral("DialogPosEditor"));
    setWindowTitle(QStringLiteral("Position Editor"));
    // Wide enough that the window manager shows the whole title beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle() + QStringLiteral(" — Corvalis")) + 160);
    m_auto->setObjectName(QStringLiteral("CheckAuto"));
    m_top->setObjectName(QStringLiteral("Text1"));
    m_height->setObjectName(QStringLiteral("Text2"));
    for (QSpinBox *box : {m_top, m_height}) {
        box->setRange(0, 100000);
        box->setSuffix(QStringLiteral(" twips"));
    }
    m_top->setValue(current.top);
    m_height->setValue(current.height);

    auto *frame = new QGroupBox(QStringLiteral("Set Editor Position"), this);
    auto *form = new QFormLayout(frame);
    form->addRow(QStringLiteral("Editor Top"), m_top);
    form->addRow(QStringLiteral("Editor Height"), m_height);
    form->addRow(m_auto);
    connect(m_auto, &QCheckBox::toggled, this, [this](bool automatic) {
        m_top->setEnabled(!automatic);
        m_height->setEnabled(!automatic);
    });
    m_auto->setChecked(current.automatic);
    m_top->setEnabled(!current.automatic);
    m_height->setEnabled(!current.automatic);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
}

DialogPosEditor::Placement DialogPosEditor::placement() const {
    if (m_auto->isChecked())
        return {true, m_defaults.top, m_defaults.height};
    return {false, m_top->value(), m_height->value()};
}
