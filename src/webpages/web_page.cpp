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
    if (!isMainFrame)
        return true;
    emit navigationRequested(url);
    if (type == NavigationTypeFormSubmitted)
        emit formNavigationRequested(url);
    return true;
}
