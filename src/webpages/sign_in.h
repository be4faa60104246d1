#pragma once

#include "base/setting_write.h"

#include <QList>
#include <QString>

#include <optional>

// The rules of the stored sign-in through the local welcome page.
namespace SignIn {

// Whether `address` shows the welcome page installed in the main directory, the absolute path
// `welcomeFile`: a file address with no host whose path, once "." and ".." are resolved, is that
// path exactly (a query or fragment aside). A page elsewhere, whatever its name, is not it.
bool isWelcomePage(const QString &address, const QString &welcomeFile);

// What leaving the welcome page stores, in the order it is stored. `email` and `password`
// are the sign-in form's fields, missing when the page has no such form. An empty `pw` removes
// the stored password.
SettingWrites captureOnLeave(const QString &currentAddress, const QString &welcomeFile, bool autoLogTicked,
                             const std::optional<QString> &email, const std::optional<QString> &password);

struct Credentials {
    QString email;
    QString password;
};
// The credentials to sign in with when the welcome page has loaded, if any.
std::optional<Credentials> automaticSignIn(const QString &address, const QString &welcomeFile,
                                           bool autoLogTicked, const QString &storedEmail,
                                           const QString &storedPassword);

// The service address typed on the welcome page, as it is recorded: an http(s) address with a
// host, without trailing slashes; nothing for anything else.
std::optional<QString> serviceAddress(const std::optional<QString> &typed);

inline const QString serviceKindField = QStringLiteral("kind");
// The welcome page's choice of the kind of service at the address typed (its field "kind"), as
// it is recorded ([Locations] service): a known service's name, else nothing.
std::optional<QString> serviceKind(const std::optional<QString> &chosen);

// The sign-in service's answer page offers its answer field to the spell checker.
bool isAnswerPage(const QString &address, const QString &serviceUrl);

} // namespace SignIn
