#include "editor/surface_table_editing.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "editor/editor_selection.h"
#include "editor/selection_text.h"

bool SurfaceTableEditing::showBorders() {
    return m_panel.surface().showBorders();
}

void SurfaceTableEditing::setShowBorders(bool on) {
    m_panel.surface().setShowBorders(on);
}

void SurfaceTableEditing::insertTable(const NewTable &table) {
    const EditingSurface::TableParameters parameters{table.rows, table.columns, table.attributes,
                                                     table.caption};
    m_panel.surface().execCommand(EditingSurface::InsertTable, EditingSurface::DontPromptUser,
                                  QVariant::fromValue(parameters));
}

void SurfaceTableEditing::saveSelection() {
    m_panel.selection().SaveSelection();
}

QString SurfaceTableEditing::markedTable(const QString &marker) {
    const auto marked = m_panel.surface().callBridge(QStringLiteral("editorMarkedTable"), {marker});
    return marked ? marked->toString() : QString();
}

QString SurfaceTableEditing::tableAtCaret() {
    return markedTable(QString());
}

void SurfaceTableEditing::replaceTableAtCaret(const QString &html) {
    m_panel.surface().callBridge(QStringLiteral("editorReshapeTable"), {html});
}

TableEditing::Capture SurfaceTableEditing::captureSelection() {
    const QString marker = QString::fromUtf16(EditorSelection::marker);
    const SelectionText::Capture capture = SelectionText::takeMarker(markedTable(marker), marker, 0);
    return {capture.document, capture.markerPosition};
}

void SurfaceTableEditing::replaceDocument(const QString &html) {
    replaceTableAtCaret(html);
}

QString SurfaceTableEditing::baseUrl() {
    return m_panel.surface().baseUrl();
}

void SurfaceTableEditing::dialogClosed(bool changed) {
    m_changed = m_changed || changed;
    EditingSurface &surface = m_panel.surface();
    surface.show();
    surface.setFocus();
}
