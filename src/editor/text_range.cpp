#include "editor/text_range.h"

#include "editor/editing_surface.h"

QString TextRange::htmlText() const {
    const auto v = isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("rangeHtmlText"), {m_id});
    return v ? v->toString() : QString();
}

QString TextRange::text() const {
    const auto v = isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("rangeText"), {m_id});
    return v ? v->toString() : QString();
}

int TextRange::move(int count) {
    const auto v =
        isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("rangeMove"), {m_id, count});
    return v ? v->toInt() : 0;
}

void TextRange::select() {
    if (!isNull())
        m_surface->callBridge(QStringLiteral("rangeSelect"), {m_id});
}

void TextRange::collapse(bool toStart) {
    if (!isNull())
        m_surface->callBridge(QStringLiteral("rangeCollapse"), {m_id, toStart});
}

DocElement TextRange::parentElement() const {
    const auto v =
        isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("rangeParentElement"), {m_id});
    return DocElement(m_surface, v ? v->toInt() : 0);
}

bool TextRange::pasteHTML(const QString &html) {
    const auto v =
        isNull() ? std::nullopt : m_surface->callBridge(QStringLiteral("rangePasteHtml"), {m_id, html});
    return v && v->toBool();
}
