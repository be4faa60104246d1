#pragma once

#include "editor/table_editing.h"

#include <QDialog>

class ColourChoice;
class QLineEdit;
class SizeChoice;
class TableLayoutGroup;

// "Insert Table": rows, columns, caption, width, alignment, border, padding, spacing and colours
// of a new table, inserted at the caret on OK.
class InsertTableDlg : public QDialog {
    Q_OBJECT
public:
    InsertTableDlg(TableEditing &editing, const TableDialogServices &services, QWidget *parent = nullptr);

    void accept() override;

private:
    bool readCount(QLineEdit *edit, const QString &what, int maximum, int *count);

    TableEditing &m_editing;
    const TableDialogServices &m_services;
    QLineEdit *m_rows;
    QLineEdit *m_cols;
    QLineEdit *m_caption;
    SizeChoice *m_width;
    TableLayoutGroup *m_layout;
    ColourChoice *m_background;
    ColourChoice *m_borderColour;
};
