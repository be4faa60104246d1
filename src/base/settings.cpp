#include "base/settings.h"
#include "base/settings_problem.h"

#include "base/ini_file.h"
#include "base/regular_file.h"
#include "base/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file holds a few hundred bytes; one far larger is not a settings file this program wrote,
// and it is neither parsed every second nor rewritten.
constexpr qint64 maxFileBytes = 8 * 1024 * 1024;
constexpr auto lockWait = std::chrono::seconds(3);

// flock(2) on "<file>.lock". The settings file itself cannot carry the lock: every write replaces
// it by a rename, after which two processes would lock different inodes. The kernel drops the
// lock when its holder dies, so a crash leaves nothing stale behind.
class FileLock {
public:
    enum class Mode { Shared, Exclusive };

    FileLock(const QString &path, Mode mode) {
        const QByteArray name = QFile::encodeName(path);
        // Readers do not create the lock file: a reader alone needs no lock, since writes are renames.
        m_fd = mode == Mode::Exclusive ? ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)
                                       : ::open(name.constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0)
            return;
        const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
        const auto deadline = std::chrono::steady_clock::now() + lockWait;
        auto pause = std::chrono::milliseconds(1);
        while (::flock(m_fd, operation) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
                return;
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(20));
        }
        m_held = true;
    }
    ~FileLock() {
        if (m_fd >= 0)
            ::close(m_fd); // closing the descriptor releases the lock
    }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool held() const { return m_held; }

private:
    int m_fd = -1;
    bool m_held = false;
};

// What the Windows reader hands back: the text up to its first NUL, at most 298 characters.
QString fitted(QString value) {
    const qsizetype nul = value.indexOf(QChar(u'\0'));
    if (nul >= 0)
        value.truncate(nul);
    if (value.size() > Settings::maxValueLength) {
        qsizetype length = Settings::maxValueLength;
        if (value[length - 1].isHighSurrogate())
            --length; // never leave half a character
        value.truncate(length);
    }
    return value;
}

QString absolute(const QString &path) {
    return QFileInfo(path).absoluteFilePath();
}

struct WriteTarget {
    QString path;    // the file a write replaces; empty when it may not be written
    QString problem; // then why
};

// The settings file itself, or, when it is a symbolic link, what the link leads to, provided that
// is a regular file this user owns and no program: the target is replaced, the link stays. A
// missing target is never created through a link, and nobody else's file is ever written.
WriteTarget writeTarget(const QString &path) {
    const QFileInfo info(path);
    if (!info.isSymLink())
        return {path, {}};
    const QString target = info.canonicalFilePath();
    struct stat st = {};
    const QString link = QDir::toNativeSeparators(path);
    if (target.isEmpty() || ::stat(QFile::encodeName(target).constData(), &st) != 0)
        return {
            {},
            QStringLiteral("The settings file \"%1\" is a link to a file that does not exist. Corvalis does "
                           "not create files through links: your settings are not kept.")
                .arg(link)};
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)))
        return {{},
                QStringLiteral(
                    "The settings file \"%1\" is a link to \"%2\", which is not an ordinary file of "
                    "yours (or is a program). Corvalis does not write there: your settings are not kept.")
                    .arg(link, QDir::toNativeSeparators(target))};
    return {target, {}};
}

} // namespace

Settings::Settings(QString filePath)
    : m_filePath(std::move(filePath)) {}

std::optional<QString> settingsProblem(const Settings &settings) {
    const QString path = settings.filePath();
    const WriteTarget target = writeTarget(path);
    if (!target.problem.isEmpty())
        return target.problem;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    if (RegularFile::isSpecial(path))
        return RegularFile::refusal(path);
    if (!TextFile::readAll(path, maxFileBytes))
        return QStringLiteral("The settings file \"%1\" cannot be read (it may be larger than %2 MB, or not "
                              "yours to read). Corvalis runs on its defaults and leaves the file as it is.")
            .arg(QDir::toNativeSeparators(path))
            .arg(maxFileBytes / (1024 * 1024));
    return std::nullopt;
}

