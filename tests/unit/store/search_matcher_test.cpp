// Finding text in saved messages: the message text as a reader sees it. The quick look at a file's
// bytes must never miss text that the full reading finds.
#include "store/saved_message_file.h"
#include "store/search_matcher.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SearchMatcher, FindsTheTextAReaderSees) {
    const struct {
        QString term, body;
        bool found;
    } cases[] = {
        {u"lunch"_s, u"Shall we have LUNCH?"_s, true},
        {u"creme"_s, u"one CRÈME"_s, false}, // accents count as typed
        {u"crème"_s, u"CR&Egrave;ME cr&#232;me cr&#xE8;me"_s, true},
        {u"Tom & a<b"_s, u"Tom &amp; a&lt;b"_s, true},
        {u"hello"_s, u"he<b>l</b>lo"_s, true},                   // a tag inside a word
        {u"end start"_s, u"the end<br>start"_s, true},           // a line-breaking tag parts words
        {u"see you soon"_s, u"see   you\r\n&nbsp;soon"_s, true}, // blank runs match any blank run
        {u"font"_s, u"<font color=red>red</font>"_s, false},     // tags are no text
        {u"subject"_s, u"nothing here"_s, false}, // the header captions are not the message text
        {u".*"_s, u"anything at all"_s, false},   // a pattern character is text
        {u".*"_s, u"a literal .* here"_s, true},
        {u"1 < 2"_s, u"1 < 2 holds, AT&T"_s, true}, // a "<" that opens no tag is text
        {u"pomegranate"_s, u"&#x70;ome&#103;ranate"_s, true},
        {u"kelvin"_s, u"\u212Aelvin"_s, true},
        {u"pomegranate"_s, u"pome granate, pomegranat"_s, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.term + u" in "_s + c.body).toStdString());
        const SavedMessage saved{u"Ann <a@x>"_s, u"Plans"_s, u"12/05/2004"_s, u"b@x"_s, {}, {}, c.body};
        EXPECT_EQ(SearchMatcher(c.term).matchesText(SavedMessageFile::content(saved)), c.found);
    }
    // Files written on Windows in its code page, or in UTF-16, are read as such.
    EXPECT_TRUE(SearchMatcher(u"café"_s).matchesText("<div id=body>caf\xe9</div>"));
    const QString utf16 = u"\uFEFFPomegranate"_s;
    EXPECT_TRUE(
        SearchMatcher(u"pomegranate"_s)
            .matchesText(QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)));
}
