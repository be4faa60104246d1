// The settings file as text, and the numbers stored in it.
#include "base/ini_file.h"
#include "base/lenient_number.h"
#include "base/twips.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::StringLiterals;

TEST(IniFile, ReadsValuesTheWayTheWindowsReaderDoes) {
    const IniFile ini =
        IniFile::parse("; comment\r\norphan=before any section\r\n[Settings]\r\n  setmax = 0  \r\n"
                       "AutoLogin=1\r\nquoted=\"  spaced  \"\r\nsingle='x'\r\nhalf=\"open\r\n"
                       "equals=a=b\r\nempty=\r\ndup=first\r\nDUP=second\r\n;hidden=yes\r\n"
                       "no equals sign\r\n=no key\r\n[broken\r\nafter=still Settings\r\n"
                       "[ Locations ] trailing\nmain dir=/data/\r[settings]\r\nsetmax=again\r\nlate=x\r\n");
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
        {u"Settings"_s, u"dup"_s, u"first"_s}, // the first of two equal keys wins
        {u"Settings"_s, u"after"_s, u"still Settings"_s},
        {u"Locations"_s, u"Main Dir"_s, u"/data/"_s}, // LF and CR alone end lines too
        {u"Settings"_s, u"late"_s, std::nullopt},     // a repeated section is not read
        {u"Settings"_s, u";hidden"_s, std::nullopt},
        {u"Settings"_s, u"no equals sign"_s, std::nullopt},
        {u""_s, u"orphan"_s, std::nullopt},
        {u"broken"_s, u"after"_s, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ini.value(c.section, c.key), c.expected) << (c.section + u'/' + c.key).toStdString();
}

TEST(IniFile, RefusesNamesTheFileCouldNotGiveBack) {
    const struct {
        QString section, key;
    } cases[] = {
        {u"S"_s, u""_s}, {u"S"_s, u"a=b"_s}, {u"S"_s, u";k"_s}, {u"S"_s, u"[k]"_s}, {u"a]b"_s, u"k"_s}};
    for (const auto &c : cases) {
        IniFile ini = IniFile::parse("[S]\r\nold=1\r\n");
        ini.setValue(c.section, c.key, u"v"_s);
        EXPECT_EQ(ini.serialize(), QByteArray("[S]\r\nold=1\r\n"))
            << (c.section + u'/' + c.key).toStdString();
    }
    const IniFile listed = IniFile::parse("[A]\r\nx=1\r\ny=2\r\nX=3\r\n;z=4\r\n[B]\r\n[a]\r\nw=5\r\n");
    EXPECT_EQ(listed.sectionNames(), (QStringList{u"A"_s, u"B"_s}));
    EXPECT_EQ(listed.keyNames(u"a"_s), (QStringList{u"x"_s, u"y"_s}));
}

// Whatever the file holds, the wanted key in a real section after the damage is still found.
TEST(IniFile, SurvivesDamagedFiles) {
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"long header", "[" + QByteArray(100000, 's') + "]\r\n"},
        {"many lines", QByteArray("=\n;\n[\n]\n").repeated(200000)},
        {"byte-order marks after a blank line", "\n" + QByteArray("\xef\xbb\xbf").repeated(1000000)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile ini = IniFile::parse(c.bytes + "\r\n[Settings]\r\nautologin=1\r\n");
        EXPECT_EQ(ini.value(u"Settings"_s, u"autologin"_s), u"1"_s);
        EXPECT_EQ(IniFile::parse(ini.serialize()).serialize(), ini.serialize());
    }
    EXPECT_EQ(IniFile::parse(QByteArray("[S]\r\nk=a\0b", 10)).value(u"S"_s, u"k"_s), QString(u"a\0b"_s));
}

TEST(LenientNumber, ReadsLeadingNumberAndIgnoresTheRest) {
    const struct {
        const char16_t *text;
        int expected;
    } cases[] = {
        {u"3.9", 3},
        {u"- 4", 0},     // a sign must touch its digits
        {u"1 2", 1},     // the number ends at the blank
        {u"\u00A04", 0}, // only space and tab count as leading blanks
        {u"-2147483648", INT_MIN},
        {u"2147483648", INT_MAX},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lenientToInt(QStringView(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

// Pixels and twips round to the nearest whole number, halves away from zero, either way.
TEST(Twips, ConvertToTheNearestWholeNumber) {
    const struct {
        int twips;
        double dpi;
        int pixels, backToTwips;
    } cases[] = {
        {1500, 96, 100, 1500}, {1509, 96, 101, 1515}, {1507, 96, 100, 1500}, {-1509, 96, -101, -1515},
        {100, 120, 8, 96},     {10, 144, 1, 10},      {-7, 96, 0, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(std::pair(Twips::toPixels(c.twips, c.dpi), Twips::fromPixels(c.pixels, c.dpi)),
                  std::pair(c.pixels, c.backToTwips))
            << c.twips;
}
