#include "webpages/text_change.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The change rebuilds the new text from the old one's kept ends, and carries no more than what differs,
// the kept start and end never overlapping where the text repeats itself.
TEST(TextChange, RebuildsTheNewTextFromTheOldOnesEnds) {
    const struct {
        QString before, after, middle;
    } cases[] = {{u"<p>one</p>"_s, u"<p>one</p>"_s, {}},
                 {{}, u"all new"_s, u"all new"_s},
                 {u"all gone"_s, {}, {}},
                 {u"<p>one</p><p>two</p>"_s, u"<p>one</p><p>2</p>"_s, u"2"_s},
                 {u"aaaa"_s, u"aa"_s, {}},
                 {u"abcabc"_s, u"abcXabc"_s, u"X"_s},
                 {u"x\U0001F600y"_s, u"x\U0001F601y"_s, QString(QChar(0xDE01))}};
    for (const auto &c : cases) {
        const TextChange change = TextChange::between(c.before, c.after);
        EXPECT_EQ(change.middle, c.middle) << c.after.toStdString();
        EXPECT_LE(change.keptStart + change.keptEnd, c.before.size());
        EXPECT_EQ(c.before.first(change.keptStart) + change.middle + c.before.last(change.keptEnd), c.after);
    }
}
