#include "shell/tab_navigator.h"

#include "shell/tab_addresses.h"
#include "webpages/compose_pane.h"
#include "webpages/page_state.h"
#include "webpages/web_pane.h"

#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>

TabNavigator::TabNavigator(QTabBar &tabs, QStackedWidget &pages, Panes panes, ComposePane &composePane,
                           PageState &state, QString serviceUrl, QObject *parent)
    : QObject(parent)
    , m_tabs(tabs)
    , m_pages(pages)
    , m_panes(panes)
    , m_composePane(composePane)
    , m_state(state)
    , m_serviceUrl(std::move(serviceUrl)) {
    connect(&m_tabs, &QTabBar::currentChanged, this, &TabNavigator::onTabChanged);
    // Ctrl+Tab and Ctrl+PgDn walk to the next tab, Ctrl+Shift+Tab and Ctrl+PgUp back, round the ends.
    const struct {
        QKeySequence keys;
        int step;
    } walks[] = {{QKeySequence::NextChild, 1},
                 {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                 {QKeySequence::PreviousChild, -1},
                 {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto &walk : walks) {
        auto *shortcut = new QShortcut(walk.keys, m_tabs.window());
        connect(shortcut, &QShortcut::activated, this, [this, step = walk.step] {
            const int count = m_tabs.count();
            select((selected() - 1 + step + count) % count + 1);
        });
    }
}

int TabNavigator::selected() const {
    return m_tabs.currentIndex() + 1;
}

void TabNavigator::select(int tab) {
    if (tab == selected())
        onTabChanged(tab - 1);
    else
        m_tabs.setCurrentIndex(tab - 1);
}

void TabNavigator::onTabChanged(int zeroBased) {
    if (zeroBased < 0)
        return;
    emit tabChangeStarted();
    const int tab = zeroBased + 1;
    switch (tab) {
    case Compose:
        showCompose();
        break;
    case Calendar:
        showCalendar();
        break;
    default:
        break;
    }
    m_pages.setCurrentIndex(zeroBased);
    if (tab == Compose)
        emit composeShown();
    else if (tab == SavedFolders)
        emit savedFoldersShown();
}

void TabNavigator::showCompose() {
    m_composePane.show(m_state.did_insert);
}

void TabNavigator::showCalendar() {
    // A calendar already loaded stays as the user left it.
    if (m_panes.calendar.locationUrl().contains(QLatin1String("calendar")))
        return;
    m_panes.calendar.navigate(TabAddresses::calendarAddress(m_panes.main.locationUrl(), m_serviceUrl));
}
