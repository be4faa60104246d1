#include "shell/ini_file.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> lookUp(const QByteArray &file, const QString &section, const QString &key) {
    return IniFile::parse(file).value(section, key);
}

} // namespace

TEST(IniFile, ReadsValuesTheWayTheWindowsReaderDoes) {
    const QByteArray file = "; comment\r\n"
                            "orphan=before any section\r\n"
                            "[Settings]\r\n"
                            "  setmax = 0  \r\n"
                            "AutoLogin=1\r\n"
                            "quoted=\"  spaced  \"\r\n"
                            "single='x'\r\n"
                            "half=\"open\r\n"
                            "equals=a=b\r\n"
                            "empty=\r\n"
                            "dup=first\r\n"
                            "DUP=second\r\n"
                            ";hidden=yes\r\n"
                            "no equals sign\r\n"
                            "=no key\r\n"
                            "[broken\r\n"
                            "after=still Settings\r\n"
                            "[ Locations ] trailing\r\n"
                            "main dir=/data/\r\n"
                            "[settings]\r\n"
                            "setmax=from the second copy\r\n"
                            "late=ignored\r\n";
    const struct {
        QString section, key;
        std::optional<QString> expected;
    } cases[] = {
        {u"Settings"_s, u"setmax"_s, u"0"_s},
        {u"SETTINGS"_s, u"AUTOLOGIN"_s, u"1"_s}, // names compare without case
        {u"settings"_s, u"quoted"_s, u"  spaced  "_s},
        {u"Settings"_s, u"single"_s, u"x"_s},
        {u"Settings"_s, u"half"_s, u"\"open"_s},
        {u"Settings"_s, u"equals"_s, u"a=b"_s},
        {u"Settings"_s, u"empty"_s, u""_s},
        {u"Settings"_s, u"dup"_s, u"first"_s}, // the first of two equal keys wins
        {u"Settings"_s, u"after"_s, u"still Settings"_s},
        {u"Locations"_s, u"Main Dir"_s, u"/data/"_s},
        {u"Settings"_s, u"late"_s, std::nullopt}, // a repeated section is not read
        {u"Settings"_s, u";hidden"_s, std::nullopt},
        {u"Settings"_s, u"hidden"_s, std::nullopt},
        {u"Settings"_s, u"no equals sign"_s, std::nullopt},
        {u"Settings"_s, u""_s, std::nullopt},
        {u""_s, u"orphan"_s, std::nullopt},
        {u"broken"_s, u"after"_s, std::nullopt},
        {u"Missing"_s, u"setmax"_s, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.section + u'/' + c.key).toStdString());
        EXPECT_EQ(lookUp(file, c.section, c.key), c.expected);
    }
}

TEST(IniFile, AcceptsEveryLineEnd) {
    for (const QByteArray end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(end.toHex().toStdString());
        const QByteArray file = "[A]" + end + "k=v" + end + end + "[B]" + end + "k=w";
        EXPECT_EQ(lookUp(file, u"A"_s, u"k"_s), u"v"_s);
        EXPECT_EQ(lookUp(file, u"B"_s, u"k"_s), u"w"_s);
    }
}

TEST(IniFile, RoundTripKeepsEverythingItDoesNotChange) {
    const QByteArray original = "; written by hand\r\n"
                                "[Locations]\r\n"
                                "main dir = /home/me/corvalis/ \r\n"
                                "; keep this note\r\n"
                                "unknown key=unknown value\r\n"
                                "\r\n"
                                "[Settings]\r\n"
                                "SetMax=1\r\n"
                                "spam level=3\r\n";
    EXPECT_EQ(IniFile::parse(original).serialize(), original);

    IniFile ini = IniFile::parse(original);
    ini.setValue(u"settings"_s, u"setmax"_s, u"0"_s);
    ini.setValue(u"Settings"_s, u"mailto"_s, u"a@b.example"_s);
    ini.setValue(u"New"_s, u"key"_s, u""_s);
    EXPECT_EQ(ini.serialize(), QByteArray("; written by hand\r\n"
                                          "[Locations]\r\n"
                                          "main dir = /home/me/corvalis/ \r\n"
                                          "; keep this note\r\n"
                                          "unknown key=unknown value\r\n"
                                          "\r\n"
                                          "[Settings]\r\n"
                                          "SetMax=0\r\n" // the stored spelling stays
                                          "spam level=3\r\n"
                                          "mailto=a@b.example\r\n"
                                          "\r\n"
                                          "[New]\r\n"
                                          "key=\r\n"));
    EXPECT_EQ(ini.value(u"New"_s, u"KEY"_s), u""_s); // an empty value keeps its key
}

