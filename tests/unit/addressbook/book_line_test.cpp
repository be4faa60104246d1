// Splitting and joining address book lines.
#include "addressbook/book_line.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;
using BookLine::Delimiter;

namespace {

QString joined(std::initializer_list<QString> fields) {
    std::vector<QStringView> views(fields.begin(), fields.end());
    return BookLine::joinLine(views, Delimiter::Comma);
}

} // namespace

TEST(BookLineTest, ReadsCommaLinesByTheQuoteRules) {
    struct Case {
        const char *why;
        QString line;
        QString tabbed;
    };
    const Case cases[] = {
        {"quoted fields", uR"("John","Smith","j@x.com")"_s, u"John\tSmith\tj@x.com"_s},
        {"a header ending in a separator has an empty last field", u"First,Last,E-mail,"_s,
         u"First\tLast\tE-mail\t"_s},
        {"a comma inside quotes stays in the field", uR"("Smith, John",john@x.com)"_s,
         u"Smith, John\tjohn@x.com"_s},
        {"tabs become blanks", u"a\tb,c"_s, u"a b\tc"_s},
        {"doubled quotes inside a quoted field are one quote", uR"("say ""hi""",x)"_s,
         uR"(say "hi")"_s + u"\tx"_s},
        {"a field of one quote", uR"("""",x)"_s, u"\"\tx"_s},
        {"quotes written undoubled are dropped", uR"("say "hi" there",x)"_s, u"say hi there\tx"_s},
        {"a quote inside an unquoted field is text", uR"(ab"c,d"e,f)"_s, u"ab\"c\td\"e\tf"_s},
        {"empty quoted fields", uR"("","")"_s, u"\t"_s},
        {"an unclosed quote runs to the end of the line", uR"("a,b)"_s, u"a,b"_s},
        {"non-ASCII text", u"Zoë,東京 🙂"_s, u"Zoë\t東京 🙂"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(BookLine::toTabbed(c.line, Delimiter::Comma), c.tabbed);
    }
    EXPECT_EQ(BookLine::toTabbed(uR"("a;b";c,d)"_s, Delimiter::Semicolon), u"a;b\tc,d"_s);
    EXPECT_EQ(BookLine::toTabbed(u"a\t\"b\"\tc,d"_s, Delimiter::Tab), u"a\t\"b\"\tc,d"_s);
}

TEST(BookLineTest, WritesCommaFieldsQuotedWithQuotesDoubled) {
    EXPECT_EQ(joined({u"First"_s, u"Last"_s, u""_s}), uR"("First","Last","")"_s);
    EXPECT_EQ(joined({uR"(say "hi")"_s, u"a,b"_s}), uR"("say ""hi""","a,b")"_s);
    // Line breaks and tabs would split the line or the field when read back.
    EXPECT_EQ(joined({u"a\tb\r\nc"_s}), uR"("a b  c")"_s);
    const std::vector<QStringView> fields{u"a b", u"c,d", u""};
    EXPECT_EQ(BookLine::joinLine(fields, Delimiter::Tab), u"a b\tc,d\t"_s);
}

TEST(BookLineTest, TellsTheSeparatorOfAnImportedHeader) {
    EXPECT_EQ(BookLine::sniffDelimiter(u"Name;Email;Phone"), Delimiter::Semicolon);
    EXPECT_EQ(BookLine::sniffDelimiter(u"Name,Email;Phone"), Delimiter::Comma);
    EXPECT_EQ(BookLine::sniffDelimiter(u"\"a;b;c\",d"), Delimiter::Comma);
    EXPECT_EQ(BookLine::sniffDelimiter(u"Name"), Delimiter::Comma);
    EXPECT_EQ(BookLine::delimiterForPath(u"/x/Friends.TXT"_s), Delimiter::Tab);
    EXPECT_EQ(BookLine::delimiterForPath(u"/x/list.txt.csv"_s), Delimiter::Tab);
    EXPECT_EQ(BookLine::delimiterForPath(u"/x/Friends.csv"_s), Delimiter::Comma);
}

TEST(BookLineTest, AnEditKeepsTheTextBeforeTheFirstBreak) {
    EXPECT_EQ(BookLine::editedCell(u"abc\tdef"), u"abc");
    EXPECT_EQ(BookLine::editedCell(u"abc\r\ndef"), u"abc");
    EXPECT_EQ(BookLine::editedCell(u"\nabc"), u"");
}
