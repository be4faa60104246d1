#pragma once

#include "editor/table_editing.h"

#include <QDialog>

class ColourChoice;
class ImageChoice;
class SizeChoice;
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
    const TableDialogServices &m_services;
    QString m_tableWork; // the table's outer HTML as read when the dialog opened
    TableLayoutGroup *m_layout;
    SizeChoice *m_width;
    SizeChoice *m_height;
    ColourChoice *m_background;
    ColourChoice *m_borderColour;
    ImageChoice *m_image;
};
