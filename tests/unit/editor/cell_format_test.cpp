#include "editor/cell_format.h"
#include "editor/tag_value.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A document written with "|" where the caret stands: the text without it and the marker's
// 1-based position, as the selection capture gives them.
struct Captured {
    QString document;
    int marker;
};
Captured captured(const QString &withCaret) {
    const qsizetype at = withCaret.indexOf(u'|');
    return {QString(withCaret).remove(at, 1), int(at) + 1};
}

QString targetIds(const Captured &doc, CellScope scope) {
    QStringList ids;
    for (const TagSpan &tag : findCellTargets(doc.document, doc.marker, scope).tags)
        ids << TagValue(doc.document, int(tag.begin) + 1, u"ID"_s, {}, TagRead);
    return ids.join(u' ');
}

// The document with the given cell tags cut out: what must come back byte for byte.
QString withoutTags(const QString &document, const std::vector<TagSpan> &tags) {
    QString rest = document;
    for (auto tag = tags.rbegin(); tag != tags.rend(); ++tag)
        rest.remove(tag->begin, tag->end - tag->begin + 1);
    return rest;
}

const QString grid = u"<p>before</p><TABLE><TR><TD id=a1>1</TD><TD id=a2>2</TD><TD id=a3>3</TD></TR>"
                     "<TR><TD id=b1>4</TD><TD id=b2>5|</TD><TD id=b3>6</TD></TR>"
                     "<TR><TD id=c1>7</TD><TD id=c2>8</TD><TD id=c3>9</TD></TR></TABLE><p>after</p>"_s;

} // namespace

