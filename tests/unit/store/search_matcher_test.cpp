// Finding text in saved messages: names as the file names carry them, and the message text as
// a reader sees it.
#include "store/saved_message_file.h"
#include "store/search_matcher.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray savedFile(const QString &body) {
    return SavedMessageFile::content(
        {u"Ann <ann@example.com>"_s, u"Plans"_s, u"12/05/2004 10:31"_s, u"bob@example.com"_s, {}, {}, body});
}

} // namespace

TEST(SearchMatcher, FindsTheTextAReaderSees) {
    const struct {
        QString term, body;
        bool found;
    } cases[] = {
        {u"lunch"_s, u"Shall we have LUNCH?"_s, true},
        {u"Crème brûlée"_s, u"one CRÈME BRÛLÉE please"_s, true},
        {u"creme"_s, u"one crème brûlée"_s, false}, // accents count as typed
        {u"crème"_s, u"one cr&egrave;me and cr&#232;me and cr&#xE8;me"_s, true},
        {u"Tom & Jerry"_s, u"Tom &amp; Jerry"_s, true},
        {u"a<b"_s, u"if a&lt;b then"_s, true},
        {u"hello"_s, u"he<b>l</b>lo"_s, true},         // a tag inside a word
        {u"end start"_s, u"the end<br>start"_s, true}, // a line-breaking tag parts words
        {u"endstart"_s, u"the end<p>start"_s, false},
        {u"see you soon"_s, u"see   you\r\n&nbsp;soon"_s, true}, // blank runs match any blank run
        {u"font"_s, u"<font color=red>red</font>"_s, false},     // tags are no text
        {u"color"_s, u"<span style=\"color:red\">x</span>"_s, false},
        {u"alert"_s, u"<script>alert(1)</script>visible"_s, false},
        {u"hidden"_s, u"<!-- hidden -->shown"_s, false},
        {u"subject"_s, u"nothing here"_s, false}, // the header captions are not the message text
        {u"ann@example.com"_s, u"nothing here"_s, false},
        {u".*"_s, u"anything at all"_s, false}, // a pattern character is text
        {u".*"_s, u"a literal .* here"_s, true},
        {u"["_s, u"no bracket"_s, false},
        {u"["_s, u"a [bracket]"_s, true},
        {u"1 < 2"_s, u"1 < 2 holds"_s, true}, // a "<" that opens no tag is text
        {u"AT&T"_s, u"AT&T and &unknown;"_s, true},
        {u"🍰"_s, u"cake 🍰"_s, true},
        {u"  "_s, u"anything"_s, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.term + u" in "_s + c.body).toStdString());
        EXPECT_EQ(SearchMatcher(c.term).matchesText(savedFile(c.body)), c.found);
    }
    // A file written on Windows in its code page is read as such.
    EXPECT_TRUE(SearchMatcher(u"café"_s).matchesText("<div id=body>caf\xe9</div>"));
}

TEST(SearchMatcher, MatchesNamesAsListed) {
    const std::optional<MessageName> name =
        MessageName::parse(u"Ann Lee &&Re  Crème [draft]&&12#05#2004 10^31&&bob@example.com.htm"_s,
                           LooseDate::Order::MonthFirst);
    ASSERT_TRUE(name);
    const struct {
        QString term;
        bool found;
    } cases[] = {{u"ann"_s, true},    {u"CRÈME"_s, true}, {u"[draft]"_s, true}, {u"BOB@"_s, true},
                 {u"creme"_s, false}, {u"2004"_s, false}, {u"["_s, true},       {u".*"_s, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.term.toStdString());
        EXPECT_EQ(SearchMatcher(c.term).matchesName(*name), c.found);
    }
}
