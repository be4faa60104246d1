#include "main_form_harness.h"

#include "addressbook/address_book_controller.h"
#include "app/single_instance.h"
#include "base/main_dir_install.h"
#include "shell/tab_navigator.h"
#include "support/page_script.h"
#include "webpages/web_pane.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

MainFormHarness::MainFormHarness(const QByteArray &extraIni) {
    MainDirInstall::install(QStringLiteral(CORVALIS_SOURCE_DIR "/data"), m_dir.path());
    QFile ini(iniPath());
    if (ini.open(QIODevice::WriteOnly)) {
        ini.write("[Locations]\r\nmain dir=" + mainDir().toUtf8() +
                  "\r\nservice url=" + m_sim.baseUrl().toUtf8() + "\r\n" + extraIni);
    }
    ini.close();
    m_settings = std::make_unique<Settings>(iniPath());
}

MainFormHarness::~MainFormHarness() = default;

void MainFormHarness::holdInstance() {
    if (!m_instance)
        m_instance = std::make_unique<SingleInstance>(iniPath());
    m_instance->otherRunning();
}

bool MainFormHarness::start() {
    MainForm::Options options;
    options.showSplash = false;
    m_form = std::make_unique<MainForm>(*m_settings, m_messages, options);
    holdInstance();
    m_instance->serve(*m_form);
    m_form->Form_Load();
    return waitForPage(m_form->webBrowser(1), QStringLiteral("welcome.htm"));
}

bool MainFormHarness::waitFor(const std::function<bool()> &condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

bool MainFormHarness::waitForPage(WebPane &pane, const QString &part, int timeoutMs) {
    return waitFor(
        [&] {
            return !pane.busy() && pane.locationUrl().contains(part) &&
                   pane.callBridge(QStringLiteral("bodyText"));
        },
        timeoutMs);
}

bool MainFormHarness::load(WebPane &pane, const QString &address) {
    QSignalSpy completed(&pane, &WebPane::documentCompleted);
    pane.navigate(address);
    return completed.wait(15000) && waitForPage(pane, QUrl(address).path());
}

bool MainFormHarness::openCompose(const QString &provider) {
    if (!load(m_form->webBrowser(1), m_sim.baseUrl() + u'/' + provider + QStringLiteral("/inbox")))
        return false;
    m_form->tabs().select(TabNavigator::Compose);
    return waitForPage(m_form->webBrowser(3), provider + QStringLiteral("/compose"));
}

QVariant MainFormHarness::runPageScript(WebPane &pane, const QString &script) {
    return ::runPageScript(*pane.page(), script);
}

void MainFormHarness::openBook(const QString &path) {
    AddressBook &book = m_form->findChild<AddressBookController *>()->book();
    book.setPendingPath(path);
    book.Open_CSV();
}

QAction *MainFormHarness::toolAction(const QString &toolbar, const QString &key) {
    for (QAction *action : m_form->findChild<QToolBar *>(toolbar)->actions()) {
        if (action->objectName() == key)
            return action;
    }
    return nullptr;
}
