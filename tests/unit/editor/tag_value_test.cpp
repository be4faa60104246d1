#include "editor/rgb_string.h"
#include "editor/tag_value.h"

#include "support/sim_process.h" // prints QStrings in failures

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The tag under test stands after some text, so that `start` is not 1 and the text around it
// must come back untouched.
const QString before = u"<p>x</p>"_s;
const QString after = u"cell</TD>"_s;

QString apply(const QString &tag, const QString &name, const QString &value, int mode) {
    return TagValue(before + tag + after, int(before.size()) + 1, name, value, mode);
}

} // namespace

TEST(TagValue, ReadsWholeAttributeNames) {
    const std::tuple<const char *, QString, QString, QString> cases[] = {
        {"unquoted", u"<TD WIDTH=50>"_s, u"WIDTH"_s, u"50"_s},
        {"quoted, as a browser writes it", u"<td width=\"80%\">"_s, u"WIDTH"_s, u"80%"_s},
        {"single quotes", u"<td title='a \"b\"'>"_s, u"TITLE"_s, u"a \"b\""_s},
        {"blanks around =", u"<TD WIDTH = 50 >"_s, u"WIDTH"_s, u"50"_s},
        {"missing attribute", u"<TD HEIGHT=5>"_s, u"WIDTH"_s, u""_s},
        {"BORDER is not BORDERCOLOR", u"<TABLE BORDERCOLOR=#FF0000 BORDER=2>"_s, u"BORDER"_s, u"2"_s},
        {"BORDER only inside BORDERCOLOR", u"<TABLE BORDERCOLOR=#FF0000>"_s, u"BORDER"_s, u""_s},
        {"ALIGN is not VALIGN", u"<TD VALIGN=TOP>"_s, u"ALIGN"_s, u""_s},
        {"a name inside another value", u"<TD TITLE=\"WIDTH=9\" WIDTH=3>"_s, u"WIDTH"_s, u"3"_s},
        {"flag", u"<TD NOWRAP>"_s, u"NOWRAP"_s, u"<ON>"_s},
        // The flag must not take the "=" of the attribute after it.
        {"flag before a valued attribute", u"<TD NOWRAP WIDTH=5>"_s, u"NOWRAP"_s, u"<ON>"_s},
        {"\">\" inside quotes does not end the tag", u"<TD TITLE=\"a>b\" WIDTH=4>"_s, u"WIDTH"_s, u"4"_s},
        {"unclosed quote ends at \">\"", u"<TD WIDTH=\"50>"_s, u"WIDTH"_s, u"50"_s},
        {"line breaks inside the tag", u"<TD\r\n  ALIGN=left\r\n>"_s, u"ALIGN"_s, u"left"_s},
    };
    for (const auto &[why, tag, name, expected] : cases)
        EXPECT_EQ(apply(tag, name, {}, TagRead), expected) << why;
    EXPECT_EQ(TagValue(u"<TD WIDTH=5"_s, 1, u"WIDTH"_s, {}, TagRead), u""_s) << "tag without \">\"";
    EXPECT_EQ(TagValue(u"x<TD WIDTH=5>"_s, 1, u"WIDTH"_s, u"6"_s, TagSetValue), u"x<TD WIDTH=5>"_s)
        << "no tag at start";
}

