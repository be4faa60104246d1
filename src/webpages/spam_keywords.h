#pragma once

#include <QString>
#include <QStringList>

// The spam keyword list: typed one keyword per line, kept in the settings file as a few values
// of keywords joined by "|", each value short enough for the file.
namespace SpamKeywords {

// The keywords of the typed text: one per line, blanks around them dropped, empty lines skipped.
QStringList fromText(const QString &text);
QString toText(const QStringList &keywords);

struct Stored {
    QStringList values; // one per settings value, `valueCount` of them, unused ones empty
    qsizetype kept = 0; // keywords that fitted, from the first on
};
// Fills the values in keyword order; a keyword never spans two values. A keyword that does not
// fit in what is left, and every keyword after it, is left out.
Stored toSettingValues(const QStringList &keywords, int valueCount, qsizetype maxLength);
QStringList fromSettingValues(const QStringList &values);

} // namespace SpamKeywords
