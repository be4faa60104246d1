#pragma once

#include "base/messages.h"
#include "base/settings.h"
#include "shell/main_form.h"
#include "support/sim_process.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class SingleInstance;
class WebPane;

// A main window on a fresh main directory (made from data/), with its settings file and a
// running webmail-sim, for tests that drive the real panes. Messages are recorded.
class MainFormHarness {
public:
    // `extraIni` is appended to the settings file before the window is built.
    explicit MainFormHarness(const QByteArray &extraIni = {});
    ~MainFormHarness();

    // Builds the window and runs its start-up, listening for later starts and launchers as the
    // program does; waits for the welcome page.
    bool start();
    // Holds the one-program lock of the settings file without listening yet, as a program that
    // is still starting does; start() listens.
    void holdInstance();
    MainForm &form() { return *m_form; }
    Settings &settings() { return *m_settings; }
    RecordingMessages &messages() { return m_messages; }
    SimProcess &sim() { return m_sim; }
    // The button `key` of the toolbar named `toolbar` (several toolbars have an "open" or "spell").
    QAction *toolAction(const QString &toolbar, const QString &key);
    QString mainDir() const { return m_dir.path() + QLatin1Char('/'); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("corvalis.ini")); }
    // Opens the address book at `path` in the window, as its Open does once a file is chosen.
    void openBook(const QString &path);

    // Shows the provider's inbox in the main pane, then the Compose tab with its compose page.
    bool openCompose(const QString &provider);
    // Navigates a pane and waits until it has loaded the page.
    bool load(WebPane &pane, const QString &address);
    // Waits until the pane has finished loading a page whose address contains `part`.
    static bool waitForPage(WebPane &pane, const QString &part, int timeoutMs = 15000);
    // Waits until `condition` holds, letting events run.
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 15000);
    // Runs a script in the page's own world (as the page's user would act) and returns its result.
    static QVariant runPageScript(WebPane &pane, const QString &script);

private:
    QTemporaryDir m_dir;
    SimProcess m_sim;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<SingleInstance> m_instance;
    RecordingMessages m_messages;
    std::unique_ptr<MainForm> m_form;
};
