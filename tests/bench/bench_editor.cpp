// The editor on a generated 1 MB document: its load (against a bare editable view's), a toolbar refresh, a
// selection capture, post transfers; table operations on a large table, their undo and until shown.
#include "base/messages.h"
#include "base/text_file.h"
#include "editor/cell_format.h"
#include "editor/editing_surface.h"
#include "editor/editor_panel.h"
#include "editor/editor_selection.h"
#include "editor/form_cell_prop.h"
#include "editor/surface_table_editing.h"
#include "support/page_script.h"
#include "support/sim_process.h"
#include "support/wordpress_site.h"
#include "webpages/blog_post.h"
#include "webpages/web_pane.h"

#include <QAbstractButton>
#include <QFrame>
#include <QHBoxLayout>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include "web_bench_main.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>

using namespace Qt::StringLiterals;

namespace {

// `rows` rows of `columns` cells `cell` (%1: its row, %2: its column), each row followed by `rowEnd`.
QString tableRows(int rows, int columns, const QString &cell, const QString &rowEnd = {}) {
    QString html;
    for (int r = 0; r < rows; ++r) {
        html += u"<tr>"_s;
        for (int c = 0; c < columns; ++c)
            html += cell.arg(r).arg(c);
        html += u"</tr>"_s + rowEnd;
    }
    return html;
}

QString generatedDocument() {
    QString html = u"<html><head><title>Long post</title></head><body>\r\n"_s;
    const QString words = u"The quick brown fox jumps over the lazy dog near the river bank. "_s;
    for (int p = 0; p < 2000; ++p) {
        html += u"<p id=p%1>Paragraph %1: <b>bold</b> "_s.arg(p) + words.repeated(6) + u"</p>\r\n"_s;
        if (p % 40 == 0)
            html += u"<table border=1 width=\"100%\">"_s +
                    (u"<tr>"_s + u"<td>cell text here</td>"_s.repeated(6) + u"</tr>"_s).repeated(8) +
                    u"</table>\r\n"_s;
    }
    return html + u"</body></html>\r\n"_s;
}

// One editor panel, shown offscreen, with the document written to a file; made once per run.
struct Editor {
    Editor() {
        frame.resize(1000, 600);
        frame.show();
        TextFile::writeAtomically(path, generatedDocument().toUtf8());
    }
    EditingSurface &surface() { return panel.surface(); }
    // Opens `file` as Open does (`preserve`: a transfer writes the changed part only); false if it did not
    // load.
    bool open(benchmark::State &state, const QString &file, bool preserve = false) {
        surface().setSourcePreservation(preserve);
        return ensure(state, surface().loadDocument(file, false) == DocumentFile::NoError,
                      "the document did not load");
    }
    // Selects the second to fourth words of paragraph 1000.
    void selectWords() {
        runPageScript(*surface().page(),
                      u"{ const t = document.getElementById('p1000').lastChild;"
                      "  const r = document.createRange(); r.setStart(t, 5); r.setEnd(t, 20);"
                      "  getSelection().removeAllRanges(); getSelection().addRange(r); }"_s);
    }

