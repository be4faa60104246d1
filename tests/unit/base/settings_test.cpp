#include "shell/settings.h"

#include "shell/text_file.h"

#include "file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

unsigned fileMode(const QString &path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

QByteArray contents(const QString &path) {
    return TextFile::readAll(path).value_or("<unreadable>");
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path() const { return m_dir.filePath(u"config/corvalis/corvalis.ini"_s); }
    void writeFile(const QByteArray &bytes) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path()).absolutePath()));
        ASSERT_TRUE(TextFile::writeAtomically(path(), bytes).ok);
    }
    QStringList entriesBesideTheFile() const {
        return QDir(QFileInfo(path()).absolutePath())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsTest, EveryKeyHasItsSpellingAndDefault) {
    using Entry = std::tuple<std::string, std::string, std::string>;
    const std::set<Entry> expected = {
        {"Locations", "main dir", ""},
        {"Locations", "main dictionary", ""},
        {"Locations", "custom dictionary", ""},
        {"Locations", "service url", "http://127.0.0.1:8087"},
        {"Settings", "autologin", "0"},
        {"Settings", "email", ""},
        {"Settings", "pw", ""},
        {"Settings", "setmax", "1"},
        {"Settings", "left", "-1"},
        {"Settings", "top", "0"},
        {"Settings", "width", "700"},
        {"Settings", "height", "500"},
        {"Settings", "autopos", "1"},
        {"Settings", "ed_top", "950"},
        {"Settings", "ed_ht", "3030"},
        {"Settings", "preserveHTML", "0"},
        {"Settings", "do_affiliate", ""},
        {"Settings", "affID", ""},
        {"Settings", "afftext", "This Blog was Created by Vellumcast - Visual HTML Editing for Blogger.com"},
        {"Settings", "mailto", ""},
        {"Settings", "bug", ""},
    };
    std::set<Entry> declared;
    std::set<std::string> names;
    for (const SettingKey &key : Keys::all()) {
        declared.emplace(key.section, key.key, key.defaultValue);
        // Two keys the file cannot tell apart would overwrite each other.
        const QString name =
            (QString::fromUtf8(key.section) + u'/' + QString::fromUtf8(key.key)).toCaseFolded();
        EXPECT_TRUE(names.insert(name.toStdString()).second) << "declared twice: " << key.key;
    }
    // Later keys of the program may follow; these must all be there as they are.
    for (const Entry &entry : expected)
        EXPECT_TRUE(declared.count(entry)) << std::get<0>(entry) << "/" << std::get<1>(entry);
}

TEST_F(SettingsTest, MissingFileSectionOrKeyGivesTheDefault) {
    Settings settings(path());
    for (const SettingKey &key : Keys::all()) {
        SCOPED_TRACE(key.key);
        EXPECT_EQ(settings.get(key), QString::fromUtf8(key.defaultValue));
    }
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(path()).absolutePath())); // reading creates nothing

    settings.SetIni(u"Other"_s, u"x"_s, u"1"_s);
    ASSERT_TRUE(QFileInfo::exists(path()));
    for (const SettingKey &key : Keys::all()) {
        SCOPED_TRACE(key.key);
        EXPECT_EQ(settings.get(key), QString::fromUtf8(key.defaultValue));
    }
}

TEST_F(SettingsTest, ValuesComeBackCutTo298Characters) {
    Settings settings(path());
    const QString x400(400, u'x');
    const QString emoji = QString(297, u'e') + u"\U0001F600"_s; // a character that needs two units
    const struct {
        const char *name;
        std::optional<QString> stored;
        QString defaultValue;
        QString expected;
    } cases[] = {
        {"stored 400", x400, {}, x400.left(298)},
        {"stored 298", x400.left(298), {}, x400.left(298)},
        {"default 400", std::nullopt, x400, x400.left(298)},
        {"default 298", std::nullopt, x400.left(298), x400.left(298)},
        {"NUL ends the value", u"ab\0cd"_s, {}, u"ab"_s},
        {"NUL ends the default", std::nullopt, u"ab\0cd"_s, u"ab"_s},
        {"no half character", emoji, {}, QString(297, u'e')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.stored)
            settings.SetIni(u"Settings"_s, u"afftext"_s, *c.stored);
        else
            QFile::remove(path());
        EXPECT_EQ(settings.GetIni(u"Settings"_s, u"afftext"_s, c.defaultValue), c.expected);
    }
}

TEST_F(SettingsTest, WritesKeepEverythingElse) {
    writeFile("; hand-written\n[Locations]\nmain dir=/srv/corvalis/\n[Settings]\nspam=kept\nsetmax=1\n");
    Settings settings(path());

    settings.SetIni(u"SETTINGS"_s, u"SetMax"_s, u"0"_s);    // names compare without case
    settings.set(Keys::Mailto, u""_s);                      // an empty value keeps the key
    settings.set(Keys::AffText, u"line one\r\nline two"_s); // one value stays one line
    settings.set(Keys::Bug, u"7777"_s);

    EXPECT_EQ(settings.get(Keys::SetMax), u"0"_s);
    EXPECT_EQ(settings.GetIni(u"Settings"_s, u"mailto"_s, u"absent"_s), u""_s);
    EXPECT_EQ(settings.get(Keys::AffText), u"line one line two"_s);
    EXPECT_EQ(settings.get(Keys::MainDir), u"/srv/corvalis/"_s);
    EXPECT_EQ(contents(path()), QByteArray("; hand-written\r\n"
                                           "[Locations]\r\n"
                                           "main dir=/srv/corvalis/\r\n"
                                           "\r\n"
                                           "[Settings]\r\n"
                                           "spam=kept\r\n"
                                           "setmax=0\r\n"
                                           "mailto=\r\n"
                                           "afftext=line one line two\r\n"
                                           "bug=7777\r\n"));
}

