#include "spelling/spell_checker.h"

#include "shell/messages.h"
#include "shell/settings.h"
#include "spelling/spell_decision_dialog.h"

SpellChecker::SpellChecker(Context context, QObject *parent)
    : QObject(parent)
    , m_context(std::move(context)) {
    setObjectName(QStringLiteral("VSSpell1"));
}

void SpellChecker::setDictionaries(const QString &mainDictionary, const QString &customDictionary) {
    m_context.mainDictionary = mainDictionary;
    m_context.customDictionary = customDictionary;
    while (m_engine.mainDictionaryCount() > 0)
        m_engine.unloadMainDictionary();
    while (m_engine.customDictionaryCount() > 0)
        m_engine.unloadCustomDictionary();
    m_context.settings.set(Keys::MainDictionary, mainDictionary);
    m_context.settings.set(Keys::CustomDictionary, customDictionary);
}

bool SpellChecker::loadDictionaries() {
    if (m_engine.mainDictionaryCount() == 0) {
        const auto loaded = m_engine.loadMainDictionary(m_context.mainDictionary);
        if (!loaded.ok)
            m_context.messages.inform(loaded.error);
    }
    // Without a custom dictionary chosen, words cannot be added; nothing else is missing.
    if (m_engine.customDictionaryCount() == 0 && !m_context.customDictionary.isEmpty()) {
        const auto loaded = m_engine.loadCustomDictionary(m_context.customDictionary);
        if (!loaded.ok)
            m_context.messages.inform(loaded.error);
    }
    return m_engine.mainDictionaryCount() > 0;
}

SpellCheckRun::Outcome SpellChecker::check(const QString &text, const SpellCheckRun::Target &target,
                                           QWidget *parent) {
    return SpellCheckRun::run(m_engine, text, target, m_ask ? m_ask : SpellDecisionDialog::modalAsk(parent),
                              m_context.messages);
}
