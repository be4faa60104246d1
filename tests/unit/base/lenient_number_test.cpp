#include "base/lenient_number.h"

#include <QString>

#include <gtest/gtest.h>

#include <climits>

TEST(LenientNumber, ReadsLeadingNumberAndIgnoresTheRest) {
    const struct {
        const char16_t *text;
        int expected;
    } cases[] = {
        {u"-1", -1},
        {u"abc", 0},
        {u" 7", 7},
        {u"\t 12px", 12},
        {u"3.9", 3},
        {u"+4", 4},
        {u"- 4", 0},     // a sign must touch its digits
        {u"1 2", 1},     // the number ends at the blank
        {u"\u00A04", 0}, // only space and tab count as leading blanks
        {u"99999999999", INT_MAX},
        {u"-2147483648", INT_MIN},
        {u"2147483648", INT_MAX},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(lenientToInt(QStringView(c.text)), c.expected);
    }
}
