#include "store/message_body.h"

namespace MessageBody {

namespace {

const QString crLf = QStringLiteral("\r\n");

// Markup counts only from the third character on: the "<p>" the Yahoo fallback puts first
// does not make page text HTML.
bool isPlainText(const QString &body) {
    const QString lower = body.toLower();
    for (const char *mark : {"<p>", "</", "<div"}) {
        if (lower.indexOf(QLatin1String(mark), 2) >= 0)
            return false;
    }
    return true;
}

} // namespace

QString yahooFallback(const QString &pageText, qsizetype lastEnd) {
    if (lastEnd < 0)
        return {};
    return QStringLiteral("<p>") + pageText.mid(lastEnd);
}

QString tidy(QString body, const QString &yahooToCaption) {
    if (!yahooToCaption.isEmpty() && body.left(20).contains(yahooToCaption)) {
        const qsizetype close = body.indexOf(u'>', 4);
        if (close >= 0 && close < 99)
            body = body.mid(close + 1);
    }
    if (isPlainText(body)) {
        body.replace(crLf.repeated(4), crLf.repeated(2));
        body.replace(crLf.repeated(3), crLf.repeated(2));
        body.replace(crLf, QStringLiteral("<br>") + crLf);
    }
    return body;
}

} // namespace MessageBody
