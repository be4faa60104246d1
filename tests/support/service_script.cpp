#include "support/service_script.h"

#include <QDeadlineTimer>
#include <QProcess>

ServiceScript::ServiceScript(const QString &script, const QStringList &arguments, int startTimeoutMs)
    : m_process(std::make_unique<QProcess>()) {
    m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process->start(script, arguments);
    QHash<QString, QString> facts;
    const QDeadlineTimer deadline(startTimeoutMs);
    while (m_process->canReadLine() || m_process->waitForReadyRead(int(deadline.remainingTime()))) {
        const QString line = QString::fromUtf8(m_process->readLine()).trimmed();
        if (line == QLatin1String("ready")) {
            m_facts = facts;
            break;
        }
        facts.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    }
}

ServiceScript::~ServiceScript() {
    // The script stops the processes it started, by their pids, at the end of its input.
    m_process->closeWriteChannel();
    if (!m_process->waitForFinished(30000))
        m_process->kill();
}
