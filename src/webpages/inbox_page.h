#pragma once

#include "webpages/inbox_ticks.h"
#include "webpages/tab_switch.h"

#include <functional>

class WebPane;
class WebService;
struct PageState;

// The web-mail message list in the inbox pane: ticking messages so the service's own buttons
// (delete, move, mark) act on them. Every operation first shows the Inbox/Login tab and tells
// the service (the recorded one, else the one the pane's address names); a page without a message
// list is left alone.
class InboxPage {
public:
    // `recordedService` gives [Locations] service.
    InboxPage(WebPane &pane, PageState &state, TabSwitch tabs, std::function<QString()> recordedService);

    // Returns false when the pane shows no message list.
    bool TickRange();
    void ClearTicks();
    // Ticks the unread messages: all, or the first `limit` when it is above 0.
    void checkUnread(int limit);
    void checkSpam(const InboxTicks::SpamRules &rules);

private:
    // Shows the Inbox/Login tab and gives the service of the page shown.
    const WebService &service();

    WebPane &m_pane;
    PageState &m_state;
    TabSwitch m_tabs;
    std::function<QString()> m_recordedService;
};
