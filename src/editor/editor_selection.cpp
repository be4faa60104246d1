#include "editor/editor_selection.h"

#include "editor/editing_surface.h"
#include "editor/selection_text.h"

namespace {
// Far enough back to reach the start of any document.
constexpr int toDocumentStart = -5000000;
} // namespace

void EditorSelection::SaveSelection() {
    if (m_surface.selectionType() == QLatin1String("Control")) {
        m_savedCaretOffset = 0;
        return;
    }
    TextRange range = m_surface.createRange();
    if (range.isNull())
        return;
    m_savedCaretOffset = qAbs(range.move(toDocumentStart));
    range.select();
    range.move(m_savedCaretOffset);
    range.select();
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
    bool marked = false;
    if (m_spansCellEnd) {
        // Across a cell's end the marker goes at the start of the selected element.
        marked = SelectedElement().insertAdjacentHTML(QStringLiteral("AfterBegin"), marker);
        const QString again = SelectionText::withoutDesignTimeAttributes(range.htmlText());
        const qsizetype at = again.indexOf(marker);
        if (at >= 0)
            m_selectionLength = int(again.size() - (at + 1));
    } else {
        marked = range.pasteHTML(marker + html);
    }
    if (!m_surface.busy())
        m_capturedDocument = m_surface.documentHtml();
    if (marked)
        m_surface.execCommand(EditingSurface::Undo, EditingSurface::DefaultOption);
    const SelectionText::Capture capture =
        SelectionText::takeMarker(m_capturedDocument, marker, m_selectionLength);
    m_markerPosition = capture.markerPosition;
    m_capturedDocument = capture.document;
    m_selectionHtml = capture.selectionHtml;
}
