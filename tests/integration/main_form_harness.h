#pragma once

#include "addressbook/address_book_controller.h"
#include "base/messages.h"
#include "base/settings.h"
#include "base/text_file.h"
#include "shell/main_form.h"
#include "shell/tab_navigator.h"
#include "store/saved_message_file.h"
#include "support/sim_process.h"
#include "webpages/page_model.h"
#include "webpages/web_pane.h"

// What the integration tests use throughout, in one place.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

class SingleInstance;

// A main window on a fresh main directory (from data/), its settings file and a running webmail-sim.
class MainFormHarness {
public:
    // `extraIni` is appended to the settings file before the window is built.
    explicit MainFormHarness(const QByteArray &extraIni = {});
    ~MainFormHarness();

    // Builds the window and runs its start-up, listening for later starts and launchers as the
    // program does; waits for the welcome page (or the page it hands over to, named by `firstPage`).
    bool start(const QString &firstPage = QStringLiteral("welcome.htm"));
    // Holds the settings file's one-program lock without listening, as a program still starting does.
    void holdInstance();
    MainForm &form() { return *m_form; }
    Settings &settings() { return *m_settings; }
    RecordingMessages &messages() { return m_messages; }
    SimProcess &sim() { return m_sim; }
    // The button `key` of the toolbar named `toolbar` (several toolbars have an "open" or "spell").
    QAction *toolAction(const QString &toolbar, const QString &key);
    QString mainDir() const { return m_dir.path() + QLatin1Char('/'); }
    QString iniPath() const { return m_dir.filePath(QStringLiteral("corvalis.ini")); }
    // The window's widget (or action) of that object name.
    template<typename T = QWidget> T *child(const char *name) const {
        return m_form->findChild<T *>(QString::fromLatin1(name));
    }
    // Opens the address book at `path` in the window, as its Open does once a file is chosen.
    void openBook(const QString &path);
    // Shows `folder` on the saved-folders tab.
    void browse(const QString &folder);
    // Clicks the message in row `row` of the list shown, as a user picks it.
    void clickMessage(int row);

    // Shows the provider's inbox in the main pane, then the Compose tab with its compose page.
    bool openCompose(const QString &provider);
    // Navigates a pane and waits until it has loaded the page.
    bool load(WebPane &pane, const QString &address);
    // Loads webmail-sim's page at `path` ("/yahoo/inbox") into the main pane.
    bool showPage(const QString &path) { return load(m_form->webBrowser(1), m_sim.baseUrl() + path); }
    // Waits until the pane has finished loading a page whose address contains `part`.
    static bool waitForPage(WebPane &pane, const QString &part, int timeoutMs = 15000);
    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 15000);
    // Runs a script in the page's own world (as the page's user would act) and returns its result.
    static QVariant runPageScript(WebPane &pane, const QString &script);
    // The middle of the page's element `selector`, scrolled into view, in the pane's widget; null without
    // one.
    static QPoint elementCentre(WebPane &pane, const QString &selector);
    // Clicks the middle of the page's element `selector` with the mouse, as the user does.
    static bool clickElement(WebPane &pane, const QString &selector);
    // Clicks the page's field until it has the keyboard (the page may still move it), then types there.
    static bool typeInto(WebPane &pane, const QString &selector, const QString &text);

    // One step of the user's, on the real widgets: a menu path chosen with the mouse ("File>Exit"),
    // keys typed into the focused widget ("#Ctrl+Q"), a tab's caption clicked ("tab:Compose"), a
    // right click on an item view's current item ("right:ComboFolders2") or a click on the widget
    // at an object path ("GetBody", "Toolbar2/open": an action is clicked on its toolbar's button).
    // Says why the step could not be taken (a missing, hidden or disabled control), else nothing.
    QString userStep(const QString &how);
    // Runs `step` and closes each modal window or popup menu it opens, returning their object
    // names (their titles when unnamed). `inside` runs on the first one before it closes; what it
    // opens in turn is noted and closed too.
    static QStringList modalsDuring(const std::function<void()> &step,
                                    const std::function<void(QWidget &)> &inside = {});
    // Runs `step`, and `drive` on the `T` named `name` once shown (a modal one holds `step` until it closes).
    template<typename T>
    void driveDialog(const char *name, const std::function<void()> &step,
                     const std::function<void(T &)> &drive) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (T *shown = child<T>(name); shown && shown->isVisible()) {
                poll.stop();
                drive(*shown);
            }
        });
        poll.start(20);
        step();
    }
    // The files and folders the window handed to the desktop to open (help pages, folders).
    const QStringList &openedFiles() const { return m_opened; }

private:
    QTemporaryDir m_dir;
    SimProcess m_sim;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<SingleInstance> m_instance;
    RecordingMessages m_messages;
    std::unique_ptr<MainForm> m_form;
    QStringList m_opened;
    std::unique_ptr<QObject> m_openedRecorder;
};
