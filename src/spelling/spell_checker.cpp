#include "spelling/spell_checker.h"

#include "base/messages.h"
#include "base/settings.h"
#include "base/text_file.h"
#include "spelling/dictionary_files.h"
#include "spelling/spell_decision_dialog.h"
#include "spelling/spell_languages.h"
#include "spelling/spell_underline.h"
#include "spelling/underline_dictionary.h"

#include "webpages/web_profile.h"
#include <QFileInfo>

#include <QWebEngineProfile>

SpellChecker::SpellChecker(Settings &settings, Messages &messages, std::function<Paths()> startupPaths,
                           QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_messages(messages)
    , m_startupPaths(std::move(startupPaths))
    , m_underlineDictionary(new UnderlineDictionary(this)) {
    setObjectName(QStringLiteral("VSSpell1"));
    connect(m_underlineDictionary, &UnderlineDictionary::ready, this, &SpellChecker::underlineWith);
}

SpellChecker::Paths &SpellChecker::paths() {
    if (!m_paths) {
        m_paths = m_startupPaths();
        if (m_paths->customDictionary.isEmpty() && !m_paths->mainDir.isEmpty()) {
            // A word list from the first day; a folder that cannot take it is reported by the
            // first word added.
            m_paths->customDictionary =
                SpellLanguages::fileInMainDir(m_paths->mainDir, SpellLanguages::defaultCustomDictionary);
            if (!QFileInfo::exists(m_paths->customDictionary))
                TextFile::writeAtomically(m_paths->customDictionary, {});
            m_settings.set(Keys::CustomDictionary, m_paths->customDictionary);
        }
    }
    return *m_paths;
}

void SpellChecker::setDictionaries(const QString &mainDictionary, const QString &customDictionary) {
    // Drops a dictionary read at start-up (waiting for the read if it is still under way).
    m_preloaded = {};
    paths().mainDictionary = mainDictionary;
    paths().customDictionary = customDictionary;
    while (m_engine.mainDictionaryCount() > 0)
        m_engine.unloadMainDictionary();
    while (m_engine.customDictionaryCount() > 0)
        m_engine.unloadCustomDictionary();
    m_settings.set(Keys::MainDictionary, mainDictionary);
    m_settings.set(Keys::CustomDictionary, customDictionary);
    applyUnderline();
}

bool SpellChecker::underlines() const {
    return m_settings.get(Keys::SpellUnderline) != QLatin1String("0");
}

void SpellChecker::setUnderline(bool on) {
    m_settings.set(Keys::SpellUnderline, on ? QStringLiteral("1") : QStringLiteral("0"));
    applyUnderline();
}

void SpellChecker::applyUnderline() {
    if (!underlines()) {
        underlineWith({});
        return;
    }
    const auto main = DictionaryFiles::locateMain(paths().mainDictionary);
    // The list is read, not loaded: the dialog's check loads its dictionaries when it starts.
    QStringList words = m_engine.customDictionaryCount() > 0
                            ? m_engine.customWords()
                            : DictionaryFiles::readWordList(paths().customDictionary).words;
    words += QStringList(m_ignored.begin(), m_ignored.end());
    underlineWith(m_underlineDictionary->use(main.name, main.affixPath, words));
}

void SpellChecker::underlineWith(const QString &dictionary) {
    SpellUnderline::apply(WebProfile::shared(), underlines(), dictionary);
}

void SpellChecker::loadCustomDictionary() {
    if (m_engine.customDictionaryCount() == 0 && !paths().customDictionary.isEmpty())
        m_engine.loadCustomDictionary(paths().customDictionary);
}

bool SpellChecker::menuSkips(const QString &word) {
    if (m_ignored.contains(word))
        return true;
    // Only the custom list is asked: the main dictionary is the underlining's own.
    loadCustomDictionary();
    return m_engine.isKnownToCustom(word);
}

QStringList SpellChecker::suggestionsFor(const QString &word, const QStringList &pageSuggestions) {
    // Loaded as a check loads it, but quietly: a dictionary that fails is reported by the check.
    if (m_engine.mainDictionaryCount() == 0)
        m_engine.adoptMainDictionary(m_preloaded.valid()
                                         ? m_preloaded.get()
                                         : SpellEngine::prepareMainDictionary(paths().mainDictionary));
    return m_engine.mainDictionaryCount() > 0 ? m_engine.suggestionsFor(word) : pageSuggestions;
}

void SpellChecker::addWord(const QString &word) {
    loadCustomDictionary();
    const QString error = m_engine.addToCustom(word);
    if (!error.isEmpty())
        m_messages.inform(error);
    applyUnderline();
}

void SpellChecker::ignoreWord(const QString &word) {
    m_ignored.insert(word);
    applyUnderline();
}

void SpellChecker::preload() {
    m_preloaded = std::async(std::launch::async, &SpellEngine::prepareMainDictionary, paths().mainDictionary);
}

bool SpellChecker::loadDictionaries() {
    if (m_engine.mainDictionaryCount() == 0) {
        const auto loaded = m_engine.adoptMainDictionary(
            m_preloaded.valid() ? m_preloaded.get()
                                : SpellEngine::prepareMainDictionary(paths().mainDictionary));
        if (!loaded.ok)
            m_messages.inform(loaded.error);
    }
    // Without a custom dictionary chosen, words cannot be added; nothing else is missing.
    if (m_engine.customDictionaryCount() == 0 && !paths().customDictionary.isEmpty()) {
        const auto loaded = m_engine.loadCustomDictionary(paths().customDictionary);
        if (!loaded.ok)
            m_messages.inform(loaded.error);
    }
    return m_engine.mainDictionaryCount() > 0;
}

SpellCheckRun::Outcome SpellChecker::check(const QString &text, const SpellCheckRun::Target &target,
                                           QWidget *parent) {
    return SpellCheckRun::run(m_engine, text, target, m_ask ? m_ask : SpellDecisionDialog::modalAsk(parent),
                              m_messages);
}
