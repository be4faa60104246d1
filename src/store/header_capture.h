#pragma once

#include "store/header_labels.h"

#include <QString>

// Reading the header values of a displayed web-mail message from the page's visible text
// (line breaks as CR LF), with the captions of HeaderLabels.
namespace HeaderCapture {

struct Headers {
    QString from, to, third, subject, date; // cleaned: no tabs, CR or LF, no outer blanks
    bool fromFound = false;                 // the From caption occurs in the text
    // Yahoo: 0-based index of the line end that closed the last of From, To, third header and
    // Subject found, -1 when none was; the body fallback takes the page text from there.
    qsizetype lastEnd = -1;
};

// The caption text of a label, as QString.
QString label(const QString &provider, HeaderLabels::Kind kind, int language);

// The page language: `current` when its Subject caption occurs in `pageText`, else the first
// searched language whose Subject caption occurs, else still `current`.
int chooseLanguage(const QString &provider, const QString &pageText, int current);

// `provider` is "yahoo" or "hotmail"; anything else is read as "hotmail".
Headers read(const QString &provider, const QString &pageText, int language);

// Tabs, CR and LF removed, then leading and trailing blanks (no-break spaces too).
QString cleanValue(QString value);

} // namespace HeaderCapture
