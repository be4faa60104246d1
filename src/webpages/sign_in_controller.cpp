#include "webpages/sign_in_controller.h"

#include "base/settings.h"
#include "webpages/page_model.h"
#include "webpages/sign_in.h"
#include "webpages/web_pane.h"

#include <QDir>
#include <QTimer>

SignInController::SignInController(WebPane &mainPane, Settings &settings, std::function<bool()> autoLogTicked,
                                   std::function<QString()> welcomeFile, QObject *parent)
    : QObject(parent)
    , m_pane(mainPane)
    , m_settings(settings)
    , m_autoLogTicked(std::move(autoLogTicked))
    , m_welcomeFile(std::move(welcomeFile))
    , m_passwords(settings, this) {
    connect(&m_pane, &WebPane::navigationRequested, this, &SignInController::captureOnLeave);
    connect(&m_pane, &WebPane::documentCompleted, this, &SignInController::welcomePageLoaded);
    connect(&m_passwords, &PasswordStore::passwordKnown, this, [this] {
        if (!std::exchange(m_awaitingPassword, QDeadlineTimer()).hasExpired())
            signInWithStoredPassword();
    });
    // The keyring's first question loads a good part of GLib's machinery: it is asked as the event
    // loop starts when the welcome page signs in by itself (so that the answer is there by the time
    // the page has loaded), else a while after the page has loaded, when nothing waits for it.
    QTimer::singleShot(0, this, [this] {
        if (m_autoLogTicked()) {
            m_passwords.read();
            return;
        }
        connect(
            &m_pane, &WebPane::documentCompleted, this,
            [this] { QTimer::singleShot(keyringIdleReadMs, &m_passwords, &PasswordStore::read); },
            Qt::SingleShotConnection);
    });
}

namespace {

// The address recorded in the settings file; empty while none is (the key's default does not count).
QString recordedServiceUrl(const Settings &settings) {
    return settings.GetIni(QString::fromLatin1(Keys::ServiceUrl.section),
                           QString::fromLatin1(Keys::ServiceUrl.key), QString());
}

} // namespace

void SignInController::captureOnLeave() {
    // The page is being left: its fields are read from what the page last reported, since
    // the document may be gone before a round trip into it would return.
    using namespace PageModel;
    m_awaitingPassword = QDeadlineTimer();
    // The service's address is asked for once, on the welcome page.
    if (SignIn::isWelcomePage(m_pane.documentUrl(), m_welcomeFile()) &&
        recordedServiceUrl(m_settings).isEmpty()) {
        if (const auto service = SignIn::serviceAddress(m_pane.knownFieldValue(loginForm, loginService))) {
            m_settings.set(Keys::ServiceUrl, *service);
            emit serviceRecorded(*service);
        }
    }
    const auto writes = SignIn::captureOnLeave(m_pane.documentUrl(), m_welcomeFile(), m_autoLogTicked(),
                                               m_pane.knownFieldValue(loginForm, loginEmail),
                                               m_pane.knownFieldValue(loginForm, loginPassword));
    for (const auto &write : writes) {
        if (qstrcmp(write.key.key, Keys::Pw.key) == 0)
            m_passwords.store(write.value);
        else
            m_settings.set(write.key, write.value);
    }
}

void SignInController::welcomePageLoaded() {
    using namespace PageModel;
    const QString address = m_pane.locationUrl();
    if (!SignIn::isWelcomePage(address, m_welcomeFile()))
        return;
    // The welcome page asks for the service's address and posts there until one is recorded.
    const QString service = recordedServiceUrl(m_settings);
    if (!service.isEmpty()) {
        m_pane.setElementHtml(serviceQuestion, QString());
        m_pane.setFormAction(loginForm, service + signInPath);
    }
    if (m_passwords.reading())
        m_awaitingPassword = QDeadlineTimer(keyringWaitMs);
    else
        signInWithStoredPassword();
}

void SignInController::signInWithStoredPassword() {
    using namespace PageModel;
    const QString welcomeFile = m_welcomeFile();
    const auto credentials = SignIn::automaticSignIn(m_pane.locationUrl(), welcomeFile, m_autoLogTicked(),
                                                     m_settings.get(Keys::Email), m_passwords.password());
    if (!credentials)
        return;
    // One step inside the page, which checks first that it still is the welcome page: a page
    // that has replaced it meanwhile gets nothing.
    m_pane.fillAndSubmitOn(QDir::cleanPath(welcomeFile), loginForm,
                           {{loginEmail, credentials->email}, {loginPassword, credentials->password}});
}
