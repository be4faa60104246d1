#include "webpages/compose_pane.h"

#include "webpages/page_model.h"
#include "webpages/web_pane.h"

#include <QWebEngineLoadingInfo>

namespace {

// The browser's code for a load cut short by the next one: it says nothing about the page.
constexpr int loadAborted = -3;

} // namespace

ComposePane::ComposePane(WebPane &main, WebPane &compose, QObject *parent)
    : QObject(parent)
    , m_compose(compose) {
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
    const std::optional<QString> provider = PageModel::namedProvider(address);
    const std::optional<QString> compose = PageModel::composeAddress(address);
    if (!provider || !compose)
        return;
    const bool first = !m_address;
    m_provider = *provider;
    m_address = compose;
    if (first)
        emit serviceKnown();
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
    return shown.contains(QLatin1String("compose")) && PageModel::namedProvider(shown) == m_provider;
}

void ComposePane::load() {
    if (!m_address)
        return;
    m_lastLoad.start();
    m_compose.navigate(*m_address);
}
