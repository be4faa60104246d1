#include "webpages/text_change.h"

#include <algorithm>

TextChange TextChange::between(QStringView before, QStringView after) {
    const qsizetype most = std::min(before.size(), after.size());
    const qsizetype start =
        std::mismatch(before.begin(), before.begin() + most, after.begin()).first - before.begin();
    // The end kept is looked for only past the start kept, so that the two never overlap.
    const qsizetype end =
        std::mismatch(before.rbegin(), before.rbegin() + (most - start), after.rbegin()).first -
        before.rbegin();
    return {start, end, after.sliced(start, after.size() - start - end).toString()};
}
