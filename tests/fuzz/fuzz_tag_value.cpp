// Reading and rewriting one attribute of a tag over any text: the text before the tag is never
// touched, a value that is set reads back as it was given, a flag that is set is there, setting
// twice is the same as setting once, and the tag's other attributes read as before.
#include "fuzz_checks.h"

#include "editor/rgb_string.h"
#include "editor/tag_value.h"

#include <QRegularExpression>

#include <cstdint>

namespace {

const QString names[] = {QStringLiteral("WIDTH"),   QStringLiteral("BORDER"), QStringLiteral("BORDERCOLOR"),
                         QStringLiteral("ALIGN"),   QStringLiteral("VALIGN"), QStringLiteral("NOWRAP"),
                         QStringLiteral("COLSPAN"), QStringLiteral("TITLE")};
constexpr int nameCount = int(std::size(names));

} // namespace

// Input: a byte choosing the attribute and another, a byte choosing the tag, then
// the value up to the first byte 1, then the html text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2)
        return 0;
    const QString &name = names[data[0] % nameCount];
    const QString &other = names[(data[0] / nameCount) % nameCount];
    const QString rest = QString::fromLatin1(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const qsizetype split = rest.indexOf(QChar(1));
    const QString value = split < 0 ? QString() : rest.left(split);
    const QString html = split < 0 ? rest : rest.mid(split + 1);
    // The tag is the one at the n-th "<".
    int start = 0;
    for (int n = data[1] % 16; n >= 0 && start >= 0; --n)
        start = int(html.indexOf(u'<', start)) + 1;
    if (start <= 0)
        return 0;
    // A name that starts with "=" (after a blank or a closing quote) is nothing a writer produces, and
    // a removal before it may join it to the attribute in front; such tags are skipped.
    static const QRegularExpression lonelyEquals(QStringLiteral("[\\s\"']="));
    if (html.contains(lonelyEquals))
        return 0;

    const QString otherBefore = TagValue(html, start, other, {}, TagRead);
    for (int mode : {TagSetValue, TagSetFlag}) {
        const QString written = TagValue(html, start, name, value, mode);
        FUZZ_CHECK(written.startsWith(html.left(start - 1)));
        FUZZ_CHECK(TagValue(written, start, name, value, mode) == written);
        if (written == html)
            continue;
        if (name != other)
            FUZZ_CHECK(TagValue(written, start, other, {}, TagRead) == otherBefore);
        // A value holding both kinds of quote is written with an entity and reads back as written.
        if (mode == TagSetValue && !value.isEmpty() && !(value.contains(u'"') && value.contains(u'\'')))
            FUZZ_CHECK(TagValue(written, start, name, {}, TagRead) == value);
        if (mode == TagSetFlag && value == u"1")
            FUZZ_CHECK(TagHasAttribute(written, start, name));
    }

    const qint32 colour = RevFormatRGBString(value);
    if (colour >= 0)
        FUZZ_CHECK(RevFormatRGBString(FormatRGBString(colour)) == colour);
    return 0;
}
