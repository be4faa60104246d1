#include "base/settings.h"
#include "base/settings_problem.h"

#include "base/first_start.h"

#include "support/unit_files.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QString path() const { return m_dir.path(u"config/corvalis/corvalis.ini"_s); }
    void writeFile(const QByteArray &bytes) { m_dir.write(path(), bytes); }
    QByteArray contents() const { return m_dir.read(path()); }
    struct stat status() const {
        struct stat info {};
        ::stat(QFile::encodeName(path()).constData(), &info);
        return info;
    }
    unsigned fileMode() const { return status().st_mode & 07777; }

    TestFolder m_dir;
    Settings settings{path()};
};

// Two processes change the settings file at once: the program writing its switches and a launcher handing in
// `mailto` (this test binary started again with CORVALIS_TEST_MAILTO_WRITER: it writes before main()).
constexpr char writerVariable[] = "CORVALIS_TEST_MAILTO_WRITER";
constexpr int writes = 200;

// Writes `key` again and again and counts how often its previous value had gone by the next write: that
// happens when the other process read the file before a write here and wrote its own change after it.
int writeRepeatedly(Settings &settings, const SettingKey &key, const QString &prefix,
                    const std::function<void()> &afterFirstWrite) {
    int lost = 0;
    for (int i = 0; i < writes; ++i) {
        if (i > 0 && settings.get(key) != prefix + QString::number(i - 1))
            ++lost;
        settings.set(key, prefix + QString::number(i));
        if (i == 0 && afterFirstWrite)
            afterFirstWrite();
    }
    return lost;
}

[[maybe_unused]] const bool writerRole = [] {
    const QString path = qEnvironmentVariable(writerVariable);
    if (path.isEmpty())
        return false;
    Settings settings(path);
    const int lost = writeRepeatedly(settings, Keys::Mailto, u"child-"_s, [] {
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
    });
    std::_Exit(lost == 0 ? EXIT_SUCCESS : EXIT_FAILURE);
}();

} // namespace

TEST_F(SettingsTest, MissingValuesGiveTheDefaultAndValuesComeBackCutTo298Characters) {
    EXPECT_EQ(settings.get(Keys::Width), u"700"_s);
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(path()).absolutePath())); // reading creates nothing
    settings.SetIni(u"Other"_s, u"x"_s, u"1"_s);
    EXPECT_TRUE(QFileInfo::exists(path()) && settings.get(Keys::Width) == u"700"_s);
    const QString x400(400, u'x');
    const struct {
        const char *name;
        QString stored, expected;
    } cases[] = {
        {"stored 400", x400, x400.left(298)},
        {"NUL ends the value", u"ab\0cd"_s, u"ab"_s},
        // A character that needs two units is not cut in half.
        {"no half character", QString(297, u'e') + u"\U0001F600"_s, QString(297, u'e')},
    };
    for (const auto &c : cases) {
        settings.SetIni(u"Settings"_s, u"afftext"_s, c.stored);
        EXPECT_EQ(settings.GetIni(u"Settings"_s, u"afftext"_s, {}), c.expected) << c.name;
    }
}

TEST_F(SettingsTest, WritesKeepEverythingElseAndTheFilePrivate) {
    // Written on Windows: LF line ends would do too, Windows-1252 text is read and written as UTF-8.
    writeFile(
        "; hand-written\n[Locations]\nmain dir = /srv/corvalis/ \n; note\n[Settings]\nspam=Caf\xe9 \x80 5\n"
        "setmax=1\n");
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
    settings.SetIni(u"SETTINGS"_s, u"SetMax"_s, u"0"_s);    // names compare without case
    settings.set(Keys::Mailto, u""_s);                      // an empty value keeps the key
    settings.set(Keys::AffText, u"line one\r\nline two"_s); // one value stays one line
    settings.SetIni(u"New"_s, u"key"_s, u""_s);

    EXPECT_EQ(contents(),
              QByteArray("; hand-written\r\n[Locations]\r\nmain dir = /srv/corvalis/ \r\n; note\r\n\r\n"
                         "[Settings]\r\nspam=Caf\xc3\xa9 \xe2\x82\xac 5\r\nsetmax=0\r\nmailto=\r\n"
                         "afftext=line one line two\r\n\r\n[New]\r\nkey=\r\n"));
    EXPECT_EQ(fileMode(), 0600u); // the file holds the stored sign-in

    // Storing what the file holds already leaves the file in place, and still private.
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadOther));
    const QByteArray before = contents();
    const ino_t was = status().st_ino;
    settings.set(Keys::SetMax, u"0"_s);
    EXPECT_EQ(status().st_ino, was);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(fileMode(), 0600u);
}

