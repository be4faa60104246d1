#include "webpages/web_page.h"

#include "webpages/web_profile.h"

#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include <utility>

namespace {

// A page that moves only through the program's loads takes from other files only what it shows
// (pictures, style sheets, fonts), never what would read them into it (requests, frames, objects).
class ShownResourcesOnly : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo &info) override {
        switch (info.resourceType()) {
        case QWebEngineUrlRequestInfo::ResourceTypeMainFrame: // gated by acceptNavigationRequest
        case QWebEngineUrlRequestInfo::ResourceTypeImage:
        case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
        case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
            return;
        default:
            info.block(true);
        }
    }
};

} // namespace

WebPage::WebPage(PageScripts scripts, LocalPages localPages, QObject *parent)
    : QWebEnginePage(&WebProfile::shared(), parent) {
    QWebEngineSettings *s = settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, scripts == PageScripts::Enabled);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                    localPages == LocalPages::MayReachServices);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
}

void WebPage::setNavigation(Navigation navigation) {
    m_navigation = navigation;
    setUrlRequestInterceptor(navigation == Navigation::OwnLoadsOnly ? new ShownResourcesOnly(this) : nullptr);
}

bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) {
    // Only the program asks for typed loads and reloads; a document's own moves come as
    // redirects, link clicks, form posts or others, and a frame inside it is its own move too.
    const bool own = isMainFrame && (type == NavigationTypeTyped || type == NavigationTypeReload) &&
                     std::exchange(m_ownLoad, false);
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
