#include "editor/table_dialogs.h"

#include "editor/editor_panel.h"
#include "editor/form_cell_prop.h"
#include "editor/form_table_prop.h"
#include "editor/insert_table_dlg.h"

TableDialogs::TableDialogs(EditorPanel &panel, Messages &messages, QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
    , m_editing(panel)
    , m_services(standardTableDialogServices(messages))
    , m_show([](QDialog &dialog) { dialog.exec(); }) {
    connect(&panel, &EditorPanel::tableRequested, this, &TableDialogs::insertTable);
    connect(&panel, &EditorPanel::cellPropertiesRequested, this, &TableDialogs::cellProperties);
    connect(&panel, &EditorPanel::tablePropertiesRequested, this, &TableDialogs::tableProperties);
    for (EditorPanel::Feature feature : {EditorPanel::Feature::Table, EditorPanel::Feature::CellProperties,
                                         EditorPanel::Feature::TableProperties})
        panel.setFeatureAvailable(feature, true);
}

void TableDialogs::insertTable() {
    InsertTableDlg dialog(m_editing, m_services, m_owner);
    m_show(dialog);
}

void TableDialogs::cellProperties(int scope) {
    FormCellProp dialog(CellScope(std::clamp(scope, 0, 2)), m_editing, m_services, m_owner);
    m_show(dialog);
}

void TableDialogs::tableProperties() {
    FormTableProp dialog(m_editing, m_services, m_owner);
    m_show(dialog);
}
