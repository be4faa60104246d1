#pragma once

#include "editor/surface_table_editing.h"

#include <QObject>

#include <functional>

class EditorPanel;
class Messages;
class QDialog;
class QWidget;

// The editor's table commands: the toolbar's "table" button opens "Insert Table", and the context
// menu's "Cell Properties", "Row Properties", "Column Properties" and "Table Properties" open
// their dialogs, modal and owned by `owner`. Creating it makes those commands available.
class TableDialogs : public QObject {
    Q_OBJECT
public:
    TableDialogs(EditorPanel &panel, Messages &messages, QWidget *owner);

    // How a dialog is shown: modally by default; tests drive the dialog instead.
    using Show = std::function<void(QDialog &dialog)>;
    void setShow(Show show) { m_show = std::move(show); }
    // The colour and file choosers the dialogs use; tests answer them.
    TableDialogServices &services() { return m_services; }

    void insertTable();
    void cellProperties(int scope);
    void tableProperties();

private:
    QWidget *m_owner;
    SurfaceTableEditing m_editing;
    TableDialogServices m_services;
    Show m_show;
};
