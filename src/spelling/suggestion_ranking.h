#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// The order in which the suggestions for a misspelt word are offered, likeliest first. Most
// misspellings are one slip away from the word meant: two letters swapped, a letter missing, one
// too many (a doubled letter most of all) or one wrong, or only the case; and the first letter is
// rarely the one that is wrong. Such words come first, common words before rare ones; then the
// rest in the engine's order. Suggestions keep the case the word was typed in ("Teh": "The").
namespace SuggestionRanking {

// What the ranking knows of a language besides its dictionary.
struct Language {
    QString letters;      // letters a slip may have dropped or replaced (the dictionary's TRY letters)
    QSet<QString> common; // the language's common words; may be empty
};

using IsKnown = std::function<bool(const QString &word)>;

// `engineSuggestions` in the engine's order, re-ranked, with the words one slip away from `word`
// that the engine left out added when they are common words the dictionary knows (common words
// only, as the dictionary's words never to be suggested are not common ones).
QStringList rank(const QString &word, const QStringList &engineSuggestions, const Language &language,
                 const IsKnown &isKnown);

// The letters of a hunspell affix file's TRY line, lower-cased, each once; "'" is kept.
QString tryLetters(QStringView affixText);

} // namespace SuggestionRanking
