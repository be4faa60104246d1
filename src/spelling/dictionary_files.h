#pragma once

#include <QString>
#include <QStringList>

// The files behind the spell checker. A main dictionary file (".vtd") in the main directory is a
// few "key=value" lines naming the installed hunspell dictionary to load and the package that
// brings it, and, where there is one, a list of the language's common words ("common words",
// a word list in /usr/share/dict) that orders the suggestions. A custom dictionary is a plain word list, one
// word a line.
namespace DictionaryFiles {

struct MainDictionary {
    bool ok = false;
    QString error;           // for the user, when not ok
    QString affixPath;       // the dictionary's ".aff" file; its ".dic" lies beside it
    QString name;            // the dictionary named ("en_US"), also when it is not installed
    QString commonWordsPath; // empty when none is named or it is not installed
};

// Reads a main dictionary file and finds the dictionary it names: beside the file first, then in
// the system's dictionary folders ($DICPATH, /usr/share/hunspell and the others).
MainDictionary locateMain(const QString &mainFilePath);

// The letters of the dictionary's TRY line (see SuggestionRanking::tryLetters); empty when the
// affix file cannot be read.
QString tryLetters(const QString &affixPath);

struct WordList {
    bool ok = false;
    QString error;
    QStringList words;
};

// A missing file is an empty list: it is created by the first added word.
WordList readWordList(const QString &path);

// Adds `word` as the list's last line; an empty result means it was written.
QString appendWord(const QString &path, const QString &word);

} // namespace DictionaryFiles