// Damaged files read as missing keys; a file far too large to be a settings file is left alone.
TEST_F(SettingsTest, DamagedFilesGiveDefaults) {
    QByteArray binary(3 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(binary.data()), binary.size() / 4);
    const struct {
        const char *name;
        QByteArray bytes;
        bool rewritable;
    } cases[] = {
        {"binary", binary, true},
        {"huge", "[Settings]\r\nsetmax=0\r\n" + QByteArray(9 * 1024 * 1024, '\0'), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(c.bytes);
        EXPECT_EQ(settings.get(Keys::SetMax), u"1"_s);
        EXPECT_EQ(settings.get(Keys::AffText), QString::fromUtf8(Keys::AffText.defaultValue));
        settings.set(Keys::Mailto, u"x@example.org"_s);
        EXPECT_EQ(settings.get(Keys::Mailto), c.rewritable ? u"x@example.org"_s : u""_s);
        EXPECT_EQ(contents().size() == c.bytes.size(), !c.rewritable);
    }
}

// Through a symbolic link only a regular, non-program file of the user's own is written (the link stays); a
// missing target is not made. Each refusal, and a file too large, is said by name and lays out no main dir.
TEST_F(SettingsTest, ALinkIsWrittenThroughOnlyToTheUsersOwnSettingsFile) {
    using P = QFileDevice;
    const struct {
        const char *target;
        QFileDevice::Permissions mode;
        bool written;
    } cases[] = {{"own.ini", P::ReadOwner | P::WriteOwner, true},
                 {"victim.sh", P::ReadOwner | P::WriteOwner | P::ExeOwner, false},
                 {"missing.ini", {}, false}};
    const QByteArray before = "#!/bin/sh\necho hi\n";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target);
        const QString target = m_dir.path(QString::fromLatin1(c.target));
        if (c.mode) {
            ASSERT_TRUE(TextFile::writeAtomically(m_dir.write(target, before), before, c.mode).ok);
        }
        QFile::remove(path());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath()) && QFile::link(target, path()));
        settings.set(Keys::Mailto, u"x@example.org"_s);
        EXPECT_TRUE(QFileInfo(path()).isSymLink());
        EXPECT_EQ(QFileInfo::exists(target), bool(c.mode));
        EXPECT_EQ(m_dir.read(target).contains("x@example.org"), c.written);
        EXPECT_EQ(!settingsProblem(settings), c.written);
        EXPECT_TRUE(settingsProblem(settings).value_or(path()).contains(path()));
        EXPECT_EQ(QFile::permissions(target) & P::ExeOwner, c.mode & P::ExeOwner);
    }
    QFile::remove(path());
    writeFile("[Locations]\r\nmain dir=" + m_dir.path(u"mine/"_s).toUtf8() + "\r\n" +
              QByteArray(10 * 1024 * 1024, ' '));
    EXPECT_TRUE(settingsProblem(settings).value_or(QString()).contains(path()));
    const FirstStart::Outcome outcome = FirstStart::ensureMainDir(
        settings, QStringLiteral(CORVALIS_SOURCE_DIR "/data"), m_dir.path(u"new/"_s));
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_FALSE(m_dir.has(u"new"_s));
}

TEST(SettingsLocate, ArgumentThenEnvironmentThenConfigFolder) {
    const QByteArray savedIni = qgetenv("CORVALIS_INI"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QString config = QDir::homePath() + u"/.config/corvalis/corvalis.ini"_s;
    const struct {
        const char *name;
        QStringList arguments;
        QByteArray iniVariable, configVariable;
        QString expected;
    } cases[] = {
        {"option", {u"corvalis"_s, u"--settings"_s, u"/a/b.ini"_s}, "/env.ini", "/xdg", u"/a/b.ini"_s},
        {"relative option", {u"--settings"_s, u"rel.ini"_s}, "", "", QDir::currentPath() + u"/rel.ini"_s},
        {"option without file", {u"corvalis"_s, u"--settings"_s}, "/env.ini", "", u"/env.ini"_s},
        {"environment", {u"corvalis"_s}, "/env.ini", "/xdg", u"/env.ini"_s},
        {"config folder", {u"corvalis"_s}, "", "/xdg", u"/xdg/corvalis/corvalis.ini"_s},
        {"default config folder", {u"corvalis"_s}, "", "", config},
        {"relative config folder ignored", {}, "", "xdg", config},
    };
    for (const auto &c : cases) {
        qputenv("CORVALIS_INI", c.iniVariable);
        qputenv("XDG_CONFIG_HOME", c.configVariable);
        EXPECT_EQ(Settings::locate(c.arguments), c.expected) << c.name;
    }
    qputenv("CORVALIS_INI", savedIni);
    qputenv("XDG_CONFIG_HOME", savedConfig);
}

TEST_F(SettingsTest, NeitherProcessLosesTheOthersWrites) {
    settings.set(Keys::MainDir, u"/srv/corvalis/"_s);

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        QProcess writer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(writerVariable), path());
        writer.setProcessEnvironment(environment);
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(QCoreApplication::applicationFilePath(), {});
        // Start only once the writer is writing, so that the two loops overlap.
        ASSERT_TRUE(writer.waitForReadyRead(30000)) << writer.errorString().toStdString();

        const int lost = writeRepeatedly(settings, Keys::Bug, u"parent-"_s, {});

        ASSERT_TRUE(writer.waitForFinished(60000)) << writer.errorString().toStdString();
        EXPECT_TRUE(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == EXIT_SUCCESS)
            << "the writer lost some of its writes";
        EXPECT_EQ(lost, 0);
        EXPECT_EQ(
            QStringList({settings.get(Keys::Mailto), settings.get(Keys::Bug), settings.get(Keys::MainDir)}),
            QStringList({u"child-199"_s, u"parent-199"_s, u"/srv/corvalis/"_s}));
    }
}
