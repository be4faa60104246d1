#include "editor/surface_table_editing.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "editor/editor_selection.h"

namespace {
// Deeper than any document nests its elements: a climb that goes on longer has gone wrong.
constexpr int maxClimb = 10000;
} // namespace

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

// The table is the nearest table element that holds the selection, reached by climbing from the
// selected element: a table nested in the caret's cell, or one beside the caret, is not it.
QString SurfaceTableEditing::tableAtCaret() {
    m_table = {};
    DocElement element = m_panel.selection().SelectedElement();
    for (int depth = 0; depth < maxClimb && !element.isNull(); ++depth, element = element.parentElement()) {
        if (element.tagName().compare(u"TABLE", Qt::CaseInsensitive) == 0) {
            m_table = element;
            return element.outerHTML();
        }
    }
    return QString();
}

void SurfaceTableEditing::replaceTableAtCaret(const QString &html) {
    if (!m_table.isNull())
        m_table.setOuterHTML(html);
}

TableEditing::Capture SurfaceTableEditing::captureSelection() {
    EditorSelection &selection = m_panel.selection();
    selection.GetSelection();
    return {selection.capturedDocument(), selection.markerPosition()};
}

void SurfaceTableEditing::replaceDocument(const QString &html) {
    EditingSurface &surface = m_panel.surface();
    // A change within one element is made in place, so that Undo takes it back.
    const auto inPlace = surface.callBridge(QStringLiteral("editorReplaceDocument"), {html});
    if (inPlace && inPlace->toBool())
        return;
    const QString base = surface.baseUrl();
    surface.setDocumentHtml(html);
    surface.setBaseUrl(base);
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
