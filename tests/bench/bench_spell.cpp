// Checking running text and suggestions for a word; the underlining as the user types, in a page:
// until a loaded 1 MB document shows its first underline, and one keystroke's round trip.
#include "../../tools/spell-ranking-check/misspelling_list.h"
#include "spelling/spell_engine.h"
#include "support/page_script.h"
#include "web_bench_main.h"
#include "webpages/web_profile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

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

// Suggestions for each word of the list of common misspellings in tests/data/spelling, as the
// user asks for them, from a fresh engine (suggestions are kept per word once worked out; the
// engine before is freed untimed): the mean and the slowest word's time.
void BM_SuggestMisspellings(benchmark::State &state) {
    QStringList words;
    for (const auto &pair :
         readMisspellings(QStringLiteral(CORVALIS_SOURCE_DIR "/tests/data/spelling/misspellings.txt")))
        words.append(pair.first);
    std::unique_ptr<SpellEngine> engine;
    double slowest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine = std::make_unique<SpellEngine>();
        engine->loadMainDictionary(americanDictionary);
        state.ResumeTiming();
        for (const QString &word : words) {
            QElapsedTimer timer;
            timer.start();
            benchmark::DoNotOptimize(engine->suggestionsFor(word));
            slowest = std::max(slowest, timer.nsecsElapsed() / 1e6);
        }
    }
    state.counters["ms_per_word"] =
        benchmark::Counter(double(words.size()) * state.iterations() / 1000,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["slowest_word_ms"] = slowest;
}
BENCHMARK(BM_SuggestMisspellings)->Unit(benchmark::kMillisecond)->Iterations(3);

// A text field as the pages have them: an editable body in a view shown offscreen.
struct Field {
    Field() {
        view.resize(1000, 600);
        view.setContextMenuPolicy(Qt::PreventContextMenu);
        view.show();
    }
    bool load(const QString &text) {
        QEventLoop loop;
        bool ok = false;
        QObject::connect(view.page(), &QWebEnginePage::loadFinished, &loop, [&](bool success) {
            ok = success;
            loop.quit();
        });
        // A paragraph a line, as a typed or pasted text has them.
        view.setHtml(u"<html><body contenteditable=true><p>"_s +
                     text.toHtmlEscaped().replace(u"\r\n"_s, u"</p><p>"_s) + u"</p></body></html>"_s);
        loop.exec();
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

Field &field() {
    static Field made;
    return made;
}

void BM_UnderlineLoadedDocument(benchmark::State &state) {
    WebProfile::shared().setSpellCheckLanguages({u"en_US"_s});
    WebProfile::shared().setSpellCheckEnabled(true);
    QString document = u"Zorbixq "_s;
    while (document.size() < 1024 * 1024)
        document += runningText();
    document.truncate(1024 * 1024);
    for (auto _ : state) {
        state.PauseTiming();
        // Another page first, so that the document comes fresh each time.
        field().load({});
        state.ResumeTiming();
        if (!field().load(document) || !field().waitForFirstUnderline()) {
            state.SkipWithError("no underline came");
            return;
        }
    }
}
BENCHMARK(BM_UnderlineLoadedDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Arg 1: underlining on. One key typed, then the page asked for the text's length.
void BM_KeystrokeRoundTrip(benchmark::State &state) {
    WebProfile::shared().setSpellCheckLanguages({u"en_US"_s});
    WebProfile::shared().setSpellCheckEnabled(state.range(0) == 1);
    field().load(runningText().first(20000));
    runPageScript(*field().view.page(), u"getSelection().collapse(document.body, 0)"_s);
    for (auto _ : state) {
        QTest::keyClick(field().view.focusProxy(), Qt::Key_X);
        benchmark::DoNotOptimize(runPageScript(*field().view.page(), u"document.body.textContent.length"_s));
    }
}
BENCHMARK(BM_KeystrokeRoundTrip)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    // The dictionaries the build converted (this program does not lie in the build tree's bin/).
    qputenv("QTWEBENGINE_DICTIONARIES_PATH", CORVALIS_DICTIONARIES);
    return runWebBenchmarks(argc, argv);
}
