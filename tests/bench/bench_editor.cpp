// The editor on a generated 1 MB document (2 000 paragraphs, 50 tables): loading it into the
// surface (against a bare web view loading it with its body editable, BM_BareLoad), one toolbar refresh, one
// selection capture, one post transfer into the blog page (webmail-sim's, and a real WordPress
// site's new post on its block editor and on its classic edit screen); the table operations, their
// undo, and each operation until the page shows it, on a large table in that document, and the
// cell dialog's rewrite of a column of a 1 000-row table.
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
#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineView>

#include "web_bench_main.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

QString generatedDocument() {
    QString html = QStringLiteral("<html><head><title>Long post</title></head><body>\r\n");
    const QString words = QStringLiteral("The quick brown fox jumps over the lazy dog near the river bank. ");
    for (int p = 0; p < 2000; ++p) {
        html += QStringLiteral("<p id=p%1>Paragraph %1: <b>bold</b> ").arg(p) + words.repeated(6) +
                QStringLiteral("</p>\r\n");
        if (p % 40 == 0) {
            html += QStringLiteral("<table border=1 width=\"100%\">");
            for (int r = 0; r < 8; ++r)
                html += QStringLiteral("<tr>") + QStringLiteral("<td>cell text here</td>").repeated(6) +
                        QStringLiteral("</tr>");
            html += QStringLiteral("</table>\r\n");
        }
    }
    return html + QStringLiteral("</body></html>\r\n");
}

// One editor panel, shown offscreen, with the document loaded; made once per run.
struct Editor {
    Editor() {
        frame.resize(1000, 600);
        frame.show();
        TextFile::writeAtomically(path, generatedDocument().toUtf8());
    }
    // Selects the second to fourth words of paragraph 1000.
    void selectWords() {
        runPageScript(*panel.surface().page(),
                      QStringLiteral("{ const t = document.getElementById('p1000').lastChild;"
                                     "  const r = document.createRange(); r.setStart(t, 5); r.setEnd(t, 20);"
                                     "  getSelection().removeAllRanges(); getSelection().addRange(r); }"));
    }

    QFrame frame;
    QWidget modeHolder;
    QHBoxLayout modes{&modeHolder};
    RecordingMessages messages;
    EditorPanel panel{{frame, modes, messages, [] { return 3030; }, [] { return 950; }, [] { return 9000; },
                       [] { return false; }},
                      nullptr};
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("long.htm"));
};

Editor &editor() {
    static Editor made;
    return made;
}

