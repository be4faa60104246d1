#include "webpages/service_origin.h"

namespace {

QString originOf(const QUrl &address) {
    const QString scheme = address.scheme().toLower();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || address.host().isEmpty())
        return {};
    // A default port is left out, as the page's own origin leaves it out.
    const int defaultPort = scheme == QLatin1String("https") ? 443 : 80;
    const int port = address.port(defaultPort);
    QString text = scheme + QLatin1String("://") + address.host(QUrl::FullyEncoded).toLower();
    if (port != defaultPort)
        text += QLatin1Char(':') + QString::number(port);
    return text;
}

} // namespace

ServiceOrigin::ServiceOrigin(const QString &serviceUrl, const QString &service)
    : m_text(originOf(QUrl(serviceUrl)))
    , m_service(service) {}

bool ServiceOrigin::holds(const QUrl &address) const {
    return !m_text.isEmpty() && originOf(address) == m_text;
}

std::optional<QString> ServiceOrigin::composeAddress(const QString &pageAddress) const {
    if (!holds(pageAddress))
        return std::nullopt;
    return service(pageAddress).composeAddress(pageAddress);
}
