// spell-ranking-check LIST MAIN_DICTIONARY HUNSPELL_DICTIONARY
//
// How often the first suggestion for a misspelt word is the word meant, for the program's
// spelling engine (with the main dictionary file, ".vtd") and for `hunspell -a` (with the same
// hunspell dictionary), on a list of misspellings (see misspelling_list.h). Prints both figures;
// exits with 1 when the engine's are below hunspell's or "Teh" does not get "The" first.
#include "misspelling_list.h"

#include "spelling/spell_engine.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>

namespace {

// hunspell's first suggestion for each word ("" when it has none) from what `hunspell -a` wrote:
// after its banner, one answer a word, each ended by an empty line ("& word n offset: a, b").
QStringList firstSuggestions(const QByteArray &output) {
    QStringList firsts;
    for (const QString &answer :
         QString::fromUtf8(output).split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
        const QString line = answer.split(u'\n').constLast();
        firsts.append(line.startsWith(u'&')
                          ? line.section(QStringLiteral(": "), 1).section(QStringLiteral(", "), 0, 0)
                          : QString());
    }
    return firsts;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: spell-ranking-check LIST MAIN_DICTIONARY HUNSPELL_DICTIONARY\n");
        return 2;
    }
    const auto misspellings = readMisspellings(args[1]);
    SpellEngine engine;
    const SpellEngine::LoadResult loaded = engine.loadMainDictionary(args[2]);
    if (misspellings.empty() || !loaded.ok) {
        std::fprintf(stderr, "no list or no dictionary: %s\n", qPrintable(loaded.error));
        return 2;
    }
    // hunspell works on the list while the engine does.
    QProcess hunspell;
    hunspell.start(QStringLiteral("hunspell"), {QStringLiteral("-a"), QStringLiteral("-d"), args[3]});
    if (!hunspell.waitForStarted()) {
        std::fprintf(stderr, "hunspell is needed (scripts/install-deps)\n");
        return 2;
    }
    for (const auto &pair : misspellings)
        hunspell.write(QStringLiteral("^%1\n").arg(pair.first).toUtf8()); // "^": text, never a command
    hunspell.closeWriteChannel();
    QStringList ours;
    for (const auto &pair : misspellings)
        ours.append(engine.suggestionsFor(pair.first).value(0));
    hunspell.waitForFinished(600000); // its suggestions take it some 30 ms a word
    const QStringList theirs = firstSuggestions(hunspell.readAllStandardOutput());
    int ourRight = 0, theirRight = 0;
    for (size_t i = 0; i < misspellings.size(); ++i) {
        ourRight += ours[qsizetype(i)] == misspellings[i].second;
        theirRight += theirs.value(qsizetype(i)) == misspellings[i].second;
    }
    const QString teh = engine.suggestionsFor(QStringLiteral("Teh")).value(0);
    const double count = double(misspellings.size());
    std::printf(
        "first suggestion is the word meant: ours %d (%.1f %%), hunspell's %d (%.1f %%) of %zu; Teh: %s\n",
        ourRight, 100 * ourRight / count, theirRight, 100 * theirRight / count, misspellings.size(),
        qPrintable(teh));
    return theirs.size() == qsizetype(misspellings.size()) && ourRight >= theirRight &&
                   teh == QLatin1String("The")
               ? 0
               : 1;
}
