#pragma once

#include "editor/doc_element.h"

#include <QString>

class EditingSurface;

// The selection operations the property dialogs share: remembering the caret, capturing the
// document with the selection marked, and finding the selected element. Failing document
// calls are skipped; the values of a step that did not run keep their previous contents.
class EditorSelection {
public:
    // Marks the selection's place in a captured document; never left in the live document.
    static constexpr char16_t marker[] = u"GWZSEL28";

    explicit EditorSelection(EditingSurface &surface)
        : m_surface(surface) {}

    // Stores the number of characters before the caret (0 for a control selection).
    void SaveSelection();
    // Captures the document with the selection marked and sets the values below.
    void GetSelection();
    // The element at the selection, or a null element.
    DocElement SelectedElement();

    int savedCaretOffset() const { return m_savedCaretOffset; }
    // The whole document HTML as captured, marker removed.
    QString capturedDocument() const { return m_capturedDocument; }
    // 1-based position in the captured document where the marker stood (0 when not found).
    int markerPosition() const { return m_markerPosition; }
    int selectionLength() const { return m_selectionLength; }
    QString selectionHtml() const { return m_selectionHtml; }
    // The selection's HTML holds a closing cell tag: it reaches over a cell's end.
    bool spansCellEnd() const { return m_spansCellEnd; }

private:
    EditingSurface &m_surface;
    int m_savedCaretOffset = 0;
    QString m_capturedDocument;
    int m_markerPosition = 0;
    int m_selectionLength = 0;
    QString m_selectionHtml;
    bool m_spansCellEnd = false;
};
