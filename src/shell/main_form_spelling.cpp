// The spell checker's part of the main window: the editor's check on its toolbar, the answer
// field's check on the browser toolbar and the spelling options on the Settings tab.
#include "shell/main_form.h"

#include "base/settings.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "shell/navigation_bar.h"
#include "shell/settings_panel.h"
#include "shell/tab_navigator.h"
#include "spelling/answer_body_dialog.h"
#include "spelling/editor_spell_check.h"
#include "spelling/form_spell_options.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_menu.h"
#include "webpages/service_origin.h"
#include "webpages/sign_in.h"

#include <QCheckBox>
#include <QFrame>
#include <QTabBar>

void MainForm::createSpelling() {
    // The dictionary paths are read by start-up, which runs later; loading a dictionary waits for
    // the first check.
    auto *checker = new SpellChecker(
        m_settings, m_messages,
        [this] {
            return SpellChecker::Paths{m_startup.mainDir, m_startup.mainDictionary,
                                       m_startup.customDictionary};
        },
        this);
    new SpellMenu(*checker, checker);
    // The web pane the selected tab shows: the compose pane on the Compose tab, else the main pane.
    const auto shownPane = [this]() -> WebPane & {
        return m_tabs->selected() == TabNavigator::Compose ? webBrowser(3) : webBrowser(1);
    };
    m_editor->setFeatureAvailable(EditorPanel::Feature::Spell, true);
    connect(m_editor, &EditorPanel::spellRequested, this,
            [this, checker] { SpellCheckEditor(*checker, webBrowser(1), m_editor->surface(), this); });
    // While the editor is shown (over a blog page) the browser's button checks the editor's text;
    // elsewhere the answer field's, or it says why it cannot. On a service whose compose body stands
    // for an answer field, that body is one too, in the pane the tab shows.
    connect(m_navigation, &NavigationBar::spellRequested, this, [this, checker, shownPane] {
        if (m_editorPanel->isVisible()) {
            SpellCheckEditor(*checker, webBrowser(1), m_editor->surface(), this);
            return;
        }
        std::vector<AnswerBodyDialog::Field> fields{AnswerBodyDialog::answerField(webBrowser(1))};
        const WebService &service = serviceOrigin().service(webBrowser(1).locationUrl());
        if (service.answersInComposeBody())
            fields.push_back(AnswerBodyDialog::composeBody(shownPane(), service));
        AnswerBodyDialog::open(*checker, fields, this);
    });
    // There the button is on while the pane the tab shows holds the compose page, as on the answer page.
    const auto followComposeBody = [this, shownPane] {
        const WebService &service = serviceOrigin().service(webBrowser(1).locationUrl());
        if (!service.answersInComposeBody())
            return;
        const bool answerPage =
            SignIn::isAnswerPage(webBrowser(1).locationUrl(), m_settings.get(Keys::ServiceUrl));
        m_navigation->action(QStringLiteral("spell"))
            ->setEnabled(answerPage || service.composeValue(shownPane(), WebService::ComposeField::Body));
    };
    connect(&webBrowser(1), &WebPane::documentCompleted, this, followComposeBody);
    connect(&webBrowser(3), &WebPane::documentCompleted, this, followComposeBody);
    connect(m_tabBar, &QTabBar::currentChanged, this, followComposeBody);
    if (auto *visual = findChild<QCheckBox *>(QStringLiteral("CheckNormal")))
        connect(visual, &QCheckBox::toggled, this, [this](bool shown) {
            if (shown)
                m_navigation->action(QStringLiteral("spell"))->setEnabled(true);
        });
    connect(m_settingsPanel, &SettingsPanel::spellOptionsRequested, this, [this, checker] {
        FormSpellOptions dialog(*checker, this);
        dialog.exec();
    });
}
