// The spell checker's part of the main window: the answer field's check on the browser toolbar
// and the spelling options on the Settings tab.
#include "shell/main_form.h"

#include "shell/navigation_bar.h"
#include "shell/settings_panel.h"
#include "spelling/answer_body_dialog.h"
#include "spelling/form_spell_options.h"
#include "spelling/spell_checker.h"

void MainForm::createSpelling() {
    // Made when first used, after start-up has read the dictionary paths; loading a dictionary
    // waits for the first check.
    auto checker = [this] {
        auto *found = findChild<SpellChecker *>(QStringLiteral("VSSpell1"), Qt::FindDirectChildrenOnly);
        return found ? found
                     : new SpellChecker({m_settings, m_messages, m_startup.mainDir, m_startup.mainDictionary,
                                         m_startup.customDictionary},
                                        this);
    };
    connect(m_navigation, &NavigationBar::spellRequested, this,
            [this, checker] { AnswerBodyDialog::open(*checker(), webBrowser(1), this); });
    connect(m_settingsPanel, &SettingsPanel::spellOptionsRequested, this, [this, checker] {
        FormSpellOptions dialog(*checker(), this);
        dialog.exec();
    });
}
