// The table and cell dialogs' rules on the document's HTML text.
#include "editor/cell_format.h"
#include "editor/selection_text.h"
#include "editor/start_tag_changes.h"
#include "editor/table_format.h"
#include "editor/tag_value.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

using Captured = SelectionText::Capture;

// A document written with "|" where the caret stands, as the selection capture gives it.
Captured captured(const QString &withCaret) {
    return SelectionText::takeMarker(withCaret, u"|"_s, 0);
}

QString targetIds(const Captured &doc, CellScope scope) {
    QStringList ids;
    for (const TagSpan &tag : findCellTargets(doc.document, doc.markerPosition, scope).tags)
        ids << TagValue(doc.document, int(tag.begin) + 1, u"ID"_s, {}, TagRead);
    return ids.join(u' ');
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
    const std::tuple<const char *, QString, QString, QString, QString> cases[] = {
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
        {"in a caption before any row", u"<table><caption>c|</caption><tr><td id=a></td></tr></table>"_s,
         u""_s, u""_s, u""_s},
    };
    for (const auto &[why, document, cell, row, column] : cases) {
        SCOPED_TRACE(why);
        const Captured doc = captured(document);
        EXPECT_EQ(QStringList({targetIds(doc, CellScope::Cell), targetIds(doc, CellScope::Row),
                               targetIds(doc, CellScope::Column)}),
                  QStringList({cell, row, column}));
    }
}

TEST(CellFormat, ReadsTheCellAtTheCaret) {
    // Vertical and horizontal alignment, row span, no-wrap and a width in percent, in one line.
    const auto summary = [](const QString &tag) {
        const Captured doc = captured(u"<table><tr><td>x</td>"_s + tag + u"a|b</td></tr></table>"_s);
        const CellFormat f = CellFormatting::readCell(doc.document, doc.markerPosition);
        return QStringList{f.valign, f.align, f.rowSpan, f.noWrap ? u"nowrap"_s : u"wrap"_s,
                           f.width.percent ? u"%"_s : u"px"_s}
            .join(u' ');
    };
    EXPECT_EQ(summary(u"<TD VALIGN=center ALIGN=middle NOWRAP ROWSPAN=3 WIDTH=50%>"_s),
              u"MIDDLE CENTER 3 nowrap %"_s);
    EXPECT_EQ(summary(u"<td valign=\"top\" nowrap=\"\" width=\"40\">"_s), u"TOP  1 nowrap px"_s);
    EXPECT_TRUE(summary(u"<td>"_s).contains(u" wrap "_s));
}

// Whole documents are compared: the text outside the rewritten tags comes back byte for byte.
TEST(CellFormat, RewritesOnlyTheTargetTags) {
    const Captured doc = captured(grid);
    const CellFormat read = CellFormatting::readCell(doc.document, doc.markerPosition);
    CellFormat background = read, valign = read, cell = read;
    background.background = {true, u"#FF0000"_s};
    valign.valign = u"TOP"_s;
    cell.width = {true, u"120"_s, true};
    cell.rowSpan = u"3"_s;
    cell.noWrap = true;
    // Scope, format, what is added to each target tag, the targets.
    const std::tuple<CellScope, CellFormat, QString, QStringList> cases[] = {
        {CellScope::Row, background, u" BGCOLOR=#FF0000"_s, {u"b1"_s, u"b2"_s, u"b3"_s}},
        {CellScope::Column, valign, u" VALIGN=TOP"_s, {u"a2"_s, u"b2"_s, u"c2"_s}},
        {CellScope::Cell, cell, u" WIDTH=100% NOWRAP ROWSPAN=3"_s, {u"b2"_s}}};
    for (const auto &[scope, format, added, targets] : cases) {
        SCOPED_TRACE(added.toStdString());
        QString expected = doc.document;
        for (const QString &id : targets)
            expected.replace(u"<TD id="_s + id + u'>', u"<TD id="_s + id + added + u'>');
        TagFormat::SizeError error;
        const QString rewritten =
            CellFormatting::rewriteCells(doc.document, doc.markerPosition, scope, format, &error);
        EXPECT_EQ(rewritten, expected);
        EXPECT_EQ(error, TagFormat::SizeError::None);
        const auto changes = StartTagChanges::between(doc.document, rewritten);
        ASSERT_TRUE(changes);
        EXPECT_EQ(changes->size(), size_t(targets.size()));
        for (const auto &[from, to] : {std::pair{u">5<"_s, u">6<"_s}, {u"</TD>"_s, u"</TH>"_s}})
            EXPECT_FALSE(StartTagChanges::between(doc.document, QString(rewritten).replace(from, to)));
    }
}

TEST(CellFormat, KeepsWhatAScopeDoesNotOfferAndRefusesBadSizes) {
    const Captured doc = captured(u"<table><tr><td width=\"30%\" rowspan=\"2\">a|</td><td nowrap=\"\" "
                                  "width=\"9\" rowspan=\"4\">b</td></tr></table>"_s);
    CellFormat format = CellFormatting::readCell(doc.document, doc.markerPosition);
    format.width = {true, u"x"_s, true}; // not offered for a row, so not checked
    format.rowSpan = u"1"_s;
    TagFormat::SizeError error;
    EXPECT_EQ(
        CellFormatting::rewriteCells(doc.document, doc.markerPosition, CellScope::Row, format, &error),
        u"<table><tr><td width=\"30%\" rowspan=\"2\">a</td><td  width=\"9\" rowspan=\"4\">b</td></tr></table>"_s);
    EXPECT_EQ(CellFormatting::rewriteCells(doc.document, doc.markerPosition, CellScope::Cell, format, &error),
              doc.document);
    EXPECT_EQ(error, TagFormat::SizeError::Width);
}

