// The order of the suggestions, on made-up engine answers.
#include "spelling/suggestion_ranking.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SuggestionRanking, OneSlipFirstInTheCaseTypedCommonWordsBeforeRareOnes) {
    const SuggestionRanking::Language english{
        u"acehilmortw"_s,
        {u"the"_s, u"eh"_s, u"tech"_s, u"tea"_s, u"he"_s, u"hate"_s, u"with"_s, u"coming"_s, u"receive"_s}};
    const auto known = [&](const QString &word) {
        return english.common.contains(word) || word == u"whit"_s;
    };
    const struct {
        QString word;
        QStringList engine;
        QString ranked;
    } cases[] = {
        // a swap; a letter missing or extra, a wrong one; a rare word; the first letter's slip last
        {u"Teh"_s, {u"Eh"_s, u"Th"_s, u"Te"_s, u"The"_s, u"Tech"_s, u"Tea"_s}, u"The|Tech|Tea|Th|Te|Eh"_s},
        {u"Recieve"_s, {u"relieve"_s, u"receive"_s}, u"Receive|Relieve"_s},
        {u"TEH"_s, {u"the"_s}, u"THE|TECH|TEA|EH"_s},
        {u"february"_s, {u"febrile"_s, u"February"_s}, u"February|febrile"_s}, // the case alone
        {u"hte"_s,
         {u"ht"_s, u"hate"_s, u"he"_s, u"the"_s},
         u"the|hate|he|ht"_s},                                            // a swap of the first letter
        {u"comming"_s, {u"cumming"_s, u"coming"_s}, u"coming|cumming"_s}, // a doubled letter
        // a common word one slip away that the engine left out is added; a rare one is not
        {u"wiht"_s, {}, u"with"_s},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SuggestionRanking::rank(c.word, c.engine, english, known).join(u'|'), c.ranked)
            << c.word.toStdString();
    EXPECT_EQ(SuggestionRanking::tryLetters(u"SET UTF-8\r\nTRY esiaé-'.SN\r\nKEY qw\r\n"), u"esiaé'n"_s);
}
