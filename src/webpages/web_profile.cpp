#include "webpages/web_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace {
QWebEngineProfile *made = nullptr;
}

QWebEngineProfile &WebProfile::shared() {
    if (made)
        return *made;
    made = [] {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                            QStringLiteral("/corvalis");
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        auto *p = new QWebEngineProfile(QStringLiteral("corvalis"), QCoreApplication::instance());
        p->setPersistentStoragePath(dir + QStringLiteral("/web"));
        p->setCachePath(dir + QStringLiteral("/web/cache"));
        // A session cookie is a sign-in the user expects to find again after a restart.
        p->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
        return p;
    }();
    return *made;
}

void WebProfile::close() {
    delete made;
    made = nullptr;
}

void WebProfile::forgetSites() {
    QWebEngineProfile &profile = shared();
    profile.cookieStore()->deleteAllCookies();
    profile.clearHttpCache();
    profile.clearAllVisitedLinks();
}
