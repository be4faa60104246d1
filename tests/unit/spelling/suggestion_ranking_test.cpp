// The order of the suggestions, on made-up engine answers, and the first suggestion for a list of
// common misspellings against hunspell's with the same dictionary.
#include "spelling/spell_engine.h"
#include "spelling/suggestion_ranking.h"

#include "base/text_file.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <iostream>

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

namespace {

// hunspell's first suggestion for each word ("" when it has none) from what `hunspell -a` wrote:
// after its banner, one answer a word, each ended by an empty line ("& word n offset: a, b").
QStringList firstSuggestions(const QByteArray &output) {
    QStringList firsts;
    const QStringList answers = QString::fromUtf8(output).split(u"\n\n"_s, Qt::SkipEmptyParts);
    for (const QString &answer : answers) {
        const QString line = answer.split(u'\n').constLast();
        firsts.append(line.startsWith(u'&') ? line.section(u": "_s, 1).section(u", "_s, 0, 0) : QString());
    }
    return firsts;
}

} // namespace

TEST(SuggestionRanking, FirstSuggestionsForCommonMisspellingsBeatHunspells) {
    const auto bytes =
        TextFile::readAll(QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/spelling/misspellings.tsv"));
    ASSERT_TRUE(bytes);
    QStringList typed, meant;
    for (const QString &line : QString::fromUtf8(*bytes).split(u'\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith(u'#')) {
            typed.append(line.section(u'\t', 0, 0));
            meant.append(line.section(u'\t', 1).trimmed());
        }
    }
    ASSERT_GE(typed.size(), 200);
    // hunspell works on the list meanwhile.
    QProcess hunspell;
    hunspell.start(u"hunspell"_s, {u"-a"_s, u"-d"_s, u"/usr/share/hunspell/en_US"_s});
    ASSERT_TRUE(hunspell.waitForStarted()) << "hunspell is needed (scripts/install-deps)";
    for (const QString &word : typed)
        hunspell.write(u"^%1\n"_s.arg(word).toUtf8()); // "^": the line is text, never a command
    hunspell.closeWriteChannel();
    SpellEngine engine;
    ASSERT_TRUE(engine.loadMainDictionary(QStringLiteral(CORVALIS_SOURCE_DIR "/data/american.vtd")).ok);
    QStringList ourFirsts;
    for (const QString &word : typed)
        ourFirsts.append(engine.suggestionsFor(word).value(0));
    ASSERT_TRUE(hunspell.waitForFinished(600000)); // its suggestions take it some 30 ms a word
    const QStringList theirs = firstSuggestions(hunspell.readAllStandardOutput());
    ASSERT_EQ(theirs.size(), typed.size());
    int ours = 0, hunspells = 0;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        ours += ourFirsts[i] == meant[i];
        hunspells += theirs[i] == meant[i];
    }
    std::cout << "first suggestion right: ours " << ours << ", hunspell's " << hunspells << " of "
              << typed.size() << '\n';
    EXPECT_GE(ours, hunspells);
    EXPECT_EQ(engine.suggestionsFor(u"Teh"_s).value(0), u"The"_s);
}
