#pragma once

#include "editor/box_fields.h"
#include "editor/table_editing.h"

#include <QDialog>

class TableLayoutGroup;

// "Table Properties": the attributes of the table around the caret, rewritten on OK.
class FormTableProp : public QDialog {
    Q_OBJECT
public:
    FormTableProp(TableEditing &editing, const TableDialogServices &services, QWidget *parent = nullptr);

    void accept() override;
    void reject() override;

private:
    TableEditing &m_editing;
    QString m_tableWork; // the table's outer HTML as read when the dialog opened
    TableLayoutGroup *m_layout;
    BoxFields m_fields;
};
