#include "editor/image_tag.h"

#include "editor/make_rel_path.h"
#include "editor/tag_value.h"

#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace ImageTag {

namespace {

QString set(const QString &tag, const char *name, const QString &value) {
    return TagValue(tag, 1, QString::fromLatin1(name), value, TagSetValue);
}

Size readSize(const QString &value) {
    if (value.isEmpty())
        return {};
    const bool percent = value.contains(u'%');
    return {true, percent ? QString(value).remove(u'%') : value, percent};
}

// The attribute value of a ticked size; nothing when its number is missing or no number.
std::optional<QString> sizeValue(const Size &size) {
    bool ok = false;
    const int number = size.value.trimmed().toInt(&ok);
    if (!ok || number < 0)
        return std::nullopt;
    if (!size.percent)
        return QString::number(number);
    return QString::number(std::min(number, 100)) + u'%';
}

bool isWebAddress(const QString &path) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(path).hasMatch() && !path.startsWith(u"file:", Qt::CaseInsensitive);
}

} // namespace

QString attributeText(const QString &tag, const char *name) {
    QString value = TagValue(tag, 1, QString::fromLatin1(name), {}, TagRead);
    return value.replace(u"&quot;"_s, u"\""_s)
        .replace(u"&#39;"_s, u"'"_s)
        .replace(u"&lt;"_s, u"<"_s)
        .replace(u"&gt;"_s, u">"_s)
        .replace(u"&amp;"_s, u"&"_s);
}

Fields read(const QString &tag) {
    Fields fields;
    fields.src = pathFromSource(attributeText(tag, "SRC"));
    if (fields.src.size() < 3)
        fields.src = QStringLiteral("http://");
    fields.alt = attributeText(tag, "ALT");
    fields.border = attributeText(tag, "BORDER");
    fields.hspace = attributeText(tag, "HSPACE");
    fields.vspace = attributeText(tag, "VSPACE");
    fields.align = attributeText(tag, "ALIGN");
    if (fields.align.isEmpty())
        fields.align = QStringLiteral("Default");
    fields.width = readSize(attributeText(tag, "WIDTH"));
    fields.height = readSize(attributeText(tag, "HEIGHT"));
    fields.usemap = attributeText(tag, "USEMAP");
    return fields;
}

Built write(const QString &tag, const Fields &fields) {
    QString t = set(tag, "SRC", fields.src);
    t = set(t, "ALT", fields.alt);
    t = set(t, "BORDER", fields.border.trimmed());
    t = set(t, "HSPACE", fields.hspace.trimmed());
    t = set(t, "VSPACE", fields.vspace.trimmed());
    t = set(t, "ALIGN", fields.align == u"Default" ? QString() : fields.align);
    const struct {
        const char *name;
        const Size &size;
        Problem problem;
        const char *message;
    } sizes[] = {
        {"WIDTH", fields.width, Problem::Width, "You must specify a valid width for the image."},
        {"HEIGHT", fields.height, Problem::Height, "You must specify a valid height for the image."},
    };
    for (const auto &s : sizes) {
        const std::optional<QString> value = s.size.set ? sizeValue(s.size) : QString();
        if (!value)
            return {tag, s.problem, QString::fromLatin1(s.message)};
        t = set(t, s.name, *value);
    }
    t = set(t, "USEMAP", fields.usemap);
    return {t, Problem::None, {}};
}

QString wrapInLink(const QString &tag, const QString &target) {
    QString quotedTarget = target;
    quotedTarget.replace(u'"', QStringLiteral("&quot;"));
    return u"<A href =\""_s + quotedTarget + u"\">"_s + tag + u"</A>"_s;
}

QString entryTarget(const QString &entry) {
    const qsizetype gt = entry.indexOf(u'>');
    return gt < 0 ? entry : entry.mid(gt + 1);
}

QString findMap(const QString &documentHtml, const QString &usemap) {
    const QString name = usemap.mid(1);
    if (name.isEmpty())
        return {};
    static const QString open = QStringLiteral("<MAP");
    for (qsizetype p = documentHtml.indexOf(open, 0, Qt::CaseInsensitive); p >= 0;
         p = documentHtml.indexOf(open, p + 1, Qt::CaseInsensitive)) {
        if (TagValue(documentHtml, int(p) + 1, QStringLiteral("NAME"), {}, TagRead)
                .compare(name, Qt::CaseInsensitive))
            continue;
        const qsizetype close = documentHtml.indexOf(u"</MAP", p, Qt::CaseInsensitive);
        const qsizetype end = close < 0 ? -1 : documentHtml.indexOf(u'>', close);
        return end < 0 ? documentHtml.mid(p) : documentHtml.mid(p, end + 1 - p);
    }
    return {};
}

std::optional<QString> placeMap(const QString &documentHtml, const QString &mapHtml, const QString &mapName) {
    QString html = documentHtml;
    const QString old = findMap(html, u'#' + mapName);
    if (!old.isEmpty())
        html.remove(html.indexOf(old), old.size());
    // "<BODY", so that a word such as "nobody" in the title is not taken for the tag.
    const qsizetype body = html.indexOf(u"<BODY", 0, Qt::CaseInsensitive);
    if (body < 0)
        return std::nullopt;
    bool inBraces = false;
    for (qsizetype i = body + 5; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (inBraces) {
            inBraces = c != u'}';
        } else if (c == u'{') {
            inBraces = true;
        } else if (c == u'>') {
            html.insert(i + 1, mapHtml);
            return html;
        }
    }
    return std::nullopt;
}

QString sourceFor(const QString &path, const QString &documentPath) {
    if (path.isEmpty() || isWebAddress(path))
        return path;
    const bool relative = !documentPath.isEmpty();
    const QString reference = relative ? MakeRelPathRel(path, documentPath) : path;
    const QString escaped = QString::fromLatin1(QUrl::toPercentEncoding(reference, "/"));
    return relative ? escaped : u"file://"_s + escaped;
}

QString pathFromSource(const QString &src) {
    if (src.startsWith(u"file:", Qt::CaseInsensitive))
        return QUrl(src).toLocalFile();
    if (isWebAddress(src))
        return src;
    return QUrl::fromPercentEncoding(src.toUtf8());
}

} // namespace ImageTag
