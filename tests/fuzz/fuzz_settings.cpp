// The settings parser over any bytes: writing back is stable, every key reads back the same after a write,
// changing one key leaves the others alone, and the lenient number reader returns numbers it is shown.
#include "fuzz_checks.h"

#include "base/ini_file.h"
#include "base/lenient_number.h"
#include "base/text_file.h"

#include <cstring>

void checkInput(const QByteArray &bytes) {
    const IniFile first = IniFile::parse(bytes);
    const QByteArray written = first.serialize();
    const IniFile second = IniFile::parse(written);
    FUZZ_CHECK(second.serialize() == written);
    FUZZ_CHECK(second.sectionNames() == first.sectionNames());

    // A value from the input, line breaks and all, written into a file of the input.
    const QString value = TextFile::decode(bytes.left(400));
    IniFile changed = first;
    changed.setValue(QStringLiteral("Settings"), QStringLiteral("mailto"), value);
    const IniFile reread = IniFile::parse(changed.serialize());
    const std::optional<QString> stored = reread.value(QStringLiteral("settings"), QStringLiteral("MAILTO"));
    FUZZ_CHECK(stored.has_value() &&
               stored == changed.value(QStringLiteral("Settings"), QStringLiteral("mailto")));
    FUZZ_CHECK(!stored->contains(u'\r') && !stored->contains(u'\n'));

    for (const QString &section : first.sectionNames()) {
        FUZZ_CHECK(second.keyNames(section) == first.keyNames(section));
        for (const QString &key : first.keyNames(section)) {
            FUZZ_CHECK(first.value(section, key).has_value());
            FUZZ_CHECK(second.value(section, key) == first.value(section, key));
            if (section.compare(u"Settings", Qt::CaseInsensitive) != 0 ||
                key.compare(u"mailto", Qt::CaseInsensitive) != 0)
                FUZZ_CHECK(reread.value(section, key) == first.value(section, key));
        }
    }

    (void)lenientToInt(value);
    if (bytes.size() >= qsizetype(sizeof(int))) {
        int number;
        std::memcpy(&number, bytes.constData(), sizeof number);
        FUZZ_CHECK(lenientToInt(QString::number(number)) == number);
        if (number >= 0)
            FUZZ_CHECK(lenientToInt(QStringLiteral(" \t+%1px").arg(number)) == number);
    }
}
