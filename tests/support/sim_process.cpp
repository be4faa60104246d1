#include "support/sim_process.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QTimer>

constexpr int startTimeoutMs = 10000;
constexpr int requestTimeoutMs = 5000;

SimProcess::SimProcess()
    : m_process(std::make_unique<QProcess>())
    , m_network(std::make_unique<QNetworkAccessManager>()) {
    // Loopback only: a proxy from the environment must not see these requests.
    m_network->setProxy(QNetworkProxy::NoProxy);
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(QStringLiteral(WEBMAIL_SIM_PATH), {QStringLiteral("--port"), QStringLiteral("0")});
    // The sim's first line is its address; a sim that never started or says nothing leaves it empty.
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!m_process->canReadLine() && m_process->waitForReadyRead(int(deadline.remainingTime())))
        ;
    const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
    if (line.startsWith(QLatin1String("http://")))
        m_baseUrl = line;
}

SimProcess::~SimProcess() {
    stop();
}

void SimProcess::stop() {
    // Closing our keep-alive connections first lets the sim's workers finish at once.
    m_network.reset();
    if (m_process->state() == QProcess::NotRunning)
        return;
    m_process->terminate();
    if (!m_process->waitForFinished(3000)) {
        m_process->kill();
        m_process->waitForFinished(3000);
    }
}

QByteArray SimProcess::get(const QString &pathAndQuery) const {
    if (!started() || !m_network)
        return {};
    const std::unique_ptr<QNetworkReply> reply(
        m_network->get(QNetworkRequest(QUrl(m_baseUrl + pathAndQuery))));
    QEventLoop loop;
    QTimer::singleShot(requestTimeoutMs, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    // A reply still under way is aborted as it goes.
    return reply->isFinished() ? reply->readAll() : QByteArray();
}

QJsonArray SimProcess::sent() const {
    return QJsonDocument::fromJson(get(QStringLiteral("/_sim/sent"))).array();
}

QStringList SimProcess::sentFields(const QStringList &names) const {
    QStringList messages;
    for (const QJsonValue &message : sent()) {
        QStringList fields;
        for (const QString &name : names)
            fields << message[QStringLiteral("fields")][name].toString();
        messages << fields.join(u'|');
    }
    return messages;
}
