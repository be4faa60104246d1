// Start-up and shutdown of the main window. Each step stands on its own: a step that cannot
// be done (a missing file, a value the window refuses) is skipped and the next one runs.
#include "shell/main_form.h"

#include "base/messages.h"
#include "base/regular_file.h"
#include "base/settings.h"
#include "base/startup_profile.h"
#include "base/twips.h"
#include "editor/editor_panel.h"
#include "shell/address_book_pane.h"
#include "shell/close_request.h"
#include "shell/dialog_pos_editor.h"
#include "shell/splash_form.h"
#include "shell/tab_navigator.h"
#include "spelling/spell_checker.h"
#include "webpages/web_pane.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QFrame>
#include <QProcess>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int dictionaryPreloadDelayMs = 2000;

QRect toTwips(const QRect &pixels) {
    return {Twips::fromPixels(pixels.x()), Twips::fromPixels(pixels.y()), Twips::fromPixels(pixels.width()),
            Twips::fromPixels(pixels.height())};
}

} // namespace

void MainForm::Form_Load() {
    const double dpi = Twips::screenDpi();
    m_startup = readStartupValues(m_settings, dpi);
    m_addressPane->hidePane();
    auto *checker = findChild<SpellChecker *>(QStringLiteral("VSSpell1"));
    // Words are underlined from the first page on: the web engine reads its own dictionary apart.
    checker->applyUnderline();
    // The checks' dictionary is read in the background a while after the welcome page is there, so
    // that it competes neither with the page for the processor nor with a close right after start-up
    // (which would wait for the reading to end). A check made meanwhile has read it already.
    connect(
        m_panes[0], &WebPane::documentCompleted, this,
        [this, checker] {
            QTimer::singleShot(dictionaryPreloadDelayMs, this, [checker] {
                if (checker->engine().mainDictionaryCount() == 0)
                    checker->preload();
            });
        },
        Qt::SingleShotConnection);

    if (m_options.showSplash) {
        // Not exec(): a close (a signal) that comes while the picture is being shown, before a
        // dialog's own wait has begun, would leave that wait to its full time; this one is
        // skipped then, start-up going on to the shutdown the close asked for.
        SplashForm splash(this);
        QEventLoop shown;
        connect(&splash, &QDialog::finished, &shown, &QEventLoop::quit);
        splash.setModal(true);
        splash.show();
        if (!m_closeHeld && splash.isVisible())
            shown.exec();
    }
    m_pageState = PageState{};
    m_checkAutoLog->setChecked(m_startup.autoLogTicked);
    if (StartupProfile::enabled()) {
        connect(
            m_panes[0], &WebPane::documentCompleted, this,
            [] { StartupProfile::mark("welcome page loaded"); }, Qt::SingleShotConnection);
    }
    if (m_options.quitAfterStart) {
        // Automation: close through the normal shutdown once the welcome page is there; a
        // welcome page that could not be loaded makes the exit status 1.
        connect(
            m_panes[0], &WebPane::documentCompleted, this,
            [this](bool loaded) {
                QTimer::singleShot(0, this, [this, loaded] {
                    close();
                    if (!loaded)
                        QCoreApplication::exit(1);
                });
            },
            Qt::SingleShotConnection);
    }
    // A welcome page loaded while the splash showed came before the stored switches were
    // applied; loading it once more lets the automatic sign-in see them.
    if (m_options.showSplash)
        m_panes[0]->navigate(welcomePagePath(m_startup.mainDir));
    applyPlacement();
    StartupProfile::mark("placement");
    reopenAddressBook();
    StartupProfile::mark("address book reopened");
    m_tabs->select(TabNavigator::InboxLogin);
    placeEditorPanel();
    m_editor->setReady(true);

    // The settings file was refused (read as defaults, never written): the user is told why.
    if (RegularFile::isSpecial(m_settings.filePath()))
        m_messages.inform(RegularFile::refusal(m_settings.filePath()));
    m_loaded = true;
    // A close that came while start-up ran waited for it; it is carried out now.
    if (m_closeHeld)
        QTimer::singleShot(0, this, &QWidget::close);
}

