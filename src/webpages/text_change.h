#pragma once

#include <QString>

// A long text as the change from the one before it: the lengths it keeps of that one's start and
// end, and what comes between them. Sending the change instead of the whole text spares the page
// most of a large document.
struct TextChange {
    qsizetype keptStart = 0;
    qsizetype keptEnd = 0;
    QString middle;

    static TextChange between(QStringView before, QStringView after);
};
