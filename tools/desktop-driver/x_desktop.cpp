#include "x_desktop.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPoint>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace {

void stopProcess(QProcess &process) {
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

QList<quint64> windowIds(const QString &xpropLine) {
    QList<quint64> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    QRegularExpressionMatchIterator found = hex.globalMatch(xpropLine.section(QLatin1Char('#'), 1));
    while (found.hasNext())
        ids.append(found.next().captured().toULongLong(nullptr, 16));
    return ids;
}

// A session bus that starts nothing on demand: the system's session configuration would start
// the installed keyring daemon as soon as the program asks for the Secret Service.
constexpr char busConfig[] = R"(<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen>
<auth>EXTERNAL</auth><policy context="default"><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>)";

} // namespace

QString XDesktop::missingProgram() {
    for (const char *program : {"Xvfb", "openbox", "xdotool", "xprop", "dbus-daemon"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return QString::fromLatin1(program);
    }
    return {};
}

XDesktop::XDesktop(QSize screen)
    : m_screen(screen) {
    QFile config(m_busConfig.filePath(QStringLiteral("session.conf")));
    if (!config.open(QIODevice::WriteOnly) || config.write(busConfig) < 0)
        return;
    config.close();
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                 QStringLiteral("--print-address=1")});
    if (!m_bus.waitForStarted(10000) || !m_bus.waitForReadyRead(10000))
        return;
    const QString busAddress = QString::fromLatin1(m_bus.readLine()).trimmed();
    // Xvfb names the display it found free on its standard output.
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                  QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height())});
    if (!m_xvfb.waitForStarted(10000) || !m_xvfb.waitForReadyRead(15000))
        return;
    const QString number = QString::fromLatin1(m_xvfb.readAllStandardOutput()).trimmed();
    if (number.isEmpty())
        return;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QLatin1Char(':') + number);
    m_openbox.setProcessEnvironment(env);
    m_openbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_openbox.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_openbox.waitForStarted(10000))
        return;
    m_display = QLatin1Char(':') + number;
    m_busAddress = busAddress;
    // The window manager is there once it has named itself on the root window.
    const QDeadlineTimer deadline(15000);
    while (
        !run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
             .contains(QLatin1String("window id")) &&
        !deadline.hasExpired())
        QThread::msleep(100);
}

XDesktop::~XDesktop() {
    stopProcess(m_openbox);
    stopProcess(m_xvfb);
    stopProcess(m_bus);
}

QString XDesktop::run(const QString &program, const QStringList &arguments) const {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(env);
    tool.start(program, arguments);
    tool.waitForFinished(20000);
    return QString::fromUtf8(tool.readAllStandardOutput());
}

void XDesktop::click(QPoint point, int button) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(point.x()),
         QString::number(point.y()), QStringLiteral("click"), QString::number(button)});
}

void XDesktop::key(const QString &keys) const {
    run(QStringLiteral("xdotool"),
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")}
            << keys.split(QLatin1Char(' ')));
}

void XDesktop::type(const QString &text) const {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

quint64 XDesktop::activeWindow() const {
    return run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).trimmed().toULongLong();
}

QList<quint64> XDesktop::stacking() const {
    return windowIds(
        run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")}));
}

quint64 XDesktop::transientFor(quint64 id) const {
    return windowIds(run(QStringLiteral("xprop"),
                         {QStringLiteral("-id"), QString::number(id), QStringLiteral("WM_TRANSIENT_FOR")}))
        .value(0);
}

void XDesktop::screenshot(const QString &path) const {
    run(QStringLiteral("import"),
        {QStringLiteral("-display"), m_display, QStringLiteral("-window"), QStringLiteral("root"), path});
}
