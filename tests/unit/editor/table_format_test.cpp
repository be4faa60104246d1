#include "editor/table_format.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
    EXPECT_EQ(TagFormat::relativeImagePath(u"/home/a/blog/pics/x.gif"_s, u"file:///home/a/blog/post.htm"_s),
              u"pics/x.gif"_s);
    EXPECT_EQ(TagFormat::relativeImagePath(u"/home/a/x.gif"_s, u"file:///home/a/blog/post.htm"_s),
              u"../x.gif"_s);
    EXPECT_EQ(TagFormat::relativeImagePath(u"/home/a/x.gif"_s, u""_s), u"file:///home/a/x.gif"_s);
    EXPECT_EQ(TagFormat::relativeImagePath(u"pics/x.gif"_s, u"file:///home/a/post.htm"_s), u"pics/x.gif"_s);
}
