#include "editor/doc_element.h"

#include "editor/editing_surface.h"

QString DocElement::tagName() const {
    const auto v = isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("elementTagName"), {m_id});
    return v ? v->toString() : QString();
}

QString DocElement::outerHTML() const {
    const auto v =
        isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("elementOuterHtml"), {m_id});
    return v ? v->toString() : QString();
}

bool DocElement::setOuterHTML(const QString &html) {
    const auto v =
        isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("elementSetOuterHtml"), {m_id, html});
    return v && v->toBool();
}

bool DocElement::insertAdjacentHTML(const QString &where, const QString &html) {
    const auto v =
        isNull() ? std::nullopt
                 : m_surface->callBridge(QStringLiteral("elementInsertAdjacentHtml"), {m_id, where, html});
    return v && v->toBool();
}

DocElement DocElement::parentElement() const {
    const auto v = isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("elementParent"), {m_id});
    return DocElement(m_surface, v ? v->toInt() : 0);
}
