#include "editor/table_format.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using TableFormatting::CountCheck;

TEST(TableFormat, RowAndColumnCounts) {
    const struct {
        QString text;
        CountCheck check;
        int count;
    } cases[] = {
        {u"2"_s, CountCheck::Valid, 2},         {u"   7"_s, CountCheck::Valid, 7},
        {u"500"_s, CountCheck::Valid, 500},     {u"1e2"_s, CountCheck::Valid, 100},
        {u"0"_s, CountCheck::NotPositive, 0},   {u"-1"_s, CountCheck::NotPositive, 0},
        {u"-0"_s, CountCheck::NotPositive, 0},  {u"abc"_s, CountCheck::NotPositive, 0},
        {u""_s, CountCheck::NotPositive, 0},    {u"2.5"_s, CountCheck::NotPositive, 0},
        {u"nan"_s, CountCheck::NotPositive, 0}, {u"501"_s, CountCheck::TooMany, 0},
        {u"1e9"_s, CountCheck::TooMany, 0},     {u"2000"_s, CountCheck::TooMany, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        int count = 0;
        EXPECT_EQ(TableFormatting::checkCount(c.text, TableFormatting::maxRows, &count), c.check);
        EXPECT_EQ(count, c.count);
    }
}

TEST(TableFormat, InsertAttributesInOrder) {
    TableFormat centred;
    centred.align = u"CENTER"_s; // as the dialog opens
    TableFormat full = centred;
    full.width = {true, u"50"_s, true};
    full.align = u"LEFT"_s;
    full.background = {true, u"#FF0000"_s};
    full.borderColour = {true, u"#00FF00"_s};
    TableFormat pixels = centred;
    pixels.width = {true, u"50"_s, false};
    pixels.align.clear();
    TableFormat capped = pixels;
    capped.width = {true, u"150"_s, true};
    const struct {
        const char *why;
        TableFormat format;
        QString expected;
    } cases[] = {
        {"defaults", centred, u" ALIGN=CENTER BORDER=0 CELLPADDING=3 CELLSPACING=0"_s},
        {"everything", full,
         u" WIDTH=50% ALIGN=LEFT BORDER=0 CELLPADDING=3 CELLSPACING=0 BGCOLOR=#FF0000 BORDERCOLOR=#00FF00"_s},
        {"pixels, default alignment", pixels, u" WIDTH=50 BORDER=0 CELLPADDING=3 CELLSPACING=0"_s},
        {"percent capped", capped, u" WIDTH=100% BORDER=0 CELLPADDING=3 CELLSPACING=0"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(TableFormatting::insertAttributes(c.format), c.expected);
    }
    for (const QString &width : {u""_s, u"abc"_s, u"-5"_s}) {
        TableFormat bad = centred;
        bad.width = {true, width, true};
        EXPECT_FALSE(TableFormatting::insertAttributes(bad)) << width.toStdString();
    }
}

TEST(TableFormat, ReadsTablesAsBrowsersAndPeopleWriteThem) {
    const QString rows = u"<tbody><tr><td width=\"5\">x</td></tr></tbody></table>"_s;
    const struct {
        const char *why;
        QString tag;
        QString width, align, border, background;
        bool percent;
    } cases[] = {
        {"browser", u"<table width=\"80%\" align=\"middle\" border=\"1\" bgcolor=\"#ff0000\">"_s, u"80"_s,
         u"CENTER"_s, u"1"_s, u"#ff0000"_s, true},
        {"by hand", u"<TABLE BORDERCOLOR=red WIDTH=300 ALIGN=left>"_s, u"300"_s, u"LEFT"_s, u""_s, u""_s,
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const TableFormat format = TableFormatting::readTable(c.tag + rows);
        EXPECT_EQ(format.width.text, c.width);
        EXPECT_EQ(format.width.percent, c.percent);
        EXPECT_EQ(format.align, c.align);
        EXPECT_EQ(format.border, c.border);
        EXPECT_EQ(format.background.set, !c.background.isEmpty());
        EXPECT_EQ(format.background.text, c.background);
        EXPECT_FALSE(format.height.set);
    }
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
    const auto unchanged = [](TableFormat &) {};
    EXPECT_EQ(
        rewritten(u"<table width=\"80%\" border=\"0\" cellpadding=\"3\" cellspacing=\"0\">"_s, unchanged),
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
