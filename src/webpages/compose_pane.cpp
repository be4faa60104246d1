#include "webpages/compose_pane.h"

#include "webpages/compose_form.h"
#include "webpages/service_origin.h"
#include "webpages/web_pane.h"

#include <QTimer>
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
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        ++m_loads;
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
            m_error = false;
            QTimer::singleShot(formlessReloadMs, this, [this, load = m_loads] {
                if (load == m_loads)
                    loadAgainIfFormless();
            });
        } else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus &&
                   info.errorCode() != loadAborted)
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

void ComposePane::loadWhileWaiting() {
    if (!m_address || m_compose.busy())
        return;
    const QString shown = m_compose.locationUrl();
    const bool due = m_error ? shown != *m_address || !m_lastLoad.isValid() || m_lastLoad.hasExpired(retryMs)
                             : !showsCompose();
    if (due)
        load();
}

bool ComposePane::showsCompose() const {
    const QString shown = m_compose.locationUrl();
    const ServiceOrigin origin = m_origin();
    return shown.contains(QLatin1String("compose")) && origin.composeAddress(shown) &&
           origin.service(shown).name() == m_provider;
}

void ComposePane::loadAgainIfFormless() {
    // A compose page's form is in the page as served: one loaded a while ago without it is the service's
    // error page at the compose address (Roundcube's for a compose session it lost, answered as a success).
    // The page must answer: one too busy to may still hold the user's message.
    if (!m_compose.busy() && showsCompose() && m_compose.bodyText() &&
        !ComposeForm::value(m_compose, m_provider, ComposeForm::Field::To))
        load();
}

void ComposePane::load() {
    if (!m_address)
        return;
    m_lastLoad.start();
    m_compose.navigate(*m_address);
}
