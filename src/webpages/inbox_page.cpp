#include "webpages/inbox_page.h"

#include "webpages/page_model.h"
#include "webpages/page_state.h"
#include "webpages/web_pane.h"

#include <QVariantList>
#include <QVariantMap>

namespace {

constexpr int inboxTab = 1;

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

InboxPage::InboxPage(WebPane &pane, PageState &state, TabSwitch tabs)
    : m_pane(pane)
    , m_state(state)
    , m_tabs(std::move(tabs)) {}

std::optional<std::vector<InboxTicks::MessageRow>> InboxPage::messageRows() {
    if (m_tabs.selected() != inboxTab)
        m_tabs.select(inboxTab);
    m_state.webmail = PageModel::DetectProvider(m_pane.locationUrl());
    const std::optional<QVariant> answer =
        m_pane.callBridge(QStringLiteral("messageRows"), {listNames(m_state.webmail)});
    if (!answer)
        return std::nullopt;
    std::vector<InboxTicks::MessageRow> rows;
    for (const QVariant &item : answer->toList()) {
        const QVariantMap row = item.toMap();
        rows.push_back(
            {row.value(QStringLiteral("sender")).toString(), row.value(QStringLiteral("subject")).toString(),
             row.value(QStringLiteral("unread")).toBool(), row.value(QStringLiteral("ticked")).toBool()});
    }
    return rows;
}

void InboxPage::tick(const std::vector<bool> &ticks) {
    QVariantList states;
    states.reserve(qsizetype(ticks.size()));
    for (bool t : ticks)
        states.push_back(t);
    m_pane.callBridge(QStringLiteral("setMessageTicks"), {listNames(m_state.webmail), states});
}

bool InboxPage::TickRange() {
    const auto rows = messageRows();
    if (rows)
        tick(InboxTicks::tickRange(InboxTicks::ticksOf(*rows)));
    return rows.has_value();
}

void InboxPage::ClearTicks() {
    if (const auto rows = messageRows())
        tick(std::vector<bool>(rows->size(), false));
}

void InboxPage::checkUnread(int limit) {
    if (const auto rows = messageRows())
        tick(InboxTicks::tickUnread(*rows, limit));
}

void InboxPage::checkSpam(const InboxTicks::SpamRules &rules) {
    if (const auto rows = messageRows())
        tick(InboxTicks::tickSpam(*rows, rules));
}
