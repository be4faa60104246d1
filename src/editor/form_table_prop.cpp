#include "editor/form_table_prop.h"

#include "editor/dialog_parts.h"
#include "editor/size_choice.h"
#include "editor/table_format.h"
#include "editor/table_layout_group.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

FormTableProp::FormTableProp(TableEditing &editing, const TableDialogServices &services, QWidget *parent)
    : QDialog(parent)
    , m_editing(editing)
    , m_layout(new TableLayoutGroup(this))
    , m_fields(services, this) {
    setObjectName(QStringLiteral("FormTableProp"));
    setWindowTitle(QStringLiteral("Table Properties"));
    for (SizeChoice *choice : {m_fields.width(), m_fields.height()}) {
        connect(choice->percent(), &QRadioButton::clicked, this,
                [choice] { choice->edit()->setText(QStringLiteral("100")); });
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_layout);
    layout->addWidget(m_fields.sizeGroup());
    layout->addWidget(m_fields.colourGroup());
    layout->addWidget(DialogParts::okCancelButtons(this));

    m_editing.saveSelection();
    m_tableWork = m_editing.tableAtCaret();
    const TableFormat format = TableFormatting::readTable(m_tableWork);
    m_layout->showFormat(format);
    m_fields.show(format);
    m_layout->showBorder()->setChecked(m_editing.showBorders());
}

void FormTableProp::accept() {
    bool changed = false;
    if (!m_tableWork.isEmpty()) {
        TableFormat format;
        m_layout->takeFormat(format);
        m_fields.take(format, m_editing.baseUrl());
        TagFormat::SizeError error;
        const QString table = TableFormatting::rewriteTable(m_tableWork, format, &error);
        if (error != TagFormat::SizeError::None) {
            m_fields.reportSizeError(error, QStringLiteral("table"));
            return;
        }
        m_editing.replaceTableAtCaret(table);
        m_editing.setShowBorders(m_layout->showBorder()->isChecked());
        changed = true;
    }
    QDialog::accept();
    m_editing.dialogClosed(changed);
}

void FormTableProp::reject() {
    QDialog::reject();
    m_editing.dialogClosed(false);
}
