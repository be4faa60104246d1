#pragma once

#include "webpages/password_store.h"
#include "webpages/services/web_service.h"

#include <QDeadlineTimer>
#include <QObject>

#include <functional>

class Messages;
class ServiceOrigin;
class Settings;
class WebPane;

// Keeps the stored sign-in: captures it when the main pane leaves the welcome page, and
// signs in by itself when the welcome page has loaded and the user asked for that. A service
// with a login page of its own (Roundcube) is signed in there instead: the welcome page hands over
// to it, the stored sign-in goes into that page alone (the recorded service's origin and path),
// and what the user types there is captured once the service has let them in.
class SignInController : public QObject {
    Q_OBJECT
public:
    // `welcomeFile` gives the path of the welcome page installed in the main directory: the only
    // local page the stored sign-in is filled into, submitted from and captured on.
    SignInController(WebPane &mainPane, Settings &settings, Messages &messages,
                     std::function<bool()> autoLogTicked, std::function<QString()> welcomeFile,
                     QObject *parent);

    const PasswordStore &passwords() const { return m_passwords; }

    // How long after the welcome page has loaded a password still on its way from the keyring
    // signs in; later, the user may already be typing.
    static constexpr int keyringWaitMs = 10000;
    // How long after the welcome page has loaded the keyring is asked when no sign-in waits for it.
    static constexpr int keyringIdleReadMs = 2000;
    // A login page's form may be built after the page has loaded: it is looked for again then.
    static constexpr int loginLookAgainMs[] = {300, 1500};

    static QString refusedMessage();

signals:
    // The welcome page's service address was recorded: what follows the service follows it now.
    void serviceRecorded(const QString &address);

private:
    void captureOnLeave();
    void pageLoaded();
    void welcomePageLoaded();
    // A page of the recorded service has loaded: it may tell the service, refuse or let the user in.
    void servicePageLoaded();
    void signInWithStoredPassword();
    // Submits the stored sign-in on the recorded service's login page, once per load of it.
    void signInOnLoginPage();
    ServiceOrigin origin() const;
    std::optional<WebService::OwnLogin> ownLogin() const;
    bool onLoginPage(const QString &address) const;
    // The path of the recorded service's address: its login page.
    QString loginPath() const;

    WebPane &m_pane;
    Settings &m_settings;
    Messages &m_messages;
    std::function<bool()> m_autoLogTicked;
    std::function<QString()> m_welcomeFile;
    PasswordStore m_passwords;
    // Set while the welcome page waits for the keyring's answer.
    QDeadlineTimer m_awaitingPassword;
    int m_loads = 0;              // documents the pane has loaded
    int m_submittedOnLoad = -1;   // the load the stored sign-in was last submitted on
    bool m_refused = false;       // the service refused the stored sign-in: not tried again
    bool m_submitPending = false; // the stored sign-in went and no page of the session came yet
    // A sign-in typed on the login page, stored once the service has taken it.
    std::optional<std::pair<QString, QString>> m_typed;
};