TEST_F(SettingsTest, ReadsFilesMadeOnWindows) {
    writeFile("[Settings]\r\nafftext=Caf\xe9 \x80 5\r\n");
    Settings settings(path());
    EXPECT_EQ(settings.get(Keys::AffText), u"Café € 5"_s);

    settings.set(Keys::Bug, u"1"_s);
    EXPECT_EQ(contents(path()), QByteArray("[Settings]\r\nafftext=Caf\xc3\xa9 \xe2\x82\xac 5\r\nbug=1\r\n"));
}

TEST_F(SettingsTest, FileIsPrivateToItsOwner) {
    Settings settings(path());
    settings.set(Keys::Pw, u"secret"_s);
    EXPECT_EQ(fileMode(path()), 0600u);

    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_EQ(fileMode(path()), 0644u);
    settings.set(Keys::Email, u"me@example.org"_s);
    EXPECT_EQ(fileMode(path()), 0600u);
}

TEST_F(SettingsTest, FailedWriteKeepsTheOldFile) {
    const QByteArray old = "[Settings]\r\nemail=me@example.org\r\npw=secret\r\n";
    writeFile(old);
    Settings settings(path());

    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.active());
        settings.set(Keys::AffText, QString(200, u'x'));
    }

    EXPECT_EQ(contents(path()), old);
    EXPECT_EQ(entriesBesideTheFile(), (QStringList{u"corvalis.ini"_s, u"corvalis.ini.lock"_s}));
    EXPECT_EQ(settings.get(Keys::Pw), u"secret"_s);
}

TEST_F(SettingsTest, PathTakenByAFolderGivesDefaultsAndStaysAFolder) {
    ASSERT_TRUE(QDir().mkpath(path()));
    Settings settings(path());
    settings.set(Keys::AutoLogin, u"1"_s);
    EXPECT_EQ(settings.get(Keys::AutoLogin), u"0"_s);
    EXPECT_TRUE(QFileInfo(path()).isDir());
}

// Damaged files read as missing keys; a file far too large to be a settings file is left alone.
TEST_F(SettingsTest, DamagedFilesGiveDefaults) {
    QByteArray binary(3 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(binary.data()), binary.size() / 4);
    const QByteArray huge = "[Settings]\r\nsetmax=0\r\n" + QByteArray(9 * 1024 * 1024, '\0');

    const struct {
        const char *name;
        QByteArray bytes;
        qsizetype affTextLength;
        bool rewritable;
    } cases[] = {
        {"binary", binary, 73, true},
        {"long line", "[Settings]\r\nafftext=" + QByteArray(100000, 'y') + "\r\n", 298, true},
        {"huge", huge, 73, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(c.bytes);
        Settings settings(path());
        EXPECT_EQ(settings.get(Keys::SetMax), u"1"_s);
        EXPECT_EQ(settings.get(Keys::AffText).size(), c.affTextLength);

        settings.set(Keys::Mailto, u"x@example.org"_s);
        EXPECT_EQ(settings.get(Keys::Mailto), c.rewritable ? u"x@example.org"_s : u""_s);
        if (!c.rewritable) {
            EXPECT_EQ(contents(path()).size(), c.bytes.size()) << "the file was changed";
        }
    }
}

TEST(SettingsLocate, ArgumentThenEnvironmentThenConfigFolder) {
    const QByteArray savedIni = qgetenv("CORVALIS_INI");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    const QString home = QDir::homePath();
    const QString cwd = QDir::currentPath();
    const struct {
        const char *name;
        QStringList arguments;
        QByteArray iniVariable, configVariable;
        QString expected;
    } cases[] = {
        {"option", {u"corvalis"_s, u"--settings"_s, u"/a/b.ini"_s}, "/env.ini", "/xdg", u"/a/b.ini"_s},
        {"option with =", {u"corvalis"_s, u"--settings=/a/c.ini"_s}, "/env.ini", "", u"/a/c.ini"_s},
        {"last option wins",
         {u"--settings=/a/1.ini"_s, u"--settings"_s, u"/a/2.ini"_s},
         "",
         "",
         u"/a/2.ini"_s},
        {"relative option", {u"--settings"_s, u"rel.ini"_s}, "", "", cwd + u"/rel.ini"_s},
        {"option without file", {u"corvalis"_s, u"--settings"_s}, "/env.ini", "", u"/env.ini"_s},
        {"environment", {u"corvalis"_s}, "/env.ini", "/xdg", u"/env.ini"_s},
        {"config folder", {u"corvalis"_s}, "", "/xdg", u"/xdg/corvalis/corvalis.ini"_s},
        {"default config folder", {u"corvalis"_s}, "", "", home + u"/.config/corvalis/corvalis.ini"_s},
        {"relative config folder ignored", {}, "", "xdg", home + u"/.config/corvalis/corvalis.ini"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        qputenv("CORVALIS_INI", c.iniVariable);
        qputenv("XDG_CONFIG_HOME", c.configVariable);
        EXPECT_EQ(Settings::locate(c.arguments), c.expected);
    }
    qputenv("CORVALIS_INI", savedIni);
    qputenv("XDG_CONFIG_HOME", savedConfig);
}
