// The spell checker's part of the main window: the editor's check on its toolbar, the answer
// field's check on the browser toolbar and the spelling options on the Settings tab.
#include "shell/main_form.h"

#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "shell/navigation_bar.h"
#include "shell/settings_panel.h"
#include "spelling/answer_body_dialog.h"
#include "spelling/editor_spell_check.h"
#include "spelling/form_spell_options.h"
#include "spelling/spell_checker.h"
#include "spelling/spell_menu.h"

#include <QCheckBox>
#include <QFrame>

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
    m_editor->setFeatureAvailable(EditorPanel::Feature::Spell, true);
    connect(m_editor, &EditorPanel::spellRequested, this,
            [this, checker] { SpellCheckEditor(*checker, webBrowser(1), m_editor->surface(), this); });
    // While the editor is shown (over a blog page) the browser's button checks the editor's text;
    // elsewhere the answer field's, or it says why it cannot.
    connect(m_navigation, &NavigationBar::spellRequested, this, [this, checker] {
        if (m_editorPanel->isVisible())
            SpellCheckEditor(*checker, webBrowser(1), m_editor->surface(), this);
        else
            AnswerBodyDialog::open(*checker, webBrowser(1), this);
    });
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
