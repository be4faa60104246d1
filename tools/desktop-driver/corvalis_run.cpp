#include "corvalis_run.h"

#include "base/main_dir_install.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace {

QRect rectFrom(const QString &text) {
    const QStringList n = text.split(QLatin1Char(' '));
    return n.size() == 4 ? QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()) : QRect();
}

} // namespace

CorvalisRun::CorvalisRun(const XDesktop &desktop, const QString &serviceUrl, const QByteArray &extraIni)
    : m_desktop(desktop) {
    MainDirInstall::install(QStringLiteral(CORVALIS_SOURCE_DIR "/data"), mainDir());
    QFile ini(iniPath());
    if (!ini.open(QIODevice::WriteOnly))
        return;
    ini.write("[Locations]\r\nmain dir=" + mainDir().toUtf8() + "\r\n");
    if (!serviceUrl.isEmpty())
        ini.write("service url=" + serviceUrl.toUtf8() + "\r\n");
    ini.write("[Settings]\r\n" + extraIni);
}

CorvalisRun::~CorvalisRun() {
    stop();
}

bool CorvalisRun::addSettings(const QString &lines) const {
    QFile ini(iniPath());
    return ini.open(QIODevice::Append) && ini.write(lines.toUtf8() + "\r\n") > 0;
}

bool CorvalisRun::start() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const auto inHome = [this](const char *dir) { return m_home.filePath(QString::fromLatin1(dir)); };
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), inHome("config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), inHome("data"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), inHome("cache"));
    env.insert(QStringLiteral("DISPLAY"), m_desktop.display());
    // A real X11 window under the window manager, whatever the test run's platform is.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("CORVALIS_WIDGET_MAP"), inHome("widget-map"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_desktop.sessionBus());
    env.remove(QStringLiteral("CORVALIS_INI"));
    QFile::remove(inHome("widget-map")); // the last run's windows are gone
    m_program.setProcessEnvironment(env);
    m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_program.setStandardOutputFile(QProcess::nullDevice());
    m_program.start(QStringLiteral(CORVALIS_PATH),
                    {QStringLiteral("--no-splash"), QStringLiteral("--settings"), iniPath()});
    // Ready for input once the window manager has framed the window and given it the focus.
    return m_program.waitForStarted(10000) && waitFor(
                                                  [this] {
                                                      const auto w = window(QStringLiteral("MainForm"));
                                                      return w && w->active && w->frame != w->client;
                                                  },
                                                  60000);
}

bool CorvalisRun::stop() {
    if (m_program.state() == QProcess::NotRunning)
        return true;
    m_program.terminate();
    if (m_program.waitForFinished(30000))
        return m_program.exitStatus() == QProcess::NormalExit;
    m_program.kill();
    m_program.waitForFinished(5000);
    return false;
}

std::vector<CorvalisRun::Window> CorvalisRun::windows() const {
    std::vector<Window> found;
    QFile map(m_home.filePath(QStringLiteral("widget-map")));
    if (!map.open(QIODevice::ReadOnly))
        return found;
    for (const QByteArray &line : map.readAll().split('\n')) {
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (f.size() == 7 && f[0] == QLatin1String("window"))
            found.push_back({f[1].toULongLong(), f[2], rectFrom(f[3]), rectFrom(f[4]),
                             f[5] == QLatin1String("active"), f[6]});
    }
    return found;
}

std::optional<CorvalisRun::Window> CorvalisRun::window(const QString &titleOrKind) const {
    for (const Window &w : windows()) {
        if (w.title == titleOrKind || w.kind == titleOrKind)
            return w;
    }
    return std::nullopt;
}

std::optional<CorvalisRun::Control> CorvalisRun::control(const QString &key,
                                                         const QString &windowTitle) const {
    QFile map(m_home.filePath(QStringLiteral("widget-map")));
    if (!map.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString inWindow;
    if (!windowTitle.isEmpty()) {
        const auto w = window(windowTitle);
        if (!w)
            return std::nullopt;
        inWindow = QString::number(w->id);
    }
    for (const QByteArray &line : map.readAll().split('\n')) {
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
        const bool named = key.endsWith(u'*') ? f.value(1).startsWith(key.chopped(1)) : f.value(1) == key;
        if (f.size() >= 3 && named && (inWindow.isEmpty() || f[0] == inWindow))
            return Control{rectFrom(f[2]), f.value(3), f.value(4) != QLatin1String("disabled"),
                           f.value(4) == QLatin1String("busy")};
    }
    return std::nullopt;
}

bool CorvalisRun::waitFor(const std::function<bool()> &condition, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

bool CorvalisRun::waitForWindow(const QString &title) const {
    return waitFor([&] {
        const auto w = window(title);
        return w && w->frame != w->client;
    });
}

bool CorvalisRun::waitForEnabled(const QString &key, const QString &windowTitle) const {
    return waitFor([&] {
        const auto found = control(key, windowTitle);
        return found && found->enabled;
    });
}

bool CorvalisRun::waitForPage(const QString &key, const QString &url, const QString &windowTitle) const {
    return waitFor([&] {
        const auto pane = control(key, windowTitle);
        return pane && !pane->busy && pane->text.startsWith(url);
    });
}

std::optional<CorvalisRun::Window> CorvalisRun::waitForBox(const QString &text) const {
    std::optional<Window> box;
    waitFor([&] {
        const auto label = control(QStringLiteral("qt_msgbox_label"), QStringLiteral("QMessageBox"));
        if (label && label->text.contains(text))
            box = window(QStringLiteral("QMessageBox"));
        return box.has_value();
    });
    return box;
}

bool CorvalisRun::click(const QString &key, const QString &windowTitle) const {
    // A control is clicked once it has stayed in place for a moment: a window that is still
    // being laid out or placed by the window manager would take the click elsewhere.
    std::optional<Control> found;
    if (!waitFor([&] {
            const std::optional<Control> first = control(key, windowTitle);
            if (!first)
                return false;
            QThread::msleep(300); // the map is rewritten meanwhile
            found = control(key, windowTitle);
            return found && found->place == first->place;
        }))
        return false;
    m_desktop.click(found->place.center());
    return true;
}

bool CorvalisRun::typeInto(const QString &key, const QString &text) const {
    if (!click(key))
        return false;
    m_desktop.key(QStringLiteral("ctrl+a"));
    m_desktop.type(text);
    return true;
}

bool CorvalisRun::closeWindow(const QString &titleOrKind, bool waitUntilGone) const {
    const std::optional<Window> shown = window(titleOrKind);
    if (!shown)
        return false;
    m_desktop.run(QStringLiteral("xdotool"),
                  {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(shown->id),
                   QStringLiteral("key"), QStringLiteral("alt+F4")});
    return !waitUntilGone || waitFor([&] { return !window(titleOrKind); });
}
