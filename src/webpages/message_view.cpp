#include "webpages/message_view.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

namespace MessageView {

std::optional<QString> pageText(WebPane &pane) {
    return pane.bodyText();
}

std::optional<QString> bodyHtml(WebPane &pane, const QString &provider) {
    std::optional<QString> html;
    if (provider == PageModel::yahoo) {
        html = pane.elementHtml(yahooBodyElement);
    } else {
        const std::optional<QVariant> found =
            pane.callBridge(QStringLiteral("lastElementHtmlOfClass"), {hotmailBodyClass});
        if (found && !found->isNull())
            html = found->toString();
    }
    // The saved file and the text rules of the capture count lines by CR LF.
    if (html)
        *html = withCrLf(*html);
    return html;
}

} // namespace MessageView