    QFrame frame;
    QWidget modeHolder;
    QHBoxLayout modes{&modeHolder};
    RecordingMessages messages;
    EditorPanel panel{{frame, modes, messages, [] { return 3030; }, [] { return 950; }, [] { return 9000; },
                       [] { return false; }},
                      nullptr};
    QTemporaryDir dir;
    QString path = dir.filePath(u"long.htm"_s);
};

std::unique_ptr<Editor> made; // gone before the application (runWebBenchmarks' end)
Editor &editor() {
    return made ? *made : *(made = std::make_unique<Editor>());
}

void BM_LoadDocument(benchmark::State &state) {
    Editor &e = editor();
    for (auto _ : state) {
        if (!e.open(state, e.path))
            return;
    }
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The yardstick: a bare offscreen web view of the surface's size loading the same file, its body editable.
void BM_BareLoad(benchmark::State &state) {
    Editor &e = editor();
    const QString path = e.dir.filePath(u"editable.htm"_s);
    TextFile::writeAtomically(path,
                              generatedDocument().replace(u"<body>"_s, u"<body contenteditable>"_s).toUtf8());
    QWebEngineView view;
    view.resize(e.surface().size());
    view.show();
    const auto load = [&] { view.load(QUrl::fromLocalFile(path)); };
    for (auto _ : state) {
        if (!ensure(state, finishes(view, &QWebEngineView::loadFinished, load), "the document did not load"))
            return;
    }
}
BENCHMARK(BM_BareLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_ToolbarRefresh(benchmark::State &state) {
    Editor &e = editor();
    if (!e.open(state, e.path))
        return;
    e.selectWords();
    for (auto _ : state)
        e.panel.refreshToolbar();
}
BENCHMARK(BM_ToolbarRefresh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GetSelection(benchmark::State &state) {
    Editor &e = editor();
    if (!e.open(state, e.path))
        return;
    e.selectWords();
    for (auto _ : state) {
        e.panel.selection().GetSelection();
        if (!ensure(state, e.panel.selection().selectionLength() == 15, "the selection was not captured"))
            return;
    }
}
BENCHMARK(BM_GetSelection)->Unit(benchmark::kMillisecond)->UseRealTime();

// Loads `address` into the pane; false when it did not finish loading in time.
bool load(WebPane &pane, const QString &address) {
    return finishes(pane, &WebPane::documentCompleted, [&] { pane.navigate(address); });
}

// One transfer of the document into the post form `page` shows, as Copy to Post makes it.
bool transfer(Editor &e, WebPane &page) {
    return BlogPost::transfer(page, [&] { return e.surface().bodySource(); }, {});
}

// Times transfers into `page`, one paragraph changed (untimed) before each so that each carries a difference.
// The first after the load (the page then reads the file it compares with, and a block editor draws itself
// after loading) is made before timing.
void timeTransfers(benchmark::State &state, Editor &e, WebPane &page, const char *failure) {
    for (int tries = 0; !transfer(e, page); ++tries) {
        if (!ensure(state, tries < 100, failure))
            return;
        QTest::qWait(200);
    }
    int change = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++change;
        runPageScript(
            *e.surface().page(),
            u"document.getElementById('p%1').firstChild.data += ' %2';"_s.arg(change % 2000).arg(change));
        state.ResumeTiming();
        if (!ensure(state, transfer(e, page), failure))
            return;
    }
}

// Argument 1: the changed part written over the file (the default), 0: the whole document anew.
void BM_PostTransfer(benchmark::State &state) {
    Editor &e = editor();
    SimProcess sim;
    WebPane page;
    if (e.open(state, e.path, state.range(0) != 0) &&
        ensure(state, load(page, sim.baseUrl() + u"/blog/post"_s), "no blog page"))
        timeTransfers(state, e, page, "no post form");
}
BENCHMARK(BM_PostTransfer)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opens a document of about 1 MB with a table of `size` x `size` cells (id "big", the cells holding
// their row and column) in its middle or at its end, as Open does.
bool openWithTable(benchmark::State &state, Editor &e, int size, bool atEnd) {
    const QString table = u"<table id=big border=1>"_s +
                          tableRows(size, size, u"<td>%1.%2</td>"_s, u"\r\n"_s) + u"</table>\r\n"_s;
    const QString at = atEnd ? u"</body>"_s : u"<p id=p1000>"_s;
    const QString path = e.dir.filePath(u"table.htm"_s);
    const bool written =
        TextFile::writeAtomically(path, generatedDocument().replace(at, table + at).toUtf8()).ok;
    return ensure(state, written, "the document was not written") && e.open(state, path);
}

// The caret in the table's middle cell.
void caretInTable(Editor &e, int size) {
    runPageScript(*e.surface().page(), u"{ const c = document.getElementById('big').rows[%1].cells[%1];"
                                       "  getSelection().collapse(c.firstChild, 1); }"_s.arg(size / 2));
}

// The table's cells and those with a background, once laid out (no layout is left for a timed call).
QString tableState(Editor &e) {
    return runPageScript(*e.surface().page(),
                         u"(t => document.body.offsetHeight && t.querySelectorAll('td').length + ' ' +"
                         " t.querySelectorAll('td[bgcolor]').length)(document.getElementById('big'))"_s)
        .toString();
}

// The Column Properties dialog giving the caret's column a background colour.
void giveColumnBackground(Editor &e) {
    SurfaceTableEditing editing(e.panel);
    TableDialogServices services = standardTableDialogServices(e.messages);
    services.pickColour = [](auto, auto) { return std::optional(QColor(Qt::yellow)); };
    FormCellProp dialog(CellScope::Column, editing, services, nullptr);
    dialog.findChild<QAbstractButton *>(u"Command2"_s)->click();
    dialog.accept();
}

// What a table benchmark times: the operation, its undo, or the operation until laid out and the toolbar
// follows.
enum class Measure { Operation, Undo, Shown };

// The operation on a table of range(0) cells a side, in the middle (range(1) 0) or at the end (1); each
// undone.
void tableOperation(benchmark::State &state, const std::function<void(Editor &)> &operate, Measure measure) {
    Editor &e = editor();
    const int size = int(state.range(0));
    if (!openWithTable(state, e, size, state.range(1) != 0))
        return;
    const bool measureUndo = measure == Measure::Undo;
    // One operation and its undo untimed: the first drawing of the loaded document (which its first
    // caret brings) and the first run of the scripts and dialogs are the load's work.
    caretInTable(e, size);
    operate(e);
    e.surface().execCommand(EditingSurface::Undo);
    const QString before = tableState(e);
    for (auto _ : state) {
        state.PauseTiming();
        caretInTable(e, size);
        QString changed;
        if (measureUndo) {
            operate(e);
            changed = tableState(e);
        }
        state.ResumeTiming();
        if (measureUndo)
            e.surface().execCommand(EditingSurface::Undo);
        else
            operate(e);
        if (measure == Measure::Shown)
            runPageScript(*e.surface().page(), u"document.body.offsetHeight"_s);
        state.PauseTiming();
        if (!measureUndo) {
            changed = tableState(e);
            e.surface().execCommand(EditingSurface::Undo);
        }
        const bool undone = tableState(e) == before;
        state.ResumeTiming();
        if (!ensure(state, changed != before && undone, "the operation or its undo did not take effect"))
            return;
    }
}

// Each operation as the user starts it (a command of the context menu, or the cell dialog), timed
// each way: tableOperation/InsertRow, tableOperation/InsertRowUndo, tableOperation/InsertRowShown...
[[maybe_unused]] const bool tableOperationsRegistered = [] {
    const auto command = [](int id) { return [id](Editor &e) { e.surface().execCommand(id); }; };
    const std::pair<const char *, std::function<void(Editor &)>> operations[] = {
        {"InsertRow", command(EditingSurface::InsertRow)},
        {"InsertColumn", command(EditingSurface::InsertColumn)},
        {"DeleteColumn", command(EditingSurface::DeleteColumns)},
        {"CellDialog", giveColumnBackground}};
    for (const auto &[operation, operate] : operations) {
        for (const auto &[suffix, measure] :
             {std::pair{"", Measure::Operation}, {"Undo", Measure::Undo}, {"Shown", Measure::Shown}})
            benchmark::RegisterBenchmark((std::string("tableOperation/") + operation + suffix).c_str(),
                                         tableOperation, operate, measure)
                ->Args({100, 1})
                ->Args({100, 0})
                ->Args({50, 1})
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
    }
    return true;
}();

// The rewrite of the middle column of a 1 000-row, 5-column table, as the surface's captured text has it.
void BM_CellRewriteColumn(benchmark::State &state) {
    static const QString document =
        u"<html><head></head><body><p>Prices</p><table border=\"1\"><tbody>"_s +
        tableRows(1000, 5, u"<td width=\"20%\" valign=\"top\">item %1.%2</td>"_s) +
        u"</tbody></table><p>after</p></body></html>"_s;
    const int caret = int(document.indexOf(u"item 500.2"_s)) + 1;
    CellFormat format = CellFormatting::readCell(document, caret);
    format.background = {true, u"#FFCC00"_s};
    format.align = u"CENTER"_s;
    format.noWrap = true;
    for (auto _ : state) {
        TagFormat::SizeError error;
        benchmark::DoNotOptimize(
            CellFormatting::rewriteCells(document, caret, CellScope::Column, format, &error).size());
    }
}
BENCHMARK(BM_CellRewriteColumn)->Unit(benchmark::kMillisecond);

// First argument 0: the block editor, 1: the classic edit screen; the second as BM_PostTransfer's.
void BM_PostTransferWordPress(benchmark::State &state) {
    Editor &e = editor();
    if (!e.open(state, e.path, state.range(1) != 0))
        return;
    const WordPressSite site(state.range(0) ? WordPressSite::Editor::Classic : WordPressSite::Editor::Block);
    WebPane page;
    page.resize(1400, 900);
    page.show();
    if (!ensure(state, load(page, site.url() + u"/wp-login.php"_s), "no WordPress site"))
        return;
    runPageScript(*page.page(),
                  u"document.getElementById('user_login').value = '%1';"
                  "document.getElementById('user_pass').value = '%2';"
                  "document.getElementById('loginform').submit();"_s.arg(
                      site.login(WordPressSite::User::Admin), site.password(WordPressSite::User::Admin)));
    QTest::qWait(3000);
    load(page, site.url() + u"/wp-admin/post-new.php"_s);
    timeTransfers(state, e, page, "no post page");
}
BENCHMARK(BM_PostTransferWordPress)
    ->ArgsProduct({{0, 1}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    return runWebBenchmarks(argc, argv, [] { made.reset(); });
}
