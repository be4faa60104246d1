#pragma once

#include "webpages/services/web_service.h"

#include <QString>
#include <QUrl>

#include <optional>

// The recorded web-mail service's origin (scheme, host and port of `[Locations] service url`):
// the only place whose pages the program reads a compose address from, writes a message or an
// address into, or keeps a sent copy of a post to. A page of another origin may carry the
// service's name in its address; that makes it no page of the service.
class ServiceOrigin {
public:
    // `service` is the recorded service ([Locations] service).
    explicit ServiceOrigin(const QString &serviceUrl, const QString &service = {});

    // The origin as a page's `location.origin` spells it ("http://127.0.0.1:8087"); empty when the
    // recorded address names no web origin, and then no page is on it.
    QString text() const { return m_text; }
    bool holds(const QUrl &address) const;
    bool holds(const QString &address) const { return holds(QUrl(address)); }
    // The service's compose page for `pageAddress`, a page the main pane shows: nothing for a page
    // that is not on the origin, or that names no service.
    std::optional<QString> composeAddress(const QString &pageAddress) const;
    // The service a page of the origin belongs to.
    const WebService &service(const QString &pageAddress) const {
        return WebServices::forPage(m_service, pageAddress);
    }

private:
    QString m_text;
    QString m_service;
};
