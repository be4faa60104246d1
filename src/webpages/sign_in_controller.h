#pragma once

#include "webpages/password_store.h"

#include <QDeadlineTimer>
#include <QObject>

#include <functional>

class Settings;
class WebPane;

// Keeps the stored sign-in: captures it when the main pane leaves the welcome page, and
// signs in by itself when the welcome page has loaded and the user asked for that.
class SignInController : public QObject {
    Q_OBJECT
public:
    // `welcomeFile` gives the path of the welcome page installed in the main directory: the only
    // page the stored sign-in is filled into, submitted from and captured on.
    SignInController(WebPane &mainPane, Settings &settings, std::function<bool()> autoLogTicked,
                     std::function<QString()> welcomeFile, QObject *parent);

    const PasswordStore &passwords() const { return m_passwords; }

    // How long after the welcome page has loaded a password still on its way from the keyring
    // signs in; later, the user may already be typing.
    static constexpr int keyringWaitMs = 10000;
    // How long after the welcome page has loaded the keyring is asked when no sign-in waits for it.
    static constexpr int keyringIdleReadMs = 2000;

signals:
    // The welcome page's service address was recorded: what follows the service follows it now.
    void serviceRecorded(const QString &address);

private:
    void captureOnLeave();
    void welcomePageLoaded();
    void signInWithStoredPassword();

    WebPane &m_pane;
    Settings &m_settings;
    std::function<bool()> m_autoLogTicked;
    std::function<QString()> m_welcomeFile;
    PasswordStore m_passwords;
    // Set while the welcome page waits for the keyring's answer.
    QDeadlineTimer m_awaitingPassword;
};