TEST(IniFile, WritesLFFilesBackWithCRLF) {
    const IniFile ini = IniFile::parse("[A]\nk=v\n[B]\nx=y");
    EXPECT_EQ(ini.serialize(), QByteArray("[A]\r\nk=v\r\n\r\n[B]\r\nx=y\r\n"));
}

TEST(IniFile, SetValueKeepsOneValueOnOneLine) {
    IniFile ini;
    ini.setValue(u"S"_s, u"k"_s, u"one\r\ntwo\nthree\rfour"_s);
    ini.setValue(u"S"_s, u"next"_s, u"kept"_s);
    const IniFile reread = IniFile::parse(ini.serialize());
    EXPECT_EQ(reread.value(u"S"_s, u"k"_s), u"one two three four"_s);
    EXPECT_EQ(reread.value(u"S"_s, u"next"_s), u"kept"_s);
    EXPECT_EQ(reread.keyNames(u"S"_s), (QStringList{u"k"_s, u"next"_s}));
}

TEST(IniFile, RefusesNamesTheFileCouldNotGiveBack) {
    const struct {
        QString section, key;
    } cases[] = {
        {u"S"_s, u""_s}, {u"S"_s, u"a=b"_s}, {u"S"_s, u";k"_s}, {u"S"_s, u"[k]"_s}, {u"a]b"_s, u"k"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.section + u'/' + c.key).toStdString());
        IniFile ini = IniFile::parse("[S]\r\nold=1\r\n");
        ini.setValue(c.section, c.key, u"v"_s);
        EXPECT_EQ(ini.serialize(), QByteArray("[S]\r\nold=1\r\n"));
    }
}

TEST(IniFile, ListsNamesInFileOrderWithoutRepeats) {
    const IniFile ini = IniFile::parse("[A]\r\nx=1\r\ny=2\r\nX=3\r\n;z=4\r\n[B]\r\n[a]\r\nw=5\r\n");
    EXPECT_EQ(ini.sectionNames(), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(ini.keyNames(u"a"_s), (QStringList{u"x"_s, u"y"_s}));
    EXPECT_EQ(ini.keyNames(u"none"_s), QStringList());
}

// Whatever the file holds, parsing ends, lookups answer, and the wanted key in a real section
// after the damage is still found.
TEST(IniFile, SurvivesDamagedFiles) {
    QByteArray binary(3 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32 *>(binary.data()), binary.size() / 4);

    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"binary", binary},
        {"long line", "[S]\r\nk=" + QByteArray(100000, 'x') + "\r\n"},
        {"long key", "[S]\r\n" + QByteArray(100000, 'k') + "=1\r\n"},
        {"long header", "[" + QByteArray(100000, 's') + "]\r\n"},
        {"NULs", QByteArray("[S]\0\r\nk\0=v\0\r\n", 14)},
        {"invalid UTF-8", "[S]\r\nk=\xff\xfe\xc3\r\n"},
        {"many lines", QByteArray("=\n;\n[\n]\n").repeated(200000)},
        {"byte-order marks after a blank line", "\n" + QByteArray("\xef\xbb\xbf").repeated(1000000)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile ini = IniFile::parse(c.bytes + "\r\n[Settings]\r\nautologin=1\r\n");
        EXPECT_EQ(ini.value(u"Settings"_s, u"autologin"_s), u"1"_s);
        EXPECT_EQ(ini.value(u"Settings"_s, u"setmax"_s), std::nullopt);
        const IniFile reread = IniFile::parse(ini.serialize());
        EXPECT_EQ(reread.serialize(), ini.serialize());
    }
    EXPECT_EQ(lookUp("[S]\r\nk=" + QByteArray(100000, 'x'), u"S"_s, u"k"_s)->size(), 100000);
    EXPECT_EQ(lookUp(QByteArray("[S]\r\nk=a\0b", 10), u"S"_s, u"k"_s), QString(u"a\0b"_s));
}
