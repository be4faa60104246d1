#include "editor/surface_table_editing.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "editor/editor_selection.h"
#include "editor/selection_text.h"
#include "editor/start_tag_changes.h"

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
    m_captured = markedTable(QString());
    return m_captured;
}

void SurfaceTableEditing::replaceTableAtCaret(const QString &html) {
    // Changed start tags alone go as those tags; the page takes the whole text when it cannot
    // apply them (a tag that does not read alone as its element).
    if (const auto changes = StartTagChanges::between(m_captured, html)) {
        QVariantList tags;
        for (const StartTagChanges::Change &change : *changes)
            tags << QVariant(QVariantList{change.index, change.before, change.after});
        const auto done = m_panel.surface().callBridge(QStringLiteral("editorRetagTable"), {QVariant(tags)});
        if (done && done->toBool())
            return;
    }
    m_panel.surface().callBridge(QStringLiteral("editorReshapeTable"), {html});
}

TableEditing::Capture SurfaceTableEditing::captureSelection() {
    const QString marker = QString::fromUtf16(EditorSelection::marker);
    const SelectionText::Capture capture = SelectionText::takeMarker(markedTable(marker), marker, 0);
    m_captured = capture.document;
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
