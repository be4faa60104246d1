// A quick look at a file's bytes must never miss text that the full reading finds.
#include "store/saved_message_file.h"
#include "store/search_matcher.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SearchQuickLook, MissesNothingTheFullReadingFinds) {
    const struct {
        QString term, body;
        bool found;
    } cases[] = {
        {u"pomegranate"_s, u"p<i>ome</i>granate"_s, true},
        {u"pomegranate"_s, u"&#x70;ome&#103;ranate"_s, true},
        {u"kelvin"_s, u"\u212Aelvin"_s, true},
        {u"in 2004"_s, u"in\t \r\n2004"_s, true},
        {u"pomegranate"_s, u"pome granate, pomegranat"_s, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.term + u" in "_s + c.body).toStdString());
        const SavedMessage saved{u"Ann <a@x>"_s, u"Plans"_s, u"12/05/2004"_s, u"b@x"_s, {}, {}, c.body};
        EXPECT_EQ(SearchMatcher(c.term).matchesText(SavedMessageFile::content(saved)), c.found);
    }
    const QString utf16 = u"\uFEFFPomegranate"_s;
    EXPECT_TRUE(
        SearchMatcher(u"pomegranate"_s)
            .matchesText(QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)));
}
