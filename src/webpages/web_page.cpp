#include "webpages/web_page.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>

WebPage::WebPage(PageScripts scripts, LocalPages localPages, QObject *parent)
    : QWebEnginePage(QWebEngineProfile::defaultProfile(), parent) {
    QWebEngineSettings *s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts == PageScripts::Enabled);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                    localPages == LocalPages::MayReachServices);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
    // Only the program asks for typed loads and reloads; a document's own moves come as
    // redirects, link clicks, form posts or others, and a frame inside it is its own move too.
    const bool own =
        isMainFrame && m_ownLoad && (type == NavigationTypeTyped || type == NavigationTypeReload);
    if (m_navigation == Navigation::OwnLoadsOnly && !own) {
        emit navigationRefused(url);
        return false;
    }
    if (!isMainFrame)
        return true;
    emit navigationRequested(url);
    if (type == NavigationTypeFormSubmitted)
        emit formNavigationRequested(url);
    return true;
}
