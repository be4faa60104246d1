#pragma once

#include <QString>

#include <span>

// The languages of the main dictionary, in the order the options dialog lists them.
namespace SpellLanguages {

struct Language {
    const char *listText;       // as the options dialog shows it
    const char *fileName;       // the main dictionary file in the main directory
    const char *recognisedWord; // found in a stored path's file name; none for the default
};

std::span<const Language> all();

// The language a stored main dictionary path names: the last language whose word occurs in the
// file name, in any letter case; U.S. English (0) when none does.
int indexForPath(const QString &mainDictionaryPath);

// The main dictionary of a language in `mainDir`, with one separator between folder and file.
QString mainDictionaryPath(const QString &mainDir, int index);
// Any file of the main directory, the same way.
QString fileInMainDir(const QString &mainDir, QLatin1StringView fileName);

// The custom word list laid out at first use, so that words can be added from the first day.
inline constexpr QLatin1StringView defaultCustomDictionary("mywords.txt");

} // namespace SpellLanguages
