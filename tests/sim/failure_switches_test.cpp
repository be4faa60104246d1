// webmail-sim's failure switches over a plain socket, a connection each, so no client library retries them.
#include "support/sim_process.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A GET, or POST of `form` if any, on its own connection asked to be kept open, so the service closes it only
// when it means to; the answer's status (0: none) and whether the service closed it within the wait.
std::pair<int, bool> request(const QString &base, const QString &target, const QByteArray &form,
                             int waitMs = 1000) {
    const QUrl url(base);
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port()));
    if (!socket.waitForConnected(waitMs))
        return {};
    QByteArray head = (form.isNull() ? "GET " : "POST ") + target.toUtf8() + " HTTP/1.1\r\nHost: sim\r\n";
    if (!form.isNull())
        head += "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                QByteArray::number(form.size()) + "\r\n";
    socket.write(head + "\r\n" + form);
    QByteArray answer;
    const QDeadlineTimer deadline(waitMs);
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        answer += socket.readAll();
        // A kept-alive answer is whole once its body is.
        const qsizetype headEnd = answer.indexOf("\r\n\r\n");
        const qsizetype length = answer.indexOf("Content-Length: ");
        if (headEnd > 0 && length > 0 && length < headEnd &&
            !answer.left(headEnd).contains("Connection: close") &&
            answer.size() - headEnd - 4 >= answer.mid(length + 16, 10).split('\r').value(0).toLongLong())
            break;
    }
    answer += socket.readAll();
    return {answer.mid(9, 3).toInt(), socket.state() != QAbstractSocket::ConnectedState};
}

} // namespace

TEST(FailureSwitches, PagesAndSendsFailAsAskedAndNothingFailedIsRecorded) {
    SimProcess sim;
    ASSERT_TRUE(sim.started());
    const struct {
        QString target;
        QByteArray form; // none: a GET
        int status;      // 0: no answer came
        bool ended;
    } requests[] = {
        {u"/hotmail/inbox"_s, {}, 200, false},
        {u"/hotmail/inbox?status=503"_s, {}, 503, true},
        // The form of a failed post is never read: the connection closes after the answer, so
        // that no part of it is taken for a next request.
        {u"/yahoo/send?status=500"_s, QByteArray("To=a%40x.org&").repeated(800), 500, true},
        {u"/hotmail/send?drop=1"_s, "to=b%40x.org", 0, true},
        {u"/hotmail/send?hang=1"_s, "to=c%40x.org", 0, false},
        {u"/_sim/fail?sends=2&how=teapot"_s, {}, 400, false},
    };
    for (const auto &r : requests) {
        SCOPED_TRACE(r.target.toStdString());
        EXPECT_EQ(request(sim.baseUrl(), r.target, r.form), std::pair(r.status, r.ended));
    }
    EXPECT_EQ(sim.sentFields({u"to"_s}), QStringList());
    // What /_sim/fail does to the sends after it, each way, the merge's failure tests count.
}
