#include "editor/form_cell_prop.h"

#include "editor/cell_format.h"
#include "editor/dialog_parts.h"
#include "editor/optional_spin_box.h"
#include "editor/size_choice.h"
#include "editor/table_layout_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
constexpr int maxSpan = 1000;
}

FormCellProp::FormCellProp(CellScope scope, TableEditing &editing, const TableDialogServices &services,
                           QWidget *parent)
    : QDialog(parent)
    , m_editing(editing)
    , m_optionCell(new QRadioButton(QStringLiteral("Current Cell"), this))
    , m_optionRow(new QRadioButton(QStringLiteral("Entire Row"), this))
    , m_optionColumn(new QRadioButton(QStringLiteral("Entire Column"), this))
    , m_horizontal(new QComboBox(this))
    , m_vertical(new QComboBox(this))
    , m_noWrap(new QCheckBox(QStringLiteral("No Wrap"), this))
    , m_rowSpan(new OptionalSpinBox(maxSpan, this))
    , m_colSpan(new OptionalSpinBox(maxSpan, this))
    , m_fields(services, this) {
    setObjectName(QStringLiteral("FormCellProp"));
    m_optionCell->setObjectName(QStringLiteral("OptionCell"));
    m_optionRow->setObjectName(QStringLiteral("OptionRow"));
    m_optionColumn->setObjectName(QStringLiteral("OptionColumn"));
    m_horizontal->setObjectName(QStringLiteral("ComboHoriz"));
    m_vertical->setObjectName(QStringLiteral("ComboVert"));
    m_noWrap->setObjectName(QStringLiteral("CheckNoWrap"));
    m_rowSpan->setObjectName(QStringLiteral("EditRowSpan"));
    m_colSpan->setObjectName(QStringLiteral("EditColSpan"));
    m_horizontal->addItems(AlignmentList::horizontalEntries());
    m_vertical->addItems({QStringLiteral("Default"), QStringLiteral("Top"), QStringLiteral("Middle"),
                          QStringLiteral("Baseline"), QStringLiteral("Bottom")});

    auto *apply = new QGroupBox(QStringLiteral("Apply Formatting To"), this);
    auto *applyLayout = new QHBoxLayout(apply);
    const std::pair<QRadioButton *, CellScope> options[] = {
        {m_optionCell, CellScope::Cell}, {m_optionRow, CellScope::Row}, {m_optionColumn, CellScope::Column}};
    for (const auto &[option, optionScope] : options) {
        applyLayout->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, optionScope] { scopeChosen(optionScope); });
    }
    auto *layoutBox = new QGroupBox(QStringLiteral("Layout"), this);
    auto *form = new QFormLayout(layoutBox);
    form->addRow(QStringLiteral("Horizontal Alignment"), m_horizontal);
    form->addRow(QStringLiteral("Vertical Alignment"), m_vertical);
    form->addRow(m_noWrap);
    form->addRow(QStringLiteral("Rows Spanned:"), m_rowSpan);
    form->addRow(QStringLiteral("Columns Spanned:"), m_colSpan);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(apply);
    layout->addWidget(m_fields.sizeGroup());
    layout->addWidget(layoutBox);
    layout->addWidget(m_fields.colourGroup());
    layout->addWidget(DialogParts::okCancelButtons(this));

    m_editing.saveSelection();
    m_capture = m_editing.captureSelection();
    const CellFormat format = CellFormatting::readCell(m_capture.document, m_capture.markerPosition);
    m_fields.show(format);
    AlignmentList::select(m_horizontal, format.align);
    AlignmentList::select(m_vertical, format.valign);
    m_noWrap->setChecked(format.noWrap);
    m_rowSpan->setValueText(format.rowSpan);
    m_colSpan->setValueText(format.colSpan);
    const std::pair<QRadioButton *, CellScope> &chosen = options[int(scope)];
    chosen.first->setChecked(true);
    scopeChosen(chosen.second);
}

CellScope FormCellProp::scope() const {
    return m_optionRow->isChecked()      ? CellScope::Row
           : m_optionColumn->isChecked() ? CellScope::Column
                                         : CellScope::Cell;
}

void FormCellProp::scopeChosen(CellScope scope) {
    static const QString captions[] = {QStringLiteral("Cell Properties"), QStringLiteral("Row Properties"),
                                       QStringLiteral("Column Properties")};
    setWindowTitle(captions[int(scope)]);
    // A row has no one width or row span, a column no one height or column span.
    m_fields.width()->setOffered(scope != CellScope::Row);
    m_fields.height()->setOffered(scope != CellScope::Column);
    if (scope == CellScope::Row)
        m_rowSpan->setValue(1);
    if (scope == CellScope::Column)
        m_colSpan->setValue(1);
    m_rowSpan->setEnabled(scope != CellScope::Row);
    m_colSpan->setEnabled(scope != CellScope::Column);
}

void FormCellProp::accept() {
    CellFormat format;
    m_fields.take(format, m_editing.baseUrl());
    format.align = AlignmentList::value(m_horizontal);
    format.valign = AlignmentList::value(m_vertical);
    format.noWrap = m_noWrap->isChecked();
    format.rowSpan = m_rowSpan->valueText();
    format.colSpan = m_colSpan->valueText();
    TagFormat::SizeError error;
    const QString document =
        CellFormatting::rewriteCells(m_capture.document, m_capture.markerPosition, scope(), format, &error);
    if (error != TagFormat::SizeError::None) {
        m_fields.reportSizeError(error, QStringLiteral("table cell"));
        return;
    }
    // Outside any cell the table comes back as it was: nothing to put in place.
    const bool changed = document != m_capture.document;
    if (changed)
        m_editing.replaceDocument(document);
    QDialog::accept();
    m_editing.dialogClosed(changed);
}

void FormCellProp::reject() {
    QDialog::reject();
    m_editing.dialogClosed(false);
}