void BM_LoadDocument(benchmark::State &state) {
    Editor &e = editor();
    for (auto _ : state) {
        if (e.panel.surface().loadDocument(e.path, false) != DocumentFile::NoError) {
            state.SkipWithError("the document did not load");
            return;
        }
    }
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The yardstick: a bare web view of the surface's size, shown offscreen, loading the same
// document from a file with its body editable, until it has loaded.
void BM_BareLoad(benchmark::State &state) {
    Editor &e = editor();
    const QString path = e.dir.filePath(QStringLiteral("editable.htm"));
    TextFile::writeAtomically(path,
                              generatedDocument()
                                  .replace(QStringLiteral("<body>"), QStringLiteral("<body contenteditable>"))
                                  .toUtf8());
    QWebEngineView view;
    view.resize(e.panel.surface().size());
    view.show();
    for (auto _ : state) {
        QEventLoop loop;
        bool ok = false;
        QObject::connect(&view, &QWebEngineView::loadFinished, &loop, [&](bool success) {
            ok = success;
            loop.quit();
        });
        view.load(QUrl::fromLocalFile(path));
        loop.exec();
        if (!ok) {
            state.SkipWithError("the document did not load");
            return;
        }
    }
}
BENCHMARK(BM_BareLoad)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_ToolbarRefresh(benchmark::State &state) {
    Editor &e = editor();
    e.panel.surface().loadDocument(e.path, false);
    e.selectWords();
    for (auto _ : state)
        e.panel.refreshToolbar();
}
BENCHMARK(BM_ToolbarRefresh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GetSelection(benchmark::State &state) {
    Editor &e = editor();
    e.panel.surface().loadDocument(e.path, false);
    e.selectWords();
    for (auto _ : state) {
        e.panel.selection().GetSelection();
        if (e.panel.selection().selectionLength() != 15) {
            state.SkipWithError("the selection was not captured");
            return;
        }
    }
}
BENCHMARK(BM_GetSelection)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PostTransfer(benchmark::State &state) {
    Editor &e = editor();
    e.panel.surface().loadDocument(e.path, false);
    SimProcess sim;
    WebPane page;
    QEventLoop loop;
    QObject::connect(&page, &WebPane::documentCompleted, &loop, &QEventLoop::quit);
    page.navigate(sim.baseUrl() + QStringLiteral("/blog/post"));
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    for (auto _ : state) {
        if (!BlogPost::transfer(page, [&] { return e.panel.surface().bodySource(); }, {})) {
            state.SkipWithError("no post form");
            return;
        }
    }
}
BENCHMARK(BM_PostTransfer)->Unit(benchmark::kMillisecond)->UseRealTime();

// A document of about 1 MB with a table of `size` x `size` cells in its middle or at its end,
// written to a file and opened as Open does; the table's cells hold their row and column.
enum class Place { Middle, End };
QString withTable(int size, Place place) {
    QString table = QStringLiteral("<table id=big border=1>");
    for (int r = 0; r < size; ++r) {
        table += QStringLiteral("<tr>");
        for (int c = 0; c < size; ++c)
            table += QStringLiteral("<td>%1.%2</td>").arg(r).arg(c);
        table += QStringLiteral("</tr>\r\n");
    }
    table += QStringLiteral("</table>\r\n");
    QString html = generatedDocument();
    if (place == Place::End)
        return html.replace(QStringLiteral("</body>"), table + QStringLiteral("</body>"));
    return html.replace(QStringLiteral("<p id=p1000>"), table + QStringLiteral("<p id=p1000>"));
}

bool openWithTable(Editor &e, int size, Place place) {
    const QString path = e.dir.filePath(QStringLiteral("table.htm"));
    return TextFile::writeAtomically(path, withTable(size, place).toUtf8()).ok &&
           e.panel.surface().loadDocument(path, false) == DocumentFile::NoError;
}

// The caret in the table's middle cell.
void caretInTable(Editor &e, int size) {
    runPageScript(*e.panel.surface().page(),
                  QStringLiteral("{ const c = document.getElementById('big').rows[%1].cells[%1];"
                                 "  getSelection().collapse(c.firstChild, 1); }")
                      .arg(size / 2));
}

// The table's cells and those with a background, to tell that an operation (and its undo) did its work.
QString tableState(Editor &e) {
    return runPageScript(
               *e.panel.surface().page(),
               QStringLiteral("(t => t.querySelectorAll('td').length + ' ' +"
                              " t.querySelectorAll('td[bgcolor]').length)(document.getElementById('big'))"))
        .toString();
}

enum class Operation { InsertRow, InsertColumn, DeleteColumn, CellDialog };

// The operation as the user starts it: a command of the context menu, or the Column Properties
// dialog giving the column a background colour.
void operate(Editor &e, Operation operation) {
    EditingSurface &surface = e.panel.surface();
    switch (operation) {
    case Operation::InsertRow:
        surface.execCommand(EditingSurface::InsertRow);
        break;
    case Operation::InsertColumn:
        surface.execCommand(EditingSurface::InsertColumn);
        break;
    case Operation::DeleteColumn:
        surface.execCommand(EditingSurface::DeleteColumns);
        break;
    case Operation::CellDialog: {
        SurfaceTableEditing editing(e.panel);
        TableDialogServices services = standardTableDialogServices(e.messages);
        services.pickColour = [](auto, auto) { return std::optional(QColor(Qt::yellow)); };
        FormCellProp dialog(CellScope::Column, editing, services, nullptr);
        dialog.findChild<QAbstractButton *>(QStringLiteral("Command2"))->click();
        dialog.accept();
        break;
    }
    }
}

// What a table benchmark times: the operation's call, the undo's, or the operation until the
// page has laid out its change and the toolbar follows it (what the user waits for to see it).
enum class Measure { Operation, Undo, Shown };

// The operation (or its undo) on a table of range(0) cells a side, in the document's middle
// (range(1) 0) or at its end (1). Each operation is undone before the next.
void tableOperation(benchmark::State &state, Operation operation, Measure measure) {
    Editor &e = editor();
    const int size = int(state.range(0));
    if (!openWithTable(e, size, state.range(1) ? Place::End : Place::Middle)) {
        state.SkipWithError("the document did not load");
        return;
    }
    // The loaded document laid out first: that is the load's work, not the operation's.
    runPageScript(*e.panel.surface().page(), QStringLiteral("document.body.offsetHeight"));
    const bool measureUndo = measure == Measure::Undo;
    const QString before = tableState(e);
    for (auto _ : state) {
        state.PauseTiming();
        caretInTable(e, size);
        QString changed;
        if (measureUndo) {
            operate(e, operation);
            changed = tableState(e);
        }
        state.ResumeTiming();
        if (measureUndo)
            e.panel.surface().execCommand(EditingSurface::Undo);
        else
            operate(e, operation);
        if (measure == Measure::Shown)
            runPageScript(*e.panel.surface().page(), QStringLiteral("document.body.offsetHeight"));
        state.PauseTiming();
        if (!measureUndo) {
            changed = tableState(e);
            e.panel.surface().execCommand(EditingSurface::Undo);
        }
        const bool undone = tableState(e) == before;
        state.ResumeTiming();
        if (changed == before || !undone) {
            state.SkipWithError("the operation or its undo did not take effect");
            return;
        }
    }
}

void tableArguments(benchmark::internal::Benchmark *b) {
    b->Args({100, 1})->Args({100, 0})->Args({50, 1})->Unit(benchmark::kMillisecond)->UseRealTime();
}
BENCHMARK_CAPTURE(tableOperation, InsertRow, Operation::InsertRow, Measure::Operation)->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, InsertRowUndo, Operation::InsertRow, Measure::Undo)->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, InsertRowShown, Operation::InsertRow, Measure::Shown)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, InsertColumn, Operation::InsertColumn, Measure::Operation)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, InsertColumnUndo, Operation::InsertColumn, Measure::Undo)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, InsertColumnShown, Operation::InsertColumn, Measure::Shown)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, DeleteColumn, Operation::DeleteColumn, Measure::Operation)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, DeleteColumnUndo, Operation::DeleteColumn, Measure::Undo)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, DeleteColumnShown, Operation::DeleteColumn, Measure::Shown)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, CellDialog, Operation::CellDialog, Measure::Operation)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, CellDialogUndo, Operation::CellDialog, Measure::Undo)
    ->Apply(tableArguments);
