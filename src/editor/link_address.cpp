#include "editor/link_address.h"

#include "editor/tag_value.h"

namespace LinkAddress {

Parts split(const QString &href) {
    const qsizetype hash = href.indexOf(u'#');
    if (href.size() < 5 && hash < 0)
        return {QString::fromUtf16(webPrefix), {}};
    if (hash < 0)
        return {href, {}};
    return {href.left(hash), href.mid(hash + 1)};
}

QString join(const Parts &parts) {
    return parts.bookmark.isEmpty() ? parts.address : parts.address + u'#' + parts.bookmark;
}

QStringList bookmarkNames(const QString &documentHtml) {
    static const QString anchor = QStringLiteral("<A NAME");
    QStringList names;
    for (qsizetype p = documentHtml.indexOf(anchor, 0, Qt::CaseInsensitive); p >= 0;
         p = documentHtml.indexOf(anchor, p + 1, Qt::CaseInsensitive)) {
        const QString name = TagValue(documentHtml, int(p) + 1, QStringLiteral("NAME"), {}, TagRead);
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

} // namespace LinkAddress
