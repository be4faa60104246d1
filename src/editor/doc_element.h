#pragma once

#include <QString>

class EditingSurface;

// An element of the editor's document. It stays valid until the document is replaced; a null
// element (nothing found, or a failed call) answers with empty values.
class DocElement {
public:
    DocElement() = default;
    DocElement(EditingSurface *surface, int id)
        : m_surface(surface)
        , m_id(id) {}

    bool isNull() const { return !m_surface || m_id <= 0; }
    QString tagName() const;
    QString outerHTML() const;
    // Replaces the element by `html`; the change can be undone.
    bool setOuterHTML(const QString &html);
    // `where` is "BeforeBegin", "AfterBegin", "BeforeEnd" or "AfterEnd"; the change can be undone.
    bool insertAdjacentHTML(const QString &where, const QString &html);
    DocElement parentElement() const;

private:
    EditingSurface *m_surface = nullptr;
    int m_id = 0;
};