QString Settings::locate(const QStringList &arguments) {
    // The last --settings wins, as later options override earlier ones.
    QString chosen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--settings") && i + 1 < arguments.size())
            chosen = arguments[++i];
        else if (argument.startsWith(QLatin1String("--settings=")))
            chosen = argument.sliced(qsizetype(sizeof("--settings=") - 1));
    }
    if (!chosen.isEmpty())
        return absolute(chosen);

    const QString fromEnvironment = qEnvironmentVariable("CORVALIS_INI");
    if (!fromEnvironment.isEmpty())
        return absolute(fromEnvironment);

    // A relative XDG_CONFIG_HOME is invalid and is ignored, as the XDG rules ask.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QLatin1String("/.config");
    return configHome + QLatin1String("/corvalis/corvalis.ini");
}

QString Settings::GetIni(const QString &section, const QString &key, const QString &defaultValue) const {
    // Without the lock the read goes ahead: a write never leaves a half-written file to see.
    const FileLock lock(m_filePath + QLatin1String(".lock"), FileLock::Mode::Shared);
    std::optional<QString> value;
    if (RegularFile::isSpecial(m_filePath))
        return fitted(defaultValue);
    if (const std::optional<QByteArray> bytes = TextFile::readAll(m_filePath, maxFileBytes))
        value = IniFile::parse(*bytes).value(section, key);
    return fitted(value.value_or(defaultValue));
}

void Settings::SetIni(const QString &section, const QString &key, const QString &value) {
    change([&](IniFile &ini) {
        ini.setValue(section, key, value);
        return true;
    });
}

bool Settings::change(const std::function<bool(IniFile &)> &edit) {
    // Failures here are silent by design; the write below fails too and the old file stays.
    if (RegularFile::isSpecial(m_filePath))
        return false; // not a settings file, and never replaced by one
    const QString target = writeTarget(m_filePath).path;
    if (target.isEmpty())
        return false;
    QDir().mkpath(QFileInfo(m_filePath).absolutePath());
    const FileLock lock(m_filePath + QLatin1String(".lock"), FileLock::Mode::Exclusive);
    if (!lock.held())
        return false;

    IniFile ini;
    const std::optional<QByteArray> old = TextFile::readAll(target, maxFileBytes);
    if (old)
        ini = IniFile::parse(*old);
    else if (QFileInfo::exists(target))
        return false; // a file that cannot be read is not replaced by one holding a single key
    if (!edit(ini))
        return false;
    // The file holds the stored sign-in, so only its owner may read it.
    constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QByteArray bytes = ini.serialize();
    // Most closes store what the file holds already: it is left as it is, not written anew.
    if (old && bytes == *old)
        return QFile::setPermissions(target, ownerOnly);
    return TextFile::writeAtomically(target, bytes, ownerOnly).ok;
}

QString Settings::get(const SettingKey &key) const {
    return GetIni(QString::fromUtf8(key.section), QString::fromUtf8(key.key),
                  QString::fromUtf8(key.defaultValue));
}

void Settings::set(const SettingKey &key, const QString &value) {
    SetIni(QString::fromUtf8(key.section), QString::fromUtf8(key.key), value);
}

void Settings::set(const SettingWrites &writes) {
    change([&](IniFile &ini) {
        for (const SettingWrite &write : writes)
            ini.setValue(QString::fromUtf8(write.key.section), QString::fromUtf8(write.key.key), write.value);
        return true;
    });
}

bool Settings::setIfEmpty(const SettingKey &key, const QString &value) {
    const QString section = QString::fromUtf8(key.section);
    const QString name = QString::fromUtf8(key.key);
    return change([&](IniFile &ini) {
        if (!ini.value(section, name).value_or(QString()).isEmpty())
            return false;
        ini.setValue(section, name, value);
        return true;
    });
}
