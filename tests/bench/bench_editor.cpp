// The editor's budgets. The cell dialog's rewrite of a whole column in a 1 000-row table, as the
// captured document text comes from the surface (lower-case tags, quoted values).
#include "editor/cell_format.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

constexpr int tableRows = 1000;

// A page with a 1 000-row, 5-column table; the caret in the middle cell of row 500.
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

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
