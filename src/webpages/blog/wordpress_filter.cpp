#include "webpages/blog/wordpress_filter.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

struct Removed {
    const char *name;
    QRegularExpression pattern;
};

const std::vector<Removed> &removedParts() {
    const auto tags = [](const char *names) {
        return QRegularExpression(u"<(%1)[\\s/>]"_s.arg(QLatin1String(names)),
                                  QRegularExpression::CaseInsensitiveOption);
    };
    static const std::vector<Removed> parts = {
        {"scripts", tags("script|noscript")},
        {"styles", QRegularExpression(u"<style[\\s>]|<link[^>]*stylesheet"_s,
                                      QRegularExpression::CaseInsensitiveOption)},
        {"frames", tags("iframe|frame|frameset|object|embed")},
        {"forms", tags("form|input|select|textarea|button")},
        {"event handlers (onclick …)",
         QRegularExpression(u"<[a-z][^>]*\\son[a-z]+\\s*="_s, QRegularExpression::CaseInsensitiveOption)},
        {"javascript: links",
         QRegularExpression(u"<[a-z][^>]*\\s(href|src|action)\\s*=\\s*[\"']?\\s*javascript:"_s,
                            QRegularExpression::CaseInsensitiveOption)},
        {"cell backgrounds and border colours",
         QRegularExpression(u"<t[dh][^>]*\\s(background|bordercolor)\\s*="_s,
                            QRegularExpression::CaseInsensitiveOption)},
        {"centred and scrolling text (their text stays)", tags("center|marquee")},
    };
    return parts;
}

} // namespace

QStringList WordPressFilter::partsRemoved(const QString &html) {
    QStringList found;
    for (const Removed &part : removedParts()) {
        if (part.pattern.match(html).hasMatch())
            found << QString::fromUtf8(part.name);
    }
    return found;
}

QString WordPressFilter::warning(const QStringList &parts) {
    if (parts.isEmpty())
        return QString();
    return u"WordPress removes these parts from the posts of your account (it may not post unfiltered "
           "HTML):\n\n%1"_s.arg(parts.join(u'\n'));
}
