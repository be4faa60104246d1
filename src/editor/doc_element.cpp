#include "editor/doc_element.h"

#include "editor/editing_surface.h"
#include "editor/surface_handle.h"

QString DocElement::tagName() const {
    const auto v = callHandle(m_surface, m_id, "elementTagName");
    return v ? v->toString() : QString();
}

QString DocElement::outerHTML() const {
    const auto v = callHandle(m_surface, m_id, "elementOuterHtml");
    return v ? v->toString() : QString();
}

bool DocElement::setOuterHTML(const QString &html) {
    const auto v = callHandle(m_surface, m_id, "elementSetOuterHtml", {html});
    return v && v->toBool();
}

bool DocElement::insertAdjacentHTML(const QString &where, const QString &html) {
    const auto v = callHandle(m_surface, m_id, "elementInsertAdjacentHtml", {where, html});
    return v && v->toBool();
}

DocElement DocElement::parentElement() const {
    const auto v = callHandle(m_surface, m_id, "elementParent");
    return DocElement(m_surface, v ? v->toInt() : 0);
}
