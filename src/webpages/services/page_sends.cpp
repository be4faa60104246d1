#include "webpages/services/page_sends.h"

#include "webpages/web_pane.h"

#include <QWebChannel>

PageSends::PageSends(WebPane &pane)
    : QObject(&pane) {
    setObjectName(QStringLiteral("PageSends"));
    pane.page()->webChannel()->registerObject(QStringLiteral("corvalisSends"), this);
}

PageSends &PageSends::of(WebPane &pane) {
    if (auto *watch = pane.findChild<PageSends *>(QStringLiteral("PageSends"), Qt::FindDirectChildrenOnly))
        return *watch;
    return *new PageSends(pane);
}

void PageSends::answered(const QVariantMap &send) {
    Answer answer;
    const QString outcome = send.value(QStringLiteral("outcome")).toString();
    answer.outcome = outcome == QLatin1String("sent")      ? Answer::Outcome::Sent
                     : outcome == QLatin1String("refused") ? Answer::Outcome::Refused
                                                           : Answer::Outcome::Unclear;
    answer.postData = send.value(QStringLiteral("data")).toString();
    answer.action = send.value(QStringLiteral("action")).toString();
    answer.message = send.value(QStringLiteral("message")).toString();
    answer.own = send.value(QStringLiteral("own")).toBool();
    emit sendAnswered(answer);
}
