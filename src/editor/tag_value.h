#pragma once

#include <QString>

// What `TagValue` is asked to do with the attribute; the numbers are the ones its callers pass.
enum TagValueMode : int {
    TagRead = 0,     // give the attribute's value ("<ON>" for a flag that is present)
    TagSetValue = 1, // write name=value, or remove the attribute when the value is empty
    TagSetFlag = 2,  // keep or add a flag attribute when the value is "1", remove it otherwise
};

// Reads or rewrites one attribute of the tag whose "<" stands at the 1-based position `start` of
// `html`. `name` is compared without regard to case and only with whole attribute names, so
// BORDER never matches BORDERCOLOR nor ALIGN VALIGN.
//
// Reading gives the value without its quotes, "" when the attribute is missing, and "<ON>" for a
// flag attribute (one written without "="). Setting and removing give the whole of `html` with
// only that attribute changed: a changed value replaces the old one in place, a new attribute goes
// at the end of the tag after one blank, and a removed attribute goes with its quotes, leaving the
// blank that stood before it. Plain values are written without quotes; a value holding a blank,
// a quote, "=", "<" or ">" is quoted so that the tag stays whole.
//
// A tag without its closing ">" reads as "" and is left unchanged by a set.
QString TagValue(const QString &html, int start, const QString &name, const QString &value, int mode);

// Whether the tag at `start` has the attribute in any form: a flag (NOWRAP), or valued, even with an
// empty value (nowrap="" is how a browser writes a flag back).
bool TagHasAttribute(const QString &html, int start, const QString &name);

// The 0-based index of the ">" that closes the tag starting at the 1-based `start` (quotes
// respected, as `TagValue` reads the tag), or -1 when no closed tag starts there.
qsizetype TagEnd(const QString &html, int start);
