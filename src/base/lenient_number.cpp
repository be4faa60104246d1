#include "base/lenient_number.h"

#include <limits>

int lenientToInt(QStringView text) {
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (i < size && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    bool negative = false;
    if (i < size && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }

    // Accumulate in 64 bits and stop growing once past the int range, so any number of digits is safe.
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (; i < size && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (magnitude < limit)
            magnitude = magnitude * 10 + (text[i].unicode() - u'0');
    }

    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}
