#pragma once

#include <QWebEnginePage>

// Page policy for the program's panes: navigations are announced before they happen
// (the "before navigate" moment), and local content may not reach other files or the net.
class WebPage : public QWebEnginePage {
    Q_OBJECT
public:
    enum class PageScripts { Enabled, Disabled };
    // Whether a local page (the welcome page) may post to and open the web services.
    enum class LocalPages { Sealed, MayReachServices };

    WebPage(PageScripts scripts, LocalPages localPages, QObject *parent);

signals:
    // Emitted before the main frame leaves its current page; url() is still the old address.
    void navigationRequested(const QUrl &target);
    // The main frame is about to post (or get) a form to `target`.
    void formNavigationRequested(const QUrl &target);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
};
