#pragma once

#include "webpages/inbox_ticks.h"
#include "webpages/tab_switch.h"

#include <optional>
#include <vector>

class WebPane;
struct PageState;

// The web-mail message list in the inbox pane: ticking messages so the service's own buttons
// (delete, move, mark) act on them. Every operation first shows the Inbox/Login tab and tells
// the provider from the pane's address; a page without a message list is left alone.
class InboxPage {
public:
    InboxPage(WebPane &pane, PageState &state, TabSwitch tabs);

    // Returns false when the pane shows no message list.
    bool TickRange();
    void ClearTicks();
    // Ticks the unread messages: all, or the first `limit` when it is above 0.
    void checkUnread(int limit);
    void checkSpam(const InboxTicks::SpamRules &rules);

private:
    std::optional<std::vector<InboxTicks::MessageRow>> messageRows();
    void tick(const std::vector<bool> &ticks);

    WebPane &m_pane;
    PageState &m_state;
    TabSwitch m_tabs;
};
