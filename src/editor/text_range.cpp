#include "editor/text_range.h"

#include "editor/editing_surface.h"
#include "editor/surface_handle.h"

QString TextRange::htmlText() const {
    const auto v = callHandle(m_surface, m_id, "rangeHtmlText");
    return v ? v->toString() : QString();
}

QString TextRange::text() const {
    const auto v = callHandle(m_surface, m_id, "rangeText");
    return v ? v->toString() : QString();
}

int TextRange::move(int count) {
    const auto v = callHandle(m_surface, m_id, "rangeMove", {count});
    return v ? v->toInt() : 0;
}

void TextRange::select() {
    callHandle(m_surface, m_id, "rangeSelect");
}

void TextRange::collapse(bool toStart) {
    callHandle(m_surface, m_id, "rangeCollapse", {toStart});
}

DocElement TextRange::parentElement() const {
    const auto v = callHandle(m_surface, m_id, "rangeParentElement");
    return DocElement(m_surface, v ? v->toInt() : 0);
}

bool TextRange::pasteHTML(const QString &html) {
    const auto v = callHandle(m_surface, m_id, "rangePasteHtml", {html});
    return v && v->toBool();
}

std::optional<QVariant> callHandle(EditingSurface *surface, int id, const char *function,
                                   const QVariantList &extra) {
    if (!surface || id <= 0)
        return std::nullopt;
    return surface->callBridge(QString::fromLatin1(function), QVariantList{id} + extra);
}
