#include "shell/tab_addresses.h"

QString TabAddresses::calendarAddress(const QString &inboxAddress, const QString &serviceUrl) {
    QString base = serviceUrl;
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const bool yahoo = inboxAddress.contains(QLatin1String("yahoo"));
    return base + (yahoo ? QLatin1String("/calendar/yahoo") : QLatin1String("/calendar/msn"));
}
