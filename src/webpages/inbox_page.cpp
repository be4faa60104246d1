#include "webpages/inbox_page.h"

#include "webpages/page_state.h"
#include "webpages/services/web_service.h"
#include "webpages/web_pane.h"

namespace {
constexpr int inboxTab = 1;
} // namespace

InboxPage::InboxPage(WebPane &pane, PageState &state, TabSwitch tabs,
                     std::function<QString()> recordedService)
    : m_pane(pane)
    , m_state(state)
    , m_tabs(std::move(tabs))
    , m_recordedService(std::move(recordedService)) {}

const WebService &InboxPage::service() {
    if (m_tabs.selected() != inboxTab)
        m_tabs.select(inboxTab);
    const WebService &service = WebServices::forPage(m_recordedService(), m_pane.locationUrl());
    m_state.webmail = service.name();
    return service;
}

bool InboxPage::TickRange() {
    const WebService &list = service();
    const auto rows = list.messageRows(m_pane);
    if (rows)
        list.setTicks(m_pane, InboxTicks::tickRange(InboxTicks::ticksOf(*rows)));
    return rows.has_value();
}

void InboxPage::ClearTicks() {
    const WebService &list = service();
    if (const auto rows = list.messageRows(m_pane))
        list.setTicks(m_pane, std::vector<bool>(rows->size(), false));
}

void InboxPage::checkUnread(int limit) {
    const WebService &list = service();
    if (const auto rows = list.messageRows(m_pane))
        list.setTicks(m_pane, InboxTicks::tickUnread(*rows, limit));
}

void InboxPage::checkSpam(const InboxTicks::SpamRules &rules) {
    const WebService &list = service();
    if (const auto rows = list.messageRows(m_pane))
        list.setTicks(m_pane, InboxTicks::tickSpam(*rows, rules));
}
