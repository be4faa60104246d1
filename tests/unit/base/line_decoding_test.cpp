// Files that mix encodings line by line, as when an older tool added a line to a UTF-8 file.
#include "shell/ini_file.h"
#include "shell/text_file.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LineDecoding, EachLineIsUtf8OrElseWindows1252) {
    const struct {
        QByteArray bytes;
        QString expected;
    } cases[] = {
        {"Zo\xc3\xab\r\nRen\xe9"
         "e\nCaf\xc3\xa9",
         u"Zoë\r\nRenée\nCafé"_s},
        {"\xef\xbb\xbf"
         "a\xe9\rb\xc3\xa9\r\n",
         u"aé\rbé\r\n"_s},
        {QByteArray("\xff\xfe"
                    "a\0\xe9\0\r\0\n\0",
                    10),
         u"aé\r\n"_s}, // spreadsheet "Unicode Text"
        {QByteArray("\xfe\xff\0a\0\xe9", 6), u"aé"_s},
        {QByteArray("\xff\xfe\0\xd8"
                    "a\0",
                    6),
         u"\uFFFDa"_s}, // half a surrogate pair could not be written back
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        EXPECT_EQ(TextFile::decode(c.bytes), c.expected);
    }
}

TEST(LineDecoding, ASettingsFileKeepsItsUtf8ValuesWhenRewritten) {
    IniFile ini = IniFile::parse("[Locations]\r\nmain dir=/home/zo\xc3\xab/Corvalis\r\n"
                                 "[Settings]\r\nafftext=Caf\xe9 cr\xe8me\r\n");
    ini.setValue(u"Settings"_s, u"autologin"_s, u"1"_s);
    const IniFile rewritten = IniFile::parse(ini.serialize());
    EXPECT_EQ(rewritten.value(u"Locations"_s, u"main dir"_s), u"/home/zoë/Corvalis"_s);
    EXPECT_EQ(rewritten.value(u"Settings"_s, u"afftext"_s), u"Café crème"_s);
}
