#pragma once

#include "spelling/spell_check_run.h"
#include "spelling/spell_engine.h"

#include <QObject>

#include <functional>
#include <future>
#include <optional>

class Messages;
class UnderlineDictionary;
class Settings;
class QWidget;

// The program's one spell checker: the engine, the paths of the main and custom dictionaries it
// loads (`main_spell_dic`, `custom_spell_dic`), and the way each check asks the user.
class SpellChecker : public QObject {
    Q_OBJECT
public:
    struct Paths {
        QString mainDir;
        QString mainDictionary;
        QString customDictionary;
    };
    // `startupPaths` gives the paths start-up has read; asked when they are first needed.
    SpellChecker(Settings &settings, Messages &messages, std::function<Paths()> startupPaths,
                 QObject *parent);

    SpellEngine &engine() { return m_engine; }
    Messages &messages() { return m_messages; }
    QString mainDir() { return paths().mainDir; }
    QString mainDictionary() { return paths().mainDictionary; }
    QString customDictionary() { return paths().customDictionary; }

    // Takes new dictionary paths: stores them and unloads what is loaded, so that the next check
    // loads the new ones.
    void setDictionaries(const QString &mainDictionary, const QString &customDictionary);
    // Start-up: the main dictionary is read on a worker thread, so that neither start-up nor the
    // first check waits for it (the underlining has its own, applyUnderline()).
    void preload();
    // Loads the dictionaries that are not loaded yet, reporting what fails; true when a main
    // dictionary is there to check with.
    bool loadDictionaries();

    // Underlining as the user types, in the main dictionary's language; stored in the settings.
    bool underlines() const;
    void setUnderline(bool on);
    // Hands the switch and the language to the pages' spell checker.
    void applyUnderline();
    // What the right-click menu offers for an underlined word: nothing for a word in the custom
    // dictionary or ignored this session; Add and Ignore otherwise.
    bool menuSkips(const QString &word);
    // The suggestions for an underlined word, ranked as the dialog's; the page's own while no
    // main dictionary is loaded.
    QStringList suggestionsFor(const QString &word, const QStringList &pageSuggestions);
    // Both reach the underlining, which takes the word in a moment later (UnderlineDictionary).
    void addWord(const QString &word);
    void ignoreWord(const QString &word);

    // Checks `text` in `target`, asking about each word with the decision dialog over `parent`.
    SpellCheckRun::Outcome check(const QString &text, const SpellCheckRun::Target &target, QWidget *parent);
    // Tests answer instead of the user.
    void setAsk(SpellCheckRun::Ask ask) { m_ask = std::move(ask); }

private:
    Paths &paths();
    void loadCustomDictionary();
    void underlineWith(const QString &dictionary);

    Settings &m_settings;
    Messages &m_messages;
    std::function<Paths()> m_startupPaths;
    std::optional<Paths> m_paths;
    std::future<SpellEngine::PreparedDictionary> m_preloaded;
    SpellEngine m_engine;
    SpellCheckRun::Ask m_ask;
    QSet<QString> m_ignored;
    UnderlineDictionary *m_underlineDictionary;
};
