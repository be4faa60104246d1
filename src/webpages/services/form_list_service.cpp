#include "webpages/services/form_list_service.h"

#include "webpages/message_view.h"
#include "webpages/page_model.h"
#include "webpages/services/message_rows.h"
#include "webpages/web_pane.h"

namespace {

QVariantMap listNames(const QString &provider) {
    const PageModel::MessageList &list = PageModel::messageList(provider);
    return {{QStringLiteral("form"), list.form},
            {QStringLiteral("boxName"), list.boxName},
            {QStringLiteral("selectAll"), list.selectAll},
            {QStringLiteral("unreadClass"), list.unreadClass},
            {QStringLiteral("senderClass"), list.senderClass},
            {QStringLiteral("subjectClass"), list.subjectClass}};
}

} // namespace

std::optional<QString> FormListService::composeAddress(const QString &pageAddress) const {
    if (!PageModel::namedProvider(pageAddress))
        return std::nullopt;
    return PageModel::composeAddress(pageAddress);
}

std::optional<std::vector<InboxTicks::MessageRow>> FormListService::messageRows(WebPane &pane) const {
    return MessageRows::fromBridge(pane.callBridge(QStringLiteral("messageRows"), {listNames(m_provider)}));
}

void FormListService::setTicks(WebPane &pane, const std::vector<bool> &ticks) const {
    pane.callBridge(QStringLiteral("setMessageTicks"), {listNames(m_provider), MessageRows::toBridge(ticks)});
}

std::optional<QString> FormListService::bodyHtml(WebPane &pane) const {
    return MessageView::bodyHtml(pane, m_provider);
}
