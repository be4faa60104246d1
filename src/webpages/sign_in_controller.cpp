#include "webpages/sign_in_controller.h"

#include "base/messages.h"
#include "base/settings.h"
#include "webpages/page_model.h"
#include "webpages/service_origin.h"
#include "webpages/sign_in.h"
#include "webpages/web_pane.h"

#include <QDir>
#include <QTimer>
#include <QWebEngineLoadingInfo>

SignInController::SignInController(WebPane &mainPane, Settings &settings, Messages &messages,
                                   std::function<bool()> autoLogTicked, std::function<QString()> welcomeFile,
                                   QObject *parent)
    : QObject(parent)
    , m_pane(mainPane)
    , m_settings(settings)
    , m_messages(messages)
    , m_autoLogTicked(std::move(autoLogTicked))
    , m_welcomeFile(std::move(welcomeFile))
    , m_passwords(settings, this) {
    connect(&m_pane, &WebPane::navigationRequested, this, &SignInController::captureOnLeave);
    // Only a load its server answered brings a page (an HTTP error too: a refused sign-in's 401); one
    // stopped, replaced or without a connection leaves the page as it was, and a sign-in posted so was
    // not refused, and may go again. (The web engine tells how a load ended after it has ended.)
    connect(m_pane.page(), &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo &info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            return;
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
            info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            pageLoaded();
        else if (origin().holds(info.url()))
            m_submitPending = false;
    });
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

QString SignInController::refusedMessage() {
    return QStringLiteral("The web-mail service refused the stored sign-in. The stored password is kept; "
                          "sign in by hand to store the right one.");
}

namespace {

// The address recorded in the settings file; empty while none is (the key's default does not count).
QString recordedServiceUrl(const Settings &settings) {
    return settings.GetIni(QString::fromLatin1(Keys::ServiceUrl.section),
                           QString::fromLatin1(Keys::ServiceUrl.key), QString());
}

} // namespace

ServiceOrigin SignInController::origin() const {
    return ServiceOrigin(m_settings.get(Keys::ServiceUrl), m_settings.get(Keys::Service));
}

std::optional<WebService::OwnLogin> SignInController::ownLogin() const {
    return origin().service(m_settings.get(Keys::ServiceUrl)).ownLogin();
}

void SignInController::captureOnLeave() {
    // The page is being left: its fields are read from what the page last reported, since
    // the document may be gone before a round trip into it would return.
    using namespace PageModel;
    m_awaitingPassword = QDeadlineTimer();
    if (const auto login = ownLogin(); login && onLoginPage(m_pane.documentUrl())) {
        const auto user = m_pane.knownFieldValue(login->form, login->user);
        const auto password = m_pane.knownFieldValue(login->form, login->password);
        if (user && password && !user->isEmpty() && !password->isEmpty())
            m_typed = {*user, *password};
        return;
    }
    // The service's address is asked for once, on the welcome page.
    if (SignIn::isWelcomePage(m_pane.documentUrl(), m_welcomeFile()) &&
        recordedServiceUrl(m_settings).isEmpty()) {
        if (const auto service = SignIn::serviceAddress(m_pane.knownFieldValue(loginForm, loginService))) {
            m_settings.set(Keys::ServiceUrl, *service);
            if (const auto kind =
                    SignIn::serviceKind(m_pane.knownFieldValue(loginForm, SignIn::serviceKindField)))
                m_settings.set(Keys::Service, *kind);
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

void SignInController::pageLoaded() {
    ++m_loads;
    if (SignIn::isWelcomePage(m_pane.locationUrl(), m_welcomeFile())) {
        // The program's own page came before the service answered the stored sign-in: not a refusal.
        m_submitPending = false;
        welcomePageLoaded();
    } else if (origin().holds(m_pane.locationUrl())) {
        servicePageLoaded();
    }
}

void SignInController::welcomePageLoaded() {
    using namespace PageModel;
    // The welcome page asks for the service's address and posts there until one is recorded.
    const QString service = recordedServiceUrl(m_settings);
    if (!service.isEmpty()) {
        // A service with a login page of its own signs in there (its page holds the session it needs).
        if (ownLogin()) {
            m_pane.navigate(service);
            return;
        }
        m_pane.setElementHtml(serviceQuestion, QString());
        m_pane.setFormAction(loginForm, service + signInPath);
    }
    if (m_passwords.reading())
        m_awaitingPassword = QDeadlineTimer(keyringWaitMs);
    else
        signInWithStoredPassword();
}

void SignInController::servicePageLoaded() {
    const QString address = m_pane.locationUrl();
    // A service not known yet shows what it is on its login page.
    if (m_settings.get(Keys::Service).isEmpty() && onLoginPage(address)) {
        if (const auto service = WebServices::recognise(m_pane))
            m_settings.set(Keys::Service, *service);
    }
    const auto login = ownLogin();
    if (!login)
        return;
    // The form may be built after the page has loaded (a page handed over to): looked for again.
    if (onLoginPage(address)) {
        for (const int ms : loginLookAgainMs)
            QTimer::singleShot(ms, this, [this, load = m_loads] {
                if (load == m_loads)
                    signInOnLoginPage();
            });
    }
    // A page of a signed-in session names its task (the login page's is "login" or none).
    if (origin().service(address).composeAddress(address)) {
        // Past the login page: the service took the sign-in typed there.
        m_submitPending = false;
        if (const auto typed = std::exchange(m_typed, std::nullopt); typed && m_autoLogTicked()) {
            m_refused = false;
            if (typed->first != m_settings.get(Keys::Email) || typed->second != m_passwords.password()) {
                m_settings.set(Keys::Email, typed->first);
                m_passwords.store(typed->second);
                m_settings.set(Keys::AutoLogin, QStringLiteral("1"));
            }
        }
        return;
    }
    if (!onLoginPage(address))
        return;
    m_typed.reset();
    // Back on the login page after the stored sign-in went: the service refused it.
    if (std::exchange(m_submitPending, false) && m_submittedOnLoad < m_loads && !m_refused) {
        m_refused = true;
        m_messages.inform(refusedMessage());
        return;
    }
    if (m_passwords.reading()) {
        m_awaitingPassword = QDeadlineTimer(keyringWaitMs);
        return;
    }
    signInOnLoginPage();
}

QString SignInController::loginPath() const {
    const QString path = QUrl(m_settings.get(Keys::ServiceUrl)).path(QUrl::FullyEncoded);
    return path.isEmpty() ? QStringLiteral("/") : path;
}

bool SignInController::onLoginPage(const QString &address) const {
    const QUrl page(address);
    return origin().holds(page) && page.path(QUrl::FullyEncoded) == loginPath();
}

void SignInController::signInOnLoginPage() {
    const auto login = ownLogin();
    const QString email = m_settings.get(Keys::Email);
    const QString password = m_passwords.password();
    if (!login || !m_autoLogTicked() || m_refused || m_submitPending || m_submittedOnLoad == m_loads ||
        email.isEmpty() || password.isEmpty())
        return;
    // Checked inside the page as it is filled: only the service's own login page gets the sign-in.
    if (m_pane.fillAndSubmitOn(origin().text(), loginPath(), login->form,
                               {{login->user, email}, {login->password, password}}))
        m_submittedOnLoad = m_loads, m_submitPending = true;
}

void SignInController::signInWithStoredPassword() {
    using namespace PageModel;
    if (ownLogin()) {
        signInOnLoginPage();
        return;
    }
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
