#pragma once

#include <QObject>

class ComposePane;
class QStackedWidget;
class QTabBar;
class WebPane;
struct PageState;

// The five tabs of the work area and what selecting each one does.
class TabNavigator : public QObject {
    Q_OBJECT
public:
    enum Tab { InboxLogin = 1, Compose, SavedFolders, Calendar, SettingsTab };

    struct Panes {
        WebPane &main;
        WebPane &compose;
        WebPane &calendar;
    };
    TabNavigator(QTabBar &tabs, QStackedWidget &pages, Panes panes, ComposePane &composePane,
                 PageState &state, QString serviceUrl, QObject *parent);

    // Selects a tab by its 1-based index, running its selection even when it is already shown.
    void select(int tab);
    int selected() const;
    void setServiceUrl(const QString &address) { m_serviceUrl = address; }

signals:
    // Every selection starts with these, whatever the tab.
    void tabChangeStarted();
    // The Compose tab is shown (the compose form is cleared unless it was just filled).
    void composeShown();
    void savedFoldersShown();

private:
    void onTabChanged(int zeroBased);
    void showCompose();
    void showCalendar();

    QTabBar &m_tabs;
    QStackedWidget &m_pages;
    Panes m_panes;
    ComposePane &m_composePane;
    PageState &m_state;
    QString m_serviceUrl;
};
