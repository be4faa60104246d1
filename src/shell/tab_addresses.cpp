#include "shell/tab_addresses.h"

std::optional<QString> TabAddresses::composeAddress(const QString &inboxAddress) {
    // "Character 10" counts from 1.
    const qsizetype first = inboxAddress.indexOf(QLatin1Char('/'), 9);
    if (first < 0)
        return std::nullopt;
    const qsizetype second = inboxAddress.indexOf(QLatin1Char('/'), first + 1);
    if (second < 0)
        return std::nullopt;
    return inboxAddress.left(second + 1) + QLatin1String("compose");
}

QString TabAddresses::calendarAddress(const QString &inboxAddress, const QString &serviceUrl) {
    QString base = serviceUrl;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const bool yahoo = inboxAddress.contains(QLatin1String("yahoo"));
    return base + (yahoo ? QLatin1String("/calendar/yahoo") : QLatin1String("/calendar/msn"));
}
