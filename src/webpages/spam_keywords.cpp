#include "webpages/spam_keywords.h"

namespace {

constexpr QChar separator = u'|';

} // namespace

QStringList SpamKeywords::fromText(const QString &text) {
    QStringList keywords;
    for (const QString &line : text.split(u'\n')) {
        // A "|" inside a keyword would split it when it is read back; it counts as a line break.
        for (const QString &part : line.split(separator)) {
            const QString keyword = part.trimmed();
            if (!keyword.isEmpty())
                keywords.push_back(keyword);
        }
    }
    return keywords;
}

QString SpamKeywords::toText(const QStringList &keywords) {
    return keywords.join(u'\n');
}

SpamKeywords::Stored SpamKeywords::toSettingValues(const QStringList &keywords, int valueCount,
                                                   qsizetype maxLength) {
    Stored stored;
    stored.values.fill(QString(), valueCount);
    int slot = 0;
    for (const QString &keyword : keywords) {
        while (slot < valueCount) {
            QString &value = stored.values[slot];
            const qsizetype length = value.isEmpty() ? keyword.size() : value.size() + 1 + keyword.size();
            if (length <= maxLength)
                break;
            if (value.isEmpty())
                return stored; // longer than a whole value
            ++slot;
        }
        if (slot == valueCount)
            return stored;
        QString &value = stored.values[slot];
        if (!value.isEmpty())
            value += separator;
        value += keyword;
        ++stored.kept;
    }
    return stored;
}

QStringList SpamKeywords::fromSettingValues(const QStringList &values) {
    QStringList keywords;
    for (const QString &value : values)
        keywords += fromText(value);
    return keywords;
}
