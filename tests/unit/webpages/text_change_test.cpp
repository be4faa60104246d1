#include "webpages/text_change.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

// The change rebuilds the new text from the old one's ends (never overlapping) and carries only what differs.
TEST(TextChange, RebuildsTheNewTextFromTheOldOnesEnds) {
    for (const auto &[before, after, middle] :
         {std::tuple{u"<p>one</p>"_s, u"<p>one</p>"_s, QString()},
          {QString(), u"all new"_s, u"all new"_s},
          {u"<p>one</p><p>two</p>"_s, u"<p>one</p><p>2</p>"_s, u"2"_s},
          {u"aaaa"_s, u"aa"_s, QString()},
          {u"abcabc"_s, u"abcXabc"_s, u"X"_s},
          {u"x\U0001F600y"_s, u"x\U0001F601y"_s, QString(QChar(0xDE01))}}) {
        const TextChange change = TextChange::between(before, after);
        EXPECT_EQ(change.middle, middle) << after.toStdString();
        EXPECT_EQ(before.first(change.keptStart) + change.middle + before.last(change.keptEnd), after);
    }
}
