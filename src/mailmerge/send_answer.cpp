#include "mailmerge/send_answer.h"

namespace SendAnswer {

QString problem(const Load &load, const QUrl &service) {
    if (load.ending == Ending::Stopped)
        return QStringLiteral("the page's loading was broken off");
    if (load.httpStatus >= 400 || (load.httpStatus > 0 && load.httpStatus < 200))
        return QStringLiteral("the service answered with HTTP status %1").arg(load.httpStatus);
    if (load.ending == Ending::Failed || load.errorPage || load.httpStatus == 0) {
        return load.error.isEmpty() ? QStringLiteral("no answer came")
                                    : QStringLiteral("no answer came (%1)").arg(load.error);
    }
    // Redirected away from the service (a sign-in page elsewhere, a captive portal): not its answer.
    if (load.url.host().compare(service.host(), Qt::CaseInsensitive) != 0 || load.url.host().isEmpty())
        return QStringLiteral("the answer came from another site (%1)")
            .arg(load.url.host().isEmpty() ? load.url.toString() : load.url.host());
    return {};
}

QString noAnswer(int seconds) {
    return QStringLiteral("no answer came within %1 s").arg(seconds);
}

} // namespace SendAnswer
