#include "editor/editor_selection.h"

#include "editor/editing_surface.h"
#include "editor/selection_text.h"

void EditorSelection::SaveSelection() {
    // A control selection counts 0 and stays as it is. Otherwise a range from the selection moved
    // back to the document's start, selected, and moved forward as far again, selected: the offset
    // is how far it went, and the caret is where the selection started. The page tells a control
    // selection and counts the characters in one call, and leaves a caret in place.
    const auto offset = m_surface.callBridge(QStringLiteral("editorSaveSelection"));
    if (offset)
        m_savedCaretOffset = offset->toInt();
}

DocElement EditorSelection::SelectedElement() {
    const QString type = m_surface.selectionType();
    if (type == QLatin1String("Control"))
        return m_surface.controlElement();
    if (type != QLatin1String("Text") && type != QLatin1String("None"))
        return {};
    TextRange range = m_surface.createRange();
    if (range.isNull())
        return {};
    range.collapse(true);
    return range.parentElement();
}

void EditorSelection::GetSelection() {
    const QString marker = QString::fromUtf16(EditorSelection::marker);
    TextRange range = m_surface.createRange();
    if (range.isNull())
        return;
    const QString html = SelectionText::withoutDesignTimeAttributes(range.htmlText());
    m_spansCellEnd = SelectionText::spansCellEnd(html);
    m_selectionLength = int(html.size());
    // The marker stands before the selected content, or across a cell's end at the start of the
    // selected element; the document is marked in a copy, which leaves nothing to undo.
    const auto marked =
        m_surface.callBridge(QStringLiteral("editorMarkedDocument"), {marker, m_spansCellEnd});
    const QVariantMap map = marked ? marked->toMap() : QVariantMap();
    if (m_spansCellEnd) {
        const QString again =
            SelectionText::withoutDesignTimeAttributes(map.value(QStringLiteral("range")).toString());
        const qsizetype at = again.indexOf(marker);
        if (at >= 0)
            m_selectionLength = int(again.size() - (at + 1));
    }
    if (!map.isEmpty() && !m_surface.busy())
        m_capturedDocument = map.value(QStringLiteral("document")).toString();
    const SelectionText::Capture capture =
        SelectionText::takeMarker(m_capturedDocument, marker, m_selectionLength);
    m_markerPosition = capture.markerPosition;
    m_capturedDocument = capture.document;
    m_selectionHtml = capture.selectionHtml;
}
