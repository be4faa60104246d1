#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class ServiceOrigin;
class WebPane;

// The compose pane and the page it is to show: the compose page of the web-mail service the main
// pane last showed a page of, on the recorded service's origin. Before the main pane has shown
// one (the welcome page, the sign-in script's answer) no service is known and nothing is loaded;
// while the main pane shows a web page of another origin (an advert's, whatever its address says)
// none is known either. A compose page that failed to load,
// or came back as an HTTP error, is loaded again whenever it is needed; the load's result says
// so, never the page's text. One that came without its form is loaded again a while later.
class ComposePane : public QObject {
    Q_OBJECT
public:
    // `origin` gives the recorded service's origin at the moment it is asked.
    ComposePane(WebPane &main, WebPane &compose, std::function<ServiceOrigin()> origin, QObject *parent);

    // The current service's compose page; nothing before a service is known.
    std::optional<QString> address() const { return m_address; }
    // That service's name (WebService::name()); empty before one is known.
    QString provider() const { return m_provider; }
    // The name of the service a page of the main pane belongs to (on the recorded service's origin).
    QString serviceOf(const QString &pageAddress) const;
    // The pane's last load failed or was answered with an HTTP error.
    bool showsError() const { return m_error; }

    // The Compose tab is shown: the pane loads the compose page unless it holds one that was just
    // filled (`keepFilled`, from `did_insert`) and loaded well.
    void show(bool keepFilled);
    // A transfer waits for the compose form: a pane left on an error page or on another page is
    // loaded again, an error page at most once per `retryMs` unless the service changed.
    void loadWhileWaiting();

    static constexpr int retryMs = 2000;
    // A compose page loaded this long ago without its form is loaded again.
    static constexpr int formlessReloadMs = 10000;

signals:
    // A service has become known (the Compose tab shows its pane instead of a line saying so).
    void serviceKnown();
    // The main pane has left the service's origin: no service is known until it is back.
    void serviceLeft();

private:
    void mainPaneMoved(const QString &address);
    void load();
    void loadAgainIfFormless();
    // The pane holds a compose page of the current service (one of the service seen before, after
    // the main pane moved to the other, is no place for this service's message).
    bool showsCompose() const;

    WebPane &m_compose;
    std::function<ServiceOrigin()> m_origin;
    std::optional<QString> m_address;
    QString m_provider;
    bool m_error = false;
    int m_loads = 0; // loads the pane has ended
    QElapsedTimer m_lastLoad;
};
