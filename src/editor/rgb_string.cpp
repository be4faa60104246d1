#include "editor/rgb_string.h"

#include <cctype>

QString FormatRGBString(qint32 colour) {
    const quint32 bgr = quint32(colour) & 0xFFFFFFu;
    const quint32 rgb = ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | (bgr >> 16);
    return u'#' + QString::number(rgb, 16).toUpper().rightJustified(6, u'0');
}

qint32 RevFormatRGBString(const QString &text) {
    QString digits = text.trimmed();
    digits.remove(u'#');
    if (digits.size() == 3)
        digits = QString(digits[0]) + digits[0] + digits[1] + digits[1] + digits[2] + digits[2];
    if (digits.size() != 6)
        return -1;
    for (QChar c : digits) {
        if (c.unicode() > 127 || !isxdigit(c.unicode()))
            return -1;
    }
    const uint rgb = digits.toUInt(nullptr, 16);
    return qint32(((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | (rgb >> 16));
}