// Items in order, each after one blank; a percentage is capped at 100, and a width that is no
// number stops the insertion.
TEST(TableFormat, InsertAttributesInOrder) {
    TableFormat format;
    format.width = {true, u"150"_s, true};
    format.align = u"LEFT"_s;
    format.background = {true, u"#FF0000"_s};
    format.borderColour = {true, u"#00FF00"_s};
    EXPECT_EQ(
        TableFormatting::insertAttributes(format),
        u" WIDTH=100% ALIGN=LEFT BORDER=0 CELLPADDING=3 CELLSPACING=0 BGCOLOR=#FF0000 BORDERCOLOR=#00FF00"_s);
    format = {};
    format.width = {true, u"50"_s, false};
    EXPECT_EQ(TableFormatting::insertAttributes(format), u" WIDTH=50 BORDER=0 CELLPADDING=3 CELLSPACING=0"_s);
    format.width.text = u"abc"_s;
    EXPECT_FALSE(TableFormatting::insertAttributes(format));
}

TEST(TableFormat, ReadsTablesAsBrowsersAndPeopleWriteThem) {
    const TableFormat browser = TableFormatting::readTable(
        u"<table width=\"80%\" align=\"middle\" border=\"1\" bgcolor=\"#ff0000\"><tr><td width=5>x</td></tr>"_s);
    EXPECT_TRUE(browser.width.percent);
    EXPECT_EQ(QStringList({browser.width.text, browser.align, browser.border, browser.background.text}),
              QStringList({u"80"_s, u"CENTER"_s, u"1"_s, u"#ff0000"_s}));
    const TableFormat byHand =
        TableFormatting::readTable(u"<TABLE BORDERCOLOR=red WIDTH=300 ALIGN=left><TR>"_s);
    EXPECT_FALSE(byHand.width.percent || byHand.background.set || byHand.height.set);
    EXPECT_EQ(QStringList({byHand.width.text, byHand.align, byHand.border, byHand.borderColour.text}),
              QStringList({u"300"_s, u"LEFT"_s, u""_s, u"red"_s}));
    EXPECT_EQ(TableFormatting::readTable(u"<p>no table</p>"_s).padding, u"3"_s);
}

TEST(TableFormat, RewritesTheTableTagOnly) {
    const QString rows = u"<TR><TD WIDTH=5 BORDER=9>x</TD></TR></TABLE>"_s;
    const auto rewritten = [&](const QString &tag, auto change) {
        TableFormat format = TableFormatting::readTable(tag + rows);
        change(format);
        TagFormat::SizeError error;
        const QString html = TableFormatting::rewriteTable(tag + rows, format, &error);
        EXPECT_EQ(error, TagFormat::SizeError::None);
        EXPECT_TRUE(html.endsWith(rows)) << "the rows come back as they were";
        return html.chopped(rows.size());
    };
    EXPECT_EQ(rewritten(u"<table width=\"80%\" border=\"0\" cellpadding=\"3\" cellspacing=\"0\">"_s,
                        [](TableFormat &) {}),
              u"<table width=80% border=0 cellpadding=3 cellspacing=0>"_s);
    // BORDER goes in as its own attribute; BORDERCOLOR keeps its value.
    EXPECT_EQ(rewritten(u"<TABLE BORDERCOLOR=#00FF00>"_s, [](TableFormat &f) { f.border = u"2"_s; }),
              u"<TABLE BORDERCOLOR=#00FF00 BORDER=2>"_s);
    EXPECT_EQ(
        rewritten(u"<TABLE BGCOLOR=#FF0000 BORDER=1>"_s, [](TableFormat &f) { f.background.set = false; }),
        u"<TABLE  BORDER=1>"_s);
    EXPECT_EQ(rewritten(u"<TABLE>"_s,
                        [](TableFormat &f) {
                            f.width = {true, u"150"_s, true};
                            f.height = {true, u"40"_s, false};
                            f.align = u"RIGHT"_s;
                            f.border.clear();
                            f.image = {true, u"pics/a b.gif"_s};
                        }),
              u"<TABLE WIDTH=100% HEIGHT=40 ALIGN=RIGHT BACKGROUND=\"pics/a b.gif\">"_s);

    TableFormat badHeight;
    badHeight.height = {true, u"x"_s, true};
    TagFormat::SizeError error;
    EXPECT_EQ(TableFormatting::rewriteTable(u"<TABLE>"_s + rows, badHeight, &error), u"<TABLE>"_s + rows);
    EXPECT_EQ(error, TagFormat::SizeError::Height);
}

TEST(TableFormat, BackgroundImagePathsFollowTheDocument) {
    const QString post = u"file:///home/a/blog/post.htm"_s;
    EXPECT_EQ(TagFormat::relativeImagePath(u"/home/a/blog/pics/x.gif"_s, post), u"pics/x.gif"_s);
    EXPECT_EQ(TagFormat::relativeImagePath(u"/home/a/x.gif"_s, u""_s), u"file:///home/a/x.gif"_s);
    EXPECT_EQ(TagFormat::relativeImagePath(u"pics/x.gif"_s, post), u"pics/x.gif"_s);
}
