#include "editor/selection_text.h"

QString SelectionText::withoutDesignTimeAttributes(QString html) {
    static const QString attribute = QStringLiteral("DESIGNTIME");
    for (qsizetype p = html.indexOf(attribute); p >= 0; p = html.indexOf(attribute)) {
        const qsizetype close = html.indexOf(QLatin1Char('>'), p);
        // The blank before the attribute goes with it.
        const qsizetype from = p > 0 ? p - 1 : 0;
        html = html.left(from) + (close >= 0 ? html.mid(close) : QString());
    }
    return html;
}

bool SelectionText::spansCellEnd(const QString &html) {
    return html.contains(QLatin1String("</TD>")) || html.contains(QLatin1String("</td>"));
}

SelectionText::Capture SelectionText::takeMarker(const QString &document, const QString &marker, int length) {
    Capture capture;
    const qsizetype at = document.indexOf(marker);
    capture.markerPosition = at >= 0 ? int(at) + 1 : 0;
    capture.document = document;
    capture.document.remove(marker);
    if (at >= 0)
        capture.selectionHtml = capture.document.mid(at, qMax(0, length));
    return capture;
}
