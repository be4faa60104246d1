// Checking running text, suggestions for one word and loading a dictionary, with the U.S. English
// dictionary the install lays out.
#include "spelling/spell_engine.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

const QString americanDictionary = QStringLiteral(CORVALIS_SOURCE_DIR "/data/american.vtd");

// 100 000 words of sentences with punctuation and line breaks; about 3 % of the words are
// misspelt by one changed letter. Made once per run.
const QString &runningText() {
    static const QString text = [] {
        const QStringList words =
            QStringLiteral(
                "the people would write letters about their garden every morning and evening because "
                "weather changed quickly in spring children played near river while parents talked "
                "with neighbors over fences of old houses town council decided to build library "
                "school bridge many visitors came from distant cities seeing beautiful mountains "
                "lakes forests which surround valley it's well-known")
                .split(u' ');
        std::mt19937 random(14);
        QString out;
        for (int i = 0; i < 100000; ++i) {
            QString word = words[random() % words.size()];
            if (random() % 100 < 3)
                word[int(random() % word.size())] = u'q';
            out += word + (i % 48 == 47   ? u".\r\n"_s
                           : i % 12 == 11 ? u". "_s
                           : i % 7 == 6   ? u", "_s
                                          : u" "_s);
        }
        return out;
    }();
    return text;
}

void BM_CheckText(benchmark::State &state) {
    SpellEngine engine;
    engine.loadMainDictionary(americanDictionary);
    for (auto _ : state) {
        for (int code = engine.check(runningText()); code < SpellEngine::Done;)
            code = engine.decide(SpellEngine::Decision::Ignore);
    }
}
BENCHMARK(BM_CheckText)->Unit(benchmark::kMillisecond);

void BM_Suggest(benchmark::State &state) {
    for (auto _ : state) {
        // A fresh engine each time: suggestions are kept per word once worked out.
        state.PauseTiming();
        SpellEngine engine;
        engine.loadMainDictionary(americanDictionary);
        engine.check(QStringLiteral("recieve"));
        state.ResumeTiming();
        benchmark::DoNotOptimize(engine.suggestions());
    }
}
BENCHMARK(BM_Suggest)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_LoadDictionary(benchmark::State &state) {
    for (auto _ : state) {
        SpellEngine engine;
        benchmark::DoNotOptimize(engine.loadMainDictionary(americanDictionary));
    }
}
BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
