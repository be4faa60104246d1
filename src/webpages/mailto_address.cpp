#include "webpages/mailto_address.h"

namespace {

const QString subjectKey = QStringLiteral("subject=");
const QString laterSubjectKey = QStringLiteral("&subject=");
const QString scheme = QStringLiteral("mailto:");

} // namespace

MailtoAddress::Parsed MailtoAddress::parse(const QString &text) {
    const qsizetype question = text.indexOf(u'?');
    if (question < 0)
        return {text, {}};
    Parsed parsed{text.left(question), {}};
    // The parameter is matched whole: "project=x" is no subject.
    const QStringView query = QStringView(text).sliced(question + 1);
    qsizetype value = -1;
    if (query.startsWith(subjectKey, Qt::CaseInsensitive)) {
        value = subjectKey.size();
    } else {
        const qsizetype later = query.indexOf(laterSubjectKey, 0, Qt::CaseInsensitive);
        if (later >= 0)
            value = later + laterSubjectKey.size();
    }
    if (value >= 0)
        parsed.subject = query.sliced(value).toString();
    return parsed;
}

QString MailtoAddress::handOverText(const QString &url) {
    const QString text = url.trimmed();
    return text.startsWith(scheme, Qt::CaseInsensitive) ? text.sliced(scheme.size()) : text;
}
