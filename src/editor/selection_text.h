#pragma once

#include <QString>

// Text rules of the selection capture, on plain strings.
namespace SelectionText {

// Removes the editor's design-time attributes: from the blank before each "DESIGNTIME" up to
// the next ">" (kept), or to the end when there is none.
QString withoutDesignTimeAttributes(QString html);

// Whether a selection's HTML reaches over a cell's end (holds a closing cell tag).
bool spansCellEnd(const QString &html);

// The captured document's values: the marker's 1-based position (0 when missing), the
// document without any marker, and the selection's HTML of `length` characters from there.
struct Capture {
    int markerPosition = 0;
    QString document;
    QString selectionHtml;
};
Capture takeMarker(const QString &document, const QString &marker, int length);

} // namespace SelectionText
