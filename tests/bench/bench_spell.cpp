// Checking running text and suggestions for a word; the underlining as the user types, in a page:
// until a loaded 1 MB document shows its first underline, and one keystroke's round trip.
#include "../../tools/spell-ranking-check/misspelling_list.h"
#include "spelling/spell_engine.h"
#include "support/page_script.h"
#include "web_bench_main.h"
#include "webpages/web_profile.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

using namespace Qt::StringLiterals;

namespace {

const QString americanDictionary = QStringLiteral(CORVALIS_SOURCE_DIR "/data/american.vtd");

// 100 000 words in sentences with punctuation and line breaks, 3 % misspelt by one letter; made once per run.
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

// Suggestions for each of tests/data/spelling's common misspellings, as the user asks, from a fresh engine
// (it keeps suggestions per word; the one before is freed untimed): the mean and the slowest word's time.
void BM_SuggestMisspellings(benchmark::State &state) {
    const auto misspellings =
        readMisspellings(QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/spelling/misspellings.txt"));
    std::unique_ptr<SpellEngine> engine;
    double slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine = std::make_unique<SpellEngine>();
        engine->loadMainDictionary(americanDictionary);
        state.ResumeTiming();
        for (const auto &[word, correction] : misspellings) {
            QElapsedTimer timer;
            timer.start();
            benchmark::DoNotOptimize(engine->suggestionsFor(word));
            slowest = std::max(slowest, timer.nsecsElapsed() / 1e6);
        }
    }
    state.counters["ms_per_word"] =
        benchmark::Counter(double(misspellings.size()) * state.iterations() / 1000,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["slowest_word_ms"] = slowest;
}
BENCHMARK(BM_SuggestMisspellings)->Unit(benchmark::kMillisecond)->Iterations(3);

// A text field as the pages have them: an editable body in a view shown offscreen, on the panes'
// profile, where the spelling settings are.
struct Field {
    Field() {
        view.setPage(new QWebEnginePage(&WebProfile::shared(), &view));
        view.resize(1000, 600);
        view.setContextMenuPolicy(Qt::PreventContextMenu);
        view.show();
    }
    // `text` with a paragraph a line, as a typed or pasted text has them.
    bool load(const QString &text) {
        const bool ok = finishes(*view.page(), &QWebEnginePage::loadFinished, [&] {
            view.setHtml(u"<html><body contenteditable=true><p>"_s +
                         text.toHtmlEscaped().replace(u"\r\n"_s, u"</p><p>"_s) + u"</p></body></html>"_s);
        });
        view.setFocus();
        runPageScript(*view.page(), u"document.body.focus()"_s);
        return ok;
    }
    // Right-clicks the top left word until the engine reports it misspelt; false after 30 s.
    bool waitForFirstUnderline() {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 30000) {
            QTest::mouseClick(view.focusProxy(), Qt::RightButton, {}, QPoint(20, 16));
            QTest::qWait(5);
            const auto *request = view.lastContextMenuRequest();
            if (request && !request->misspelledWord().isEmpty())
                return true;
        }
        return false;
    }
    QWebEngineView view;
};

std::unique_ptr<Field> made; // gone before the application and its profile (runWebBenchmarks' end)
Field &field(bool underlining) {
    WebProfile::shared().setSpellCheckLanguages({u"en_US"_s});
    WebProfile::shared().setSpellCheckEnabled(underlining);
    return made ? *made : *(made = std::make_unique<Field>());
}

void BM_UnderlineLoadedDocument(benchmark::State &state) {
    Field &f = field(true);
    constexpr int size = 1024 * 1024;
    const QString document =
        (u"Zorbixq "_s + runningText().repeated(1 + size / runningText().size())).first(size);
    for (auto _ : state) {
        state.PauseTiming();
        f.load({}); // another page first, so that the document comes fresh each time
        state.ResumeTiming();
        if (!ensure(state, f.load(document) && f.waitForFirstUnderline(), "no underline came"))
            return;
    }
}
BENCHMARK(BM_UnderlineLoadedDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Arg 1: underlining on. One key typed, then the page asked for the text's length.
void BM_KeystrokeRoundTrip(benchmark::State &state) {
    Field &f = field(state.range(0) == 1);
    if (!ensure(state, f.load(runningText().first(20000)), "the text did not load"))
        return;
    runPageScript(*f.view.page(), u"getSelection().collapse(document.body, 0)"_s);
    for (auto _ : state) {
        QTest::keyClick(f.view.focusProxy(), Qt::Key_X);
        benchmark::DoNotOptimize(runPageScript(*f.view.page(), u"document.body.textContent.length"_s));
    }
}
BENCHMARK(BM_KeystrokeRoundTrip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    // The dictionaries the build converted (this program does not lie in the build tree's bin/).
    qputenv("QTWEBENGINE_DICTIONARIES_PATH", CORVALIS_DICTIONARIES);
    return runWebBenchmarks(argc, argv, [] { made.reset(); });
}
