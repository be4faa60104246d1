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

QString FormListService::composeFieldName(ComposeField field) const {
    const PageModel::ComposeForm &form = PageModel::composeForm(m_provider);
    switch (field) {
    case ComposeField::To:
        return form.to;
    case ComposeField::Cc:
        return form.cc;
    case ComposeField::Bcc:
        return form.bcc;
    case ComposeField::Subject:
        return form.subject;
    case ComposeField::Body:
        break;
    }
    return form.body;
}

std::optional<QString> FormListService::composeValue(WebPane &pane, ComposeField field) const {
    return pane.formFieldValue(PageModel::composeForm(m_provider).form, composeFieldName(field));
}

bool FormListService::setComposeValue(WebPane &pane, ComposeField field, const QString &value) const {
    return pane.setFormFieldValue(PageModel::composeForm(m_provider).form, composeFieldName(field), value);
}
