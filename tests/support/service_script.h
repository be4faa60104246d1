#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

// A private service one of the project's scripts (tools/services/...) lays out and runs for the object's
// lifetime: the script prints key=value lines, then "ready", and stops what it started when its input closes.
class ServiceScript {
public:
    ServiceScript(const QString &script, const QStringList &arguments, int startTimeoutMs);
    ~ServiceScript();

    bool started() const { return !fact(QStringLiteral("url")).isEmpty(); }
    // The value of a line the script printed as it started; empty when it printed none.
    QString fact(const QString &key) const { return m_facts.value(key); }

private:
    std::unique_ptr<QProcess> m_process;
    QHash<QString, QString> m_facts; // filled once the script says "ready"
};