BENCHMARK_CAPTURE(tableOperation, CellDialogShown, Operation::CellDialog, Measure::Shown)
    ->Apply(tableArguments);

constexpr int tableRows = 1000;

// The captured text of a page with a 1 000-row, 5-column table (lower-case tags, quoted values, as
// the surface gives it); the caret in the middle cell of row 500.
struct CapturedTable {
    QString document;
    int marker = 0;
};
const CapturedTable &capturedTable() {
    static const CapturedTable table = [] {
        QString html = QStringLiteral("<html><head></head><body><p>Prices</p><table border=\"1\"><tbody>");
        int marker = 0;
        for (int r = 0; r < tableRows; ++r) {
            html += QStringLiteral("<tr>");
            for (int c = 0; c < 5; ++c) {
                html += QStringLiteral("<td width=\"20%\" valign=\"top\">");
                if (r == tableRows / 2 && c == 2)
                    marker = int(html.size()) + 1;
                html += QStringLiteral("item %1.%2</td>").arg(r).arg(c);
            }
            html += QStringLiteral("</tr>");
        }
        html += QStringLiteral("</tbody></table><p>after</p></body></html>");
        return CapturedTable{html, marker};
    }();
    return table;
}

void BM_CellRewriteColumn(benchmark::State &state) {
    const CapturedTable &table = capturedTable();
    CellFormat format = CellFormatting::readCell(table.document, table.marker);
    format.background = {true, QStringLiteral("#FFCC00")};
    format.align = QStringLiteral("CENTER");
    format.noWrap = true;
    for (auto _ : state) {
        TagFormat::SizeError error;
        const QString rewritten =
            CellFormatting::rewriteCells(table.document, table.marker, CellScope::Column, format, &error);
        benchmark::DoNotOptimize(rewritten.size());
    }
}
BENCHMARK(BM_CellRewriteColumn)->Unit(benchmark::kMillisecond);

// Loads `address` into the pane; false when it did not finish loading in time.
bool load(WebPane &pane, const QString &address) {
    QEventLoop loop;
    bool ok = false;
    const auto done = QObject::connect(&pane, &WebPane::documentCompleted, &loop, [&](bool loaded) {
        ok = loaded;
        loop.quit();
    });
    pane.navigate(address);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(done);
    return ok;
}

// Argument 0: the block editor, 1: the classic edit screen. The first transfer, which switches the
// screen to its text mode, is made before timing.
void BM_PostTransferWordPress(benchmark::State &state) {
    Editor &e = editor();
    e.panel.surface().loadDocument(e.path, false);
    const WordPressSite site(state.range(0) ? WordPressSite::Editor::Classic : WordPressSite::Editor::Block);
    WebPane page;
    page.resize(1400, 900);
    page.show();
    if (!load(page, site.url() + QStringLiteral("/wp-login.php"))) {
        state.SkipWithError("no WordPress site");
        return;
    }
    runPageScript(*page.page(), QStringLiteral("document.getElementById('user_login').value = '%1';"
                                               "document.getElementById('user_pass').value = '%2';"
                                               "document.getElementById('loginform').submit();")
                                    .arg(site.login(WordPressSite::User::Admin),
                                         site.password(WordPressSite::User::Admin)));
    QEventLoop settle;
    QTimer::singleShot(3000, &settle, &QEventLoop::quit);
    settle.exec();
    load(page, site.url() + QStringLiteral("/wp-admin/post-new.php"));
    const auto transfer = [&] {
        return BlogPost::transfer(page, [&] { return e.panel.surface().bodySource(); }, {});
    };
    for (int tries = 0; tries < 100 && !transfer(); ++tries) { // the block editor draws itself after loading
        QTimer::singleShot(200, &settle, &QEventLoop::quit);
        settle.exec();
    }
    for (auto _ : state) {
        if (!transfer()) {
            state.SkipWithError("no post page");
            return;
        }
    }
}
BENCHMARK(BM_PostTransferWordPress)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv) {
    return runWebBenchmarks(argc, argv);
}