TEST(TagValue, SetsAndRemovesValuedAttributes) {
    const std::tuple<const char *, QString, QString, QString, QString> cases[] = {
        {"in place", u"<TD WIDTH=50 ALIGN=LEFT>"_s, u"WIDTH"_s, u"80%"_s, u"<TD WIDTH=80% ALIGN=LEFT>"_s},
        {"quoted", u"<td width=\"50\" id=\"a\">"_s, u"WIDTH"_s, u"80"_s, u"<td width=80 id=\"a\">"_s},
        {"appended at the end", u"<TD ALIGN=LEFT>"_s, u"HEIGHT"_s, u"7"_s, u"<TD ALIGN=LEFT HEIGHT=7>"_s},
        {"not BORDERCOLOR", u"<TD BORDERCOLOR=0>"_s, u"BORDER"_s, u"1"_s, u"<TD BORDERCOLOR=0 BORDER=1>"_s},
        {"removed", u"<TD WIDTH=50 ALIGN=LEFT>"_s, u"WIDTH"_s, u""_s, u"<TD  ALIGN=LEFT>"_s},
        {"removed, quotes too", u"<td width=\"50\" id=\"a\">"_s, u"WIDTH"_s, u""_s, u"<td  id=\"a\">"_s},
        {"blank", u"<TD>"_s, u"BACKGROUND"_s, u"my pics/a.gif"_s, u"<TD BACKGROUND=\"my pics/a.gif\">"_s},
        {"double quote", u"<TD>"_s, u"TITLE"_s, u"say \"hi\""_s, u"<TD TITLE='say \"hi\"'>"_s},
        {"\">\"", u"<TD WIDTH=1>"_s, u"WIDTH"_s, u"a>b"_s, u"<TD WIDTH=\"a>b\">"_s},
        {"flag to value", u"<TD WIDTH NOWRAP>"_s, u"WIDTH"_s, u"5"_s, u"<TD WIDTH=5 NOWRAP>"_s},
        {"before />", u"<IMG SRC=a.gif />"_s, u"WIDTH"_s, u"5"_s, u"<IMG SRC=a.gif WIDTH=5 />"_s},
        {"slash in a value", u"<A HREF=/x/>"_s, u"NAME"_s, u"n"_s, u"<A HREF=/x/ NAME=n>"_s},
    };
    for (const auto &[why, tag, name, value, expected] : cases) {
        SCOPED_TRACE(why);
        EXPECT_EQ(apply(tag, name, value, TagSetValue), before + expected + after);
        if (!value.isEmpty()) {
            EXPECT_EQ(apply(expected, name, {}, TagRead), value) << "what is written reads back";
        }
    }
    // Nothing is lost from a tag that is not closed.
    EXPECT_EQ(TagValue(u"<TD WIDTH=5"_s, 1, u"WIDTH"_s, u"6"_s, TagSetValue), u"<TD WIDTH=5"_s);
}

TEST(TagValue, SetsAndRemovesFlags) {
    const std::tuple<const char *, QString, QString, QString> cases[] = {
        {"kept", u"<TD NOWRAP ALIGN=LEFT>"_s, u"1"_s, u"<TD NOWRAP ALIGN=LEFT>"_s},
        {"removed", u"<TD NOWRAP ALIGN=LEFT>"_s, u"0"_s, u"<TD  ALIGN=LEFT>"_s},
        {"added", u"<TD ALIGN=LEFT>"_s, u"1"_s, u"<TD ALIGN=LEFT NOWRAP>"_s},
        // A browser writes a flag back as nowrap="": it is still the flag.
        {"browser form kept", u"<td nowrap=\"\">"_s, u"1"_s, u"<td nowrap=\"\">"_s},
        {"browser form removed", u"<td nowrap=\"\" align=\"left\">"_s, u""_s, u"<td  align=\"left\">"_s},
    };
    for (const auto &[why, tag, value, expected] : cases) {
        const QString result = apply(tag, u"NOWRAP"_s, value, TagSetFlag);
        EXPECT_EQ(std::pair(result, TagHasAttribute(result, int(before.size()) + 1, u"NOWRAP"_s)),
                  std::pair(before + expected + after, value == u"1"))
            << why;
    }
    EXPECT_EQ(apply(u"<TD NOWRAP>"_s, u"NOWRAP"_s, {}, TagSetValue), before + u"<TD >"_s + after);
}

TEST(RgbString, ConvertsBetweenColourNumbersAndHtml) {
    for (const auto &[colour, html] : {std::pair{255, u"#FF0000"_s},
                                       {0, u"#000000"_s},
                                       {0xFF0000, u"#0000FF"_s},
                                       {0x123456, u"#563412"_s}}) {
        EXPECT_EQ(FormatRGBString(colour), html);
        EXPECT_EQ(RevFormatRGBString(html), colour);
    }
    EXPECT_EQ(FormatRGBString(qint32(0x80000005)), u"#050000"_s) << "only the colour bytes count";
    EXPECT_EQ(RevFormatRGBString(u" ff0000 "_s), 255);
    EXPECT_EQ(RevFormatRGBString(u"#f00"_s), 255);
    for (const QString &text : {u"red"_s, u""_s, u"#12345"_s, u"#0x1234"_s, u"#-12345"_s, u"#GG0000"_s})
        EXPECT_EQ(RevFormatRGBString(text), -1) << text.toStdString();
}
