#include "webpages/sign_in.h"

#include "webpages/page_model.h"
#include "webpages/services/web_service.h"

#include <QDir>
#include <QUrl>

bool SignIn::isWelcomePage(const QString &address, const QString &welcomeFile) {
    if (!QDir::isAbsolutePath(welcomeFile))
        return false;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty())
        return false;
    const QString path = url.toLocalFile();
    // A trailing separator names a folder, which cleaning would hide.
    return !path.endsWith(u'/') && QDir::cleanPath(path) == QDir::cleanPath(welcomeFile);
}

SettingWrites SignIn::captureOnLeave(const QString &currentAddress, const QString &welcomeFile,
                                     bool autoLogTicked, const std::optional<QString> &email,
                                     const std::optional<QString> &password) {
    if (!isWelcomePage(currentAddress, welcomeFile))
        return {};
    // Leaving unticked is signing out for good: the stored password goes too.
    if (!autoLogTicked)
        return {{Keys::AutoLogin, QStringLiteral("0")}, {Keys::Pw, QString()}};
    if (!email || !password || email->isEmpty() || password->isEmpty())
        return {};
    return {{Keys::Email, *email}, {Keys::Pw, *password}, {Keys::AutoLogin, QStringLiteral("1")}};
}

std::optional<QString> SignIn::serviceAddress(const std::optional<QString> &typed) {
    if (!typed)
        return std::nullopt;
    QString text = typed->trimmed();
    while (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return std::nullopt;
    return text;
}

std::optional<SignIn::Credentials> SignIn::automaticSignIn(const QString &address, const QString &welcomeFile,
                                                           bool autoLogTicked, const QString &storedEmail,
                                                           const QString &storedPassword) {
    if (!isWelcomePage(address, welcomeFile) || !autoLogTicked || storedEmail.isEmpty() ||
        storedPassword.isEmpty())
        return std::nullopt;
    return Credentials{storedEmail, storedPassword};
}

std::optional<QString> SignIn::serviceKind(const std::optional<QString> &chosen) {
    if (chosen == WebServices::roundcube)
        return chosen;
    return std::nullopt;
}

bool SignIn::isAnswerPage(const QString &address, const QString &serviceUrl) {
    // The service is named by its host (with the port, when it has one).
    const QUrl service(serviceUrl);
    QString host = service.host();
    if (host.isEmpty())
        return false;
    if (service.port() != -1)
        host += QLatin1Char(':') + QString::number(service.port());
    return address.contains(host + PageModel::signInPath);
}
