#pragma once

#include <QString>

class QWebEngineProfile;

// Misspelt words underlined as they are typed in the pages' text fields and the editor, by the
// web engine's own spell checker over the dictionaries the build converts from Debian's.
namespace SpellUnderline {

// The converted dictionaries as an install (and the build tree) lays them out beside this
// program: "<prefix>/share/corvalis-dictionaries" beside "<prefix>/bin".
QString shippedDictionaries();
// The user's folder of dictionaries for the web engine: links to the shipped ones and the copies
// with the user's words (UnderlineDictionary).
QString userDictionaries();

// Has the web engine read its dictionaries from `folder`; in effect only before the web engine
// starts, so it is done for the user's folder as the program loads. A folder the user chose in
// QTWEBENGINE_DICTIONARIES_PATH is kept.
void useDictionaries(const QString &folder);

// Turns the underlining on or off for `profile`, checking in the dictionary `name` (the stem
// of the hunspell files, "en_US", or of a copy with the user's words, "en_US-3f2a91c0").
void apply(QWebEngineProfile &profile, bool on, const QString &name);

} // namespace SpellUnderline
