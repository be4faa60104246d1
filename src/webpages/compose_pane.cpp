#include "webpages/compose_pane.h"

#include "webpages/service_origin.h"
#include "webpages/web_pane.h"

#include <QWebEngineLoadingInfo>

namespace {

// The browser's code for a load cut short by the next one: it says nothing about the page.
constexpr int loadAborted = -3;

} // namespace

ComposePane::ComposePane(WebPane &main, WebPane &compose, std::function<ServiceOrigin()> origin,
                         QObject *parent)
    : QObject(parent)
    , m_compose(compose)
    , m_origin(std::move(origin)) {
    connect(&main, &QWebEngineView::urlChanged, this,
            [this](const QUrl &url) { mainPaneMoved(url.toString()); });
    connect(compose.page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus)
            m_error = false;
        else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.errorCode() != loadAborted)
            m_error = true;
    });
}

void ComposePane::mainPaneMoved(const QString &address) {
    const ServiceOrigin origin = m_origin();
    const std::optional<QString> compose = origin.composeAddress(address);
    if (!compose) {
        // Local pages (the welcome page) and the service's other pages leave the service as it was.
        const QUrl page(address);
        const bool web = page.scheme() == QLatin1String("http") || page.scheme() == QLatin1String("https");
        if (web && !origin.holds(page) && std::exchange(m_address, std::nullopt)) {
            m_provider.clear();
            emit serviceLeft();
        }
        return;
    }
    const bool first = !m_address;
    m_provider = origin.service(address).name();
    m_address = compose;
    if (first)
        emit serviceKnown();
}

QString ComposePane::serviceOf(const QString &pageAddress) const {
    return m_origin().service(pageAddress).name();
}

void ComposePane::show(bool keepFilled) {
    if (keepFilled && !m_error && showsCompose())
        return;
    load();
}

void ComposePane::loadWhileWaiting(bool formless) {
    if (!m_address || m_compose.busy())
        return;
    const QString shown = m_compose.locationUrl();
    const bool due = m_error ? shown != *m_address || !m_lastLoad.isValid() || m_lastLoad.hasExpired(retryMs)
                             : !showsCompose() || formless;
    if (due)
        load();
}

bool ComposePane::showsCompose() const {
    const QString shown = m_compose.locationUrl();
    const ServiceOrigin origin = m_origin();
    return shown.contains(QLatin1String("compose")) && origin.composeAddress(shown) &&
           origin.service(shown).name() == m_provider;
}

void ComposePane::load() {
    if (!m_address)
        return;
    m_lastLoad.start();
    m_compose.navigate(*m_address);
}
