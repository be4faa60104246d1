#pragma once

#include "editor/box_fields.h"
#include "editor/cell_targets.h"
#include "editor/table_editing.h"

#include <QDialog>

class OptionalSpinBox;
class QCheckBox;
class QComboBox;
class QRadioButton;

// "Cell Properties", "Row Properties" or "Column Properties": the attributes of the cell at the
// caret, applied on OK to that cell, its row or its column. It works on the document captured
// as it opens; OK puts the rewritten document in place, Cancel leaves the document as it was.
class FormCellProp : public QDialog {
    Q_OBJECT
public:
    FormCellProp(CellScope scope, TableEditing &editing, const TableDialogServices &services,
                 QWidget *parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void scopeChosen(CellScope scope);
    CellScope scope() const;

    TableEditing &m_editing;
    TableEditing::Capture m_capture;
    QRadioButton *m_optionCell;
    QRadioButton *m_optionRow;
    QRadioButton *m_optionColumn;
    QComboBox *m_horizontal;
    QComboBox *m_vertical;
    QCheckBox *m_noWrap;
    OptionalSpinBox *m_rowSpan;
    OptionalSpinBox *m_colSpan;
    BoxFields m_fields;
};
