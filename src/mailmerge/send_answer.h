#pragma once

#include <QString>
#include <QUrl>

// What counts as the service's answer in a mail merge: the rules the run applies to the loads of
// the compose pane, as the browser reported them. An email counts as sent only when the load
// that follows its submit finishes with a successful page from the service: HTTP status 2xx or
// 3xx, on the service's own host, not the browser's error page. Anything else leaves it unknown.
namespace SendAnswer {

// How a load of the page ended.
enum class Ending { Succeeded, Failed, Stopped };

struct Load {
    Ending ending = Ending::Failed;
    QUrl url;               // where it ended, redirects followed
    int httpStatus = 0;     // the answer's HTTP status; 0 when no answer came
    bool errorPage = false; // the browser shows its own error page
    QString error;          // the browser's words for a failure, e.g. "net::ERR_EMPTY_RESPONSE"
};

// Why `load` is not a good page from the service at `service` (the compose page's address), as
// words that finish "... because ___"; empty when it is one.
QString problem(const Load &load, const QUrl &service);

// The problem when no load ended within `seconds`.
QString noAnswer(int seconds);

} // namespace SendAnswer
