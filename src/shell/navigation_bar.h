#pragma once

#include <QToolBar>

class QComboBox;
class WebPane;

// The browser toolbar over the main pane: go, back, forward, refresh, stop, the answer
// spell check, and the address box.
class NavigationBar : public QToolBar {
    Q_OBJECT
public:
    NavigationBar(WebPane &mainPane, WebPane &composePane, QString serviceUrl, QWidget *parent = nullptr);

    QComboBox *addressCombo() const { return m_address; }
    QAction *action(const QString &key) const;
    // The address box shows the address of `pane` (the one on show) until told another.
    void follow(WebPane &pane);
    void setServiceUrl(const QString &address) { m_serviceUrl = address; }

signals:
    // "go" was pressed: the main pane's tab must be shown.
    void goRequested();
    void spellRequested();

private:
    void go();
    void mainPaneNavigated();
    void showAddress();

    WebPane &m_main;
    WebPane &m_compose;
    QString m_serviceUrl;
    QComboBox *m_address;
    WebPane *m_followed;
    QMetaObject::Connection m_following;
};