TEST(CellTargets, EachScopeReachesItsCells) {
    const QString nested = u"<table><tbody><tr><th id=h1>A</th><th id=h2>B</th></tr>"
                           "<tr><td id=r1>x</td><td id=r2><table><tr><td id=n1>in|</td><td id=n2></td></tr>"
                           "<tr><td id=n3></td></tr></table> tail</td></tr>"
                           "<tr><td id=s1 colspan=2>wide</td></tr></tbody></table>"_s;
    const struct {
        const char *why;
        QString document;
        QString cell, row, column;
    } cases[] = {
        {"middle of a 3x3 grid", grid, u"b2"_s, u"b1 b2 b3"_s, u"a2 b2 c2"_s},
        {"one row", u"<table><tr><td id=a>|</td><td id=b></td></tr></table>"_s, u"a"_s, u"a b"_s, u"a"_s},
        {"one column", u"<table><tr><td id=a></td></tr><tr><td id=b>|</td></tr></table>"_s, u"b"_s, u"b"_s,
         u"a b"_s},
        // Header cells are cells; a row shorter than the column has no cell in it.
        {"header row, spans", QString(nested).remove(u'|').replace(u"wide"_s, u"wi|de"_s), u"s1"_s, u"s1"_s,
         u"h1 r1 s1"_s},
        {"inside a nested table", nested, u"n1"_s, u"n1 n2"_s, u"n1 n3"_s},
        {"after a nested table in the outer cell",
         QString(nested).remove(u'|').replace(u" tail"_s, u" t|ail"_s), u"r2"_s, u"r1 r2"_s, u"h2 r2"_s},
        {"upper case, quoted ids, comment with a cell",
         u"<TABLE><TR><!-- <td id=x> --><TD ID=\"q\">a|</TD><TH ID='w'>b</TH></TR></TABLE>"_s, u"q"_s,
         u"q w"_s, u"q"_s},
        {"outside any table", u"<p>a|</p><table><tr><td id=a></td></tr></table>"_s, u""_s, u""_s, u""_s},
        {"after a table", u"<table><tr><td id=a></td></tr></table><p>|</p>"_s, u""_s, u""_s, u""_s},
        {"in a caption before any row", u"<table><caption>c|</caption><tr><td id=a></td></tr></table>"_s,
         u""_s, u""_s, u""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const Captured doc = captured(c.document);
        EXPECT_EQ(targetIds(doc, CellScope::Cell), c.cell);
        EXPECT_EQ(targetIds(doc, CellScope::Row), c.row);
        EXPECT_EQ(targetIds(doc, CellScope::Column), c.column);
    }
    const Captured doc = captured(grid);
    const CellTargets targets = findCellTargets(doc.document, doc.marker, CellScope::Row);
    EXPECT_EQ(doc.document.mid(targets.tableBegin, targets.tableEnd - targets.tableBegin),
              doc.document.mid(13, doc.document.indexOf(u"<p>after"_s) - 13));
}

TEST(CellFormat, ReadsTheCellAtTheCaret) {
    const struct {
        const char *why;
        QString tag;
        QString valign, align, rowSpan;
        bool noWrap, percent;
    } cases[] = {
        {"by hand", u"<TD VALIGN=center ALIGN=middle NOWRAP ROWSPAN=3 WIDTH=50%>"_s, u"MIDDLE"_s, u"CENTER"_s,
         u"3"_s, true, true},
        {"as a browser writes it", u"<td valign=\"top\" nowrap=\"\" width=\"40\">"_s, u"TOP"_s, u""_s, u"1"_s,
         true, false},
        {"plain", u"<td>"_s, u""_s, u""_s, u"1"_s, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const Captured doc = captured(u"<table><tr><td>x</td>"_s + c.tag + u"a|b</td></tr></table>"_s);
        const CellFormat format = CellFormatting::readCell(doc.document, doc.marker);
        EXPECT_EQ(format.valign, c.valign);
        EXPECT_EQ(format.align, c.align);
        EXPECT_EQ(format.rowSpan, c.rowSpan);
        EXPECT_EQ(format.noWrap, c.noWrap);
        EXPECT_EQ(format.width.percent, c.percent);
    }
}

TEST(CellFormat, RewritesOnlyTheTargetTags) {
    const Captured doc = captured(grid);
    const struct {
        const char *why;
        CellScope scope;
        void (*change)(CellFormat &);
        QString b1, b2, a2;
    } cases[] = {
        {"row background", CellScope::Row,
         [](CellFormat &f) {
             f.background = {true, u"#FF0000"_s};
         },
         u"<TD id=b1 BGCOLOR=#FF0000>"_s, u"<TD id=b2 BGCOLOR=#FF0000>"_s, u"<TD id=a2>"_s},
        {"column alignment", CellScope::Column, [](CellFormat &f) { f.valign = u"TOP"_s; }, u"<TD id=b1>"_s,
         u"<TD id=b2 VALIGN=TOP>"_s, u"<TD id=a2 VALIGN=TOP>"_s},
        {"cell: capped width, span, no wrap", CellScope::Cell,
         [](CellFormat &f) {
             f.width = {true, u"120"_s, true};
             f.rowSpan = u"3"_s;
             f.noWrap = true;
         },
         u"<TD id=b1>"_s, u"<TD id=b2 WIDTH=100% NOWRAP ROWSPAN=3>"_s, u"<TD id=a2>"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        CellFormat format = CellFormatting::readCell(doc.document, doc.marker);
        c.change(format);
        TagFormat::SizeError error;
        const QString result =
            CellFormatting::rewriteCells(doc.document, doc.marker, c.scope, format, &error);
        EXPECT_EQ(error, TagFormat::SizeError::None);
        for (const auto &[id, tag] :
             {std::pair{u"b1"_s, c.b1}, std::pair{u"b2"_s, c.b2}, std::pair{u"a2"_s, c.a2}}) {
            const qsizetype at = result.indexOf(u"<TD id="_s + id);
            EXPECT_EQ(result.mid(at, result.indexOf(u'>', at) - at + 1), tag);
        }
        // The caret stays after the "5" of b2 in the rewritten text.
        const auto targets = [&](const QString &text) {
            return findCellTargets(text, int(text.indexOf(u"5</TD>"_s)) + 2, c.scope).tags;
        };
        EXPECT_EQ(withoutTags(result, targets(result)), withoutTags(doc.document, targets(doc.document)));
    }
}

TEST(CellFormat, KeepsWhatAScopeDoesNotOfferAndRefusesBadSizes) {
    const Captured doc = captured(u"<table><tr><td width=\"30%\" rowspan=\"2\">a|</td><td nowrap=\"\" "
                                  "width=\"9\" rowspan=\"4\">b</td></tr></table>"_s);
    CellFormat format = CellFormatting::readCell(doc.document, doc.marker);
    format.width = {true, u"x"_s, true}; // not offered for a row, so not checked
    format.rowSpan = u"1"_s;
    TagFormat::SizeError error;
    EXPECT_EQ(
        CellFormatting::rewriteCells(doc.document, doc.marker, CellScope::Row, format, &error),
        u"<table><tr><td width=\"30%\" rowspan=\"2\">a</td><td  width=\"9\" rowspan=\"4\">b</td></tr></table>"_s);
    EXPECT_EQ(CellFormatting::rewriteCells(doc.document, doc.marker, CellScope::Cell, format, &error),
              doc.document);
    EXPECT_EQ(error, TagFormat::SizeError::Width);
    const Captured outside = captured(u"<p>|</p>"_s);
    EXPECT_EQ(CellFormatting::rewriteCells(outside.document, outside.marker, CellScope::Cell, format, &error),
              outside.document);
}
