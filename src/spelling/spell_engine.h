#pragma once

#include "spelling/suggestion_ranking.h"
#include "spelling/word_splitter.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <nuspell/dictionary.hxx>

#include <memory>
#include <vector>

// The spell checker: main dictionaries (hunspell dictionaries read by nuspell) and custom word
// lists, and one check at a time over a text, a word at a time. A check step's result code is
// below 0 while a word waits for a decision, Cancelled after the user cancelled, and 1 or more
// when the text is done. Offsets count the UTF-16 characters of the checked text, which takes in
// every replacement as it is decided.
class SpellEngine {
public:
    enum Code : int {
        Cancelled = -3,
        // A word the user chose to change everywhere: replace() says with what, no question asked.
        ChangePending = -2,
        WordPending = -1,
        Done = 1,
    };
    enum class Decision { Change, ChangeAll, Ignore, IgnoreAll, Add, Cancel };

    struct LoadResult {
        bool ok = false;
        QString error;
    };

    SpellEngine();
    ~SpellEngine();

    // A main dictionary read from its files but not yet in use. Reading touches no engine, so it may
    // run on another thread while the engine is in use.
    struct PreparedDictionary {
        LoadResult result;
        std::unique_ptr<nuspell::Dictionary> dictionary;
        SuggestionRanking::Language language;
    };
    static PreparedDictionary prepareMainDictionary(const QString &mainFilePath);
    LoadResult adoptMainDictionary(PreparedDictionary prepared);

    int mainDictionaryCount() const { return int(m_mains.size()); }
    int customDictionaryCount() const { return int(m_customs.size()); }
    LoadResult loadMainDictionary(const QString &mainFilePath);
    // A missing file loads as an empty list, created when the first word is added.
    LoadResult loadCustomDictionary(const QString &path);
    void unloadMainDictionary();
    void unloadCustomDictionary();
    // The custom dictionary that "Add" writes to; empty when none is loaded.
    QString customDictionaryPath() const;
    // The words of all loaded custom dictionaries.
    QStringList customWords() const;

    // Starts a check of `text`; words ignored or changed "all" in an earlier check are asked again.
    int check(const QString &text);
    int resultCode() const { return m_code; }
    QString misspelledWord() const { return m_word; }
    qsizetype wordOffset() const { return m_offset; }
    // The pending word's suggestions, best first; worked out once per word.
    QStringList suggestions();
    // The same for any word (the right-click menu's underlined one); none without a main dictionary.
    QStringList suggestionsFor(const QString &word);

    // Settles the pending word and moves on; returns the next result code. After Change or
    // ChangeAll, replaced() holds and replacement() is the new text of the word just settled.
    int decide(Decision decision, const QString &replacement = {});
    bool replaced() const { return m_replaced; }
    QString replacement() const { return m_replacement; }
    // Why the last Add did not reach the custom dictionary (the word is ignored all the same).
    QString addError() const { return m_addError; }
    QString text() const { return m_text; }

    bool isKnown(QStringView word) const;
    bool isKnownToCustom(QStringView word) const;
    // Adds `word` to the custom dictionary; gives why it could not be, or nothing.
    QString addToCustom(const QString &word);

private:
    struct CustomList {
        QString path;
        QSet<QString> words;
    };
    int advance(qsizetype from);
    // Whether the check stops at `span`, setting the pending word and code when it does.
    bool stopsAt(const WordSpan &span);
    bool isKnownAt(const WordSpan &span) const;

    struct Main {
        std::unique_ptr<nuspell::Dictionary> dictionary;
        SuggestionRanking::Language language;
    };
    std::vector<Main> m_mains;
    std::vector<CustomList> m_customs;
    QHash<QString, QStringList> m_suggestionCache;

    QString m_text;
    QSet<QString> m_ignoreAll;
    QHash<QString, QString> m_changeAll;
    int m_code = Done;
    QString m_word;
    qsizetype m_offset = 0;
    bool m_replaced = false;
    QString m_replacement;
    QString m_addError;
};
