#pragma once

#include <QFontMetrics>
#include <QSizePolicy>
#include <QString>
#include <QStringList>

// What the controls whose captions wrap (WrappingCheckBox, WrappingPushButton) share.
namespace CaptionWrap {

inline constexpr int textFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;
// A caption wider than this wraps even when there is room: long lines are hard to read.
inline constexpr int preferredWidth = 360;

// The widest word: as narrow as the caption can be made.
inline int longestWord(const QFontMetrics &metrics, const QString &caption) {
    int longest = 0;
    for (const QString &word : caption.split(u' ', Qt::SkipEmptyParts))
        longest = qMax(longest, metrics.horizontalAdvance(word));
    return longest;
}

// As wide as the layout allows, as high as the caption then needs.
inline QSizePolicy sizePolicy() {
    // Not Fixed: a fixed height would be the one-line height of the preferred width.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    return policy;
}

} // namespace CaptionWrap