void MainForm::applyPlacement() {
    if (m_startup.maximized) {
        showMaximized();
        return;
    }
    if (const auto twips = m_startup.placementTwips) {
        const QRect pixels(Twips::toPixels(twips->x()), Twips::toPixels(twips->y()),
                           Twips::toPixels(twips->width()), Twips::toPixels(twips->height()));
        // The inside of the window is placed, as it was kept: its frame is not known before the
        // window manager has framed it, so a frame corner would put it a title bar's height off.
        setGeometry(
            QRect(pixels.topLeft(), pixels.width() > 0 && pixels.height() > 0 ? pixels.size() : size()));
    }
    show();
}

void MainForm::placeEditorPanel() {
    // The editor lies over the main pane, never over the rows of switches above it.
    const QRect main = m_panes[0]->geometry();
    const int top = std::max(main.y(), Twips::toPixels(m_startup.edTop));
    const int height = std::min(Twips::toPixels(m_startup.edHt), main.bottom() + 1 - top);
    m_editorPanel->setGeometry(main.x(), top, main.width(), std::max(height, 1));
    m_editorOverPost = false;
}

void MainForm::showPositionEditorDialog() {
    const EditorPlacement defaults = defaultEditorPlacement(Twips::screenDpi());
    DialogPosEditor dialog({m_startup.autoPosEditor, m_startup.edTop, m_startup.edHt},
                           {true, defaults.top, defaults.height}, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const DialogPosEditor::Placement chosen = dialog.placement();
    m_startup.autoPosEditor = chosen.automatic;
    m_startup.edTop = chosen.top;
    m_startup.edHt = chosen.height;
    placeEditorPanel();
}

void MainForm::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    keepEditorOnMainPane();
}

void MainForm::keepEditorOnMainPane() {
    if (isMinimized())
        return;
    // Over the post, the shown editor follows the field once the page has laid out anew.
    if (m_editorOverPost && m_editorPanel->isVisible())
        QTimer::singleShot(0, this, &MainForm::placeEditorOverPost);
    else if (!m_editorOverPost)
        placeEditorPanel();
}

void MainForm::closeEvent(QCloseEvent *event) {
    if (!m_loaded) {
        // Start-up has not applied the stored switches and placement yet: a shutdown now
        // would write the defaults over them.
        m_closeHeld = true;
        event->ignore();
        return;
    }
    // The user closing the window is asked about a changed document; a close from outside
    // (a logout, a signal) is not, nobody being there to answer.
    if (!CloseRequest::isFromOutside(*this) && !m_editor->askToSaveChanges()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainForm::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    StartupProfile::mark("shutdown");
    ShutdownState state;
    state.autoLogTicked = m_checkAutoLog->isChecked();
    state.autoPosEditor = m_startup.autoPosEditor;
    state.doAffiliate = m_doAffiliate;
    state.affiliateId = m_startup.affiliateId;
    state.affiliateText = m_startup.affiliateText;
    state.edTop = m_startup.edTop;
    state.edHt = m_startup.edHt;
    state.windowState = isMinimized()   ? WindowState::Minimized
                        : isMaximized() ? WindowState::Maximized
                                        : WindowState::Normal;
    // The inside of the window, as start-up places it: it opens exactly where it was closed.
    state.geometryTwips = toTwips(geometry());
    m_settings.set(shutdownWrites(state));
    startCompanion();
}

void MainForm::startCompanion() {
    const QFileInfo companion(dataPath(m_startup.mainDir, QStringLiteral("tidemark2")));
    if (companion.isFile() && companion.isExecutable())
        QProcess::startDetached(companion.absoluteFilePath(), {});
}
