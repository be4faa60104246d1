#include "webpages/blog_post.h"

#include "webpages/blog/wordpress_filter.h"
#include "webpages/blog/wordpress_page.h"
#include "webpages/web_pane.h"

#include <QUrl>
#include <QVariantList>

namespace {

// The product word the footer's link carries; a post that holds it has its footer.
const QString productWord = QStringLiteral("corvalis");

// Where the service's page keeps the post body, tried in this order: the frames to go through
// (by name), then the form and its field.
QVariantList fieldLocations() {
    auto location = [](const QStringList &frames, const char *field) {
        return QVariantMap{{QStringLiteral("frames"), frames},
                           {QStringLiteral("form"), QStringLiteral("stuffform")},
                           {QStringLiteral("field"), QString::fromLatin1(field)}};
    };
    return {location({QStringLiteral("inside"), QStringLiteral("blog_form")}, "txaBody"),
            location({}, "postBody"),
            location({QStringLiteral("inside"), QStringLiteral("post_form")}, "postBody")};
}

} // namespace

QString BlogPost::withFooter(const QString &html, const Footer &footer) {
    if (!footer.enabled || footer.affiliateId.isEmpty() || footer.affiliateText.isEmpty() ||
        html.toLower().contains(productWord))
        return html;
    const QString link = QStringLiteral("https://corvalis.example/?aff=") +
                         QString::fromLatin1(QUrl::toPercentEncoding(footer.affiliateId));
    return html + QStringLiteral("<p style=\"font-size: x-small\">Posted with <a href=\"%1\">%2</a></p>")
                      .arg(link.toHtmlEscaped(), footer.affiliateText.toHtmlEscaped());
}

bool BlogPost::transfer(WebPane &pane, const std::function<QString()> &editorHtml, const Footer &footer,
                        const LossCheck &mayLose) {
    if (const std::optional<WordPressPage::Screen> screen = WordPressPage::screen(pane)) {
        const QString html = withFooter(editorHtml(), footer);
        const QString warning =
            screen->unfiltered ? QString() : WordPressFilter::warning(WordPressFilter::partsRemoved(html));
        if (!warning.isEmpty() && mayLose && !mayLose(warning))
            return false;
        return WordPressPage::setBody(pane, *screen, html);
    }
    const QVariantList locations = fieldLocations();
    const auto found = pane.callBridge(QStringLiteral("postBodyLocation"), {QVariant(locations)});
    if (!found || found->toInt() < 0)
        return false;
    const QString html = withFooter(editorHtml(), footer);
    const auto written =
        pane.callWithText(QStringLiteral("setPostBody"), {locations.value(found->toInt())}, html);
    return written && written->toBool();
}

std::optional<QRectF> BlogPost::fieldRect(WebPane &pane) {
    if (const std::optional<QRectF> body = WordPressPage::bodyRect(pane))
        return body;
    const QVariantList locations = fieldLocations();
    const auto found = pane.callBridge(QStringLiteral("postBodyLocation"), {QVariant(locations)});
    if (!found || found->toInt() < 0)
        return std::nullopt;
    const auto rect = pane.callBridge(QStringLiteral("postBodyRect"), {locations.value(found->toInt())});
    const QVariantList r = rect ? rect->toList() : QVariantList();
    if (r.size() != 4)
        return std::nullopt;
    return QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble());
}
