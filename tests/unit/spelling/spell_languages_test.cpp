#include "spelling/spell_languages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SpellLanguages, RecognisesTheLanguageOfAStoredPath) {
    const struct {
        QString path;
        int index;
    } cases[] = {
        {u"/srv/corvalis/FRENCH.VTD"_s, 3},
        {u"C:\\Corvalis\\French.vtd"_s, 3},
        {u"/srv/corvalis/american.vtd"_s, 0},
        {u"/srv/corvalis/klingon.vtd"_s, 0},
        {u""_s, 0},
        // A later language in the list wins; a folder's name is not the dictionary's.
        {u"/srv/dutch-british.vtd"_s, 2},
        {u"/home/german/corvalis/italian.vtd"_s, 5},
        {u"/home/german/corvalis/american.vtd"_s, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(SpellLanguages::indexForPath(c.path), c.index);
    }
}

TEST(SpellLanguages, PutsOneSeparatorBetweenFolderAndFile) {
    const struct {
        QString mainDir, path;
    } cases[] = {
        {u"/srv/corvalis/"_s, u"/srv/corvalis/german.vtd"_s},
        {u"/srv/corvalis"_s, u"/srv/corvalis/german.vtd"_s},
        {u"/srv/corvalis//"_s, u"/srv/corvalis/german.vtd"_s},
        // A network path keeps the doubled separator it starts with.
        {u"//server/share/"_s, u"//server/share/german.vtd"_s},
        {u"\\\\server\\share\\"_s, u"\\\\server\\share\\german.vtd"_s},
        {u"/"_s, u"/german.vtd"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mainDir.toStdString());
        EXPECT_EQ(SpellLanguages::mainDictionaryPath(c.mainDir, 4), c.path);
    }
}
