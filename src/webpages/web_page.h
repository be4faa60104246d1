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

    // Whether the page follows wherever its documents lead (refreshes, links, forms, scripts), or
    // moves only through the program's own loads.
    enum class Navigation { Free, OwnLoadsOnly };

    WebPage(PageScripts scripts, LocalPages localPages, QObject *parent);

    void setNavigation(Navigation navigation);
    // The program's next load (load(), setUrl(), setHtml(), a reload) may go through, once, until
    // endOwnLoad(); the document's own moves after it are still refused.
    void beginOwnLoad() { m_ownLoad = true; }
    void endOwnLoad() { m_ownLoad = false; }

signals:
    // Emitted before the main frame leaves its current page; url() is still the old address.
    void navigationRequested(const QUrl &target);
    // The main frame is about to post (or get) a form to `target`.
    void formNavigationRequested(const QUrl &target);
    // A navigation the page's policy turned down; the document stays.
    void navigationRefused(const QUrl &target);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    Navigation m_navigation = Navigation::Free;
    bool m_ownLoad = false;
};
