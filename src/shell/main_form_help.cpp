// The Help menu, F1 on each tab and the about box.
#include "base/settings.h"
#include "shell/address_book_pane.h"
#include "shell/dialog_about.h"
#include "shell/help_launcher.h"
#include "shell/help_window.h"
#include "shell/main_form.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "webpages/sign_in_controller.h"

#include <QApplication>
#include <QFrame>
#include <QMenuBar>
#include <QShortcut>

void MainForm::createHelpMenu() {
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Contents"), this, [this] {
        HelpWindow::showTopic(*this, m_startup.mainDir, HelpLauncher::Topic::Contents);
    });
    // F1 explains what is in front of the user: the address books or the editor when they have the
    // focus, else the tab on show.
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        const QWidget *focus = QApplication::focusWidget();
        HelpLauncher::Topic topic = HelpLauncher::topicForTab(m_tabs->selected());
        if (focus && m_addressPane->isAncestorOf(focus))
            topic = HelpLauncher::Topic::AddressBooks;
        else if (focus && m_editorPanel->isAncestorOf(focus))
            topic = HelpLauncher::Topic::Editor;
        HelpWindow::showTopic(*this, m_startup.mainDir, topic);
    });
    help->addSeparator();
    QAction *about = help->addAction(QStringLiteral("&About Corvalis"), this, &MainForm::showAbout);
    about->setObjectName(QStringLiteral("mnuAbout"));
    about->setMenuRole(QAction::AboutRole);
    help->addAction(QStringLiteral("About &Qt"), qApp, &QApplication::aboutQt)
        ->setMenuRole(QAction::AboutQtRole);

    connect(m_settingsPanel, &SettingsPanel::defaultMailProgramHelpRequested, this, [this] {
        HelpWindow::showTopic(*this, m_startup.mainDir, HelpLauncher::Topic::DefaultMailProgram);
    });
}

void MainForm::showAbout() {
    AboutFacts facts = DialogAbout::currentFacts(m_settings.filePath(), m_startup.mainDir);
    facts.keyring = m_signIn->passwords().keyringAnswer();
    DialogAbout dialog(facts, this);
    dialog.exec();
}
