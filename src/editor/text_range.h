#pragma once

#include "editor/doc_element.h"

#include <QString>

class EditingSurface;

// A text range of the editor's document, made from the selection. It stays valid until the
// document is replaced. A null range (no selection, or a failed call) answers with empty values.
class TextRange {
public:
    TextRange() = default;
    TextRange(EditingSurface *surface, int id)
        : m_surface(surface)
        , m_id(id) {}

    bool isNull() const { return !m_surface || m_id <= 0; }
    // The range's content as HTML, and as plain text.
    QString htmlText() const;
    QString text() const;
    // Collapses the range and moves it by `count` characters (negative: backwards); gives
    // the distance actually moved, which stops at the ends of the document.
    int move(int count);
    // Makes the range the selection.
    void select();
    void collapse(bool toStart = true);
    // The element that holds the whole range.
    DocElement parentElement() const;
    // Replaces the range's content by `html`; the change can be undone.
    bool pasteHTML(const QString &html);

private:
    EditingSurface *m_surface = nullptr;
    int m_id = 0;
};
