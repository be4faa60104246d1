// One attribute of a tag read and rewritten over any text: text before the tag is untouched, a value set
// reads back as given, a flag set is there, setting twice equals once, other attributes read as before.
#include "fuzz_checks.h"

#include "editor/tag_value.h"

#include <QRegularExpression>

const QStringList names =
    QStringLiteral("WIDTH BORDER BORDERCOLOR ALIGN VALIGN NOWRAP COLSPAN TITLE").split(u' ');

// Input: a byte choosing two attributes, a byte choosing the tag, the value up to a byte 1, the html.
void checkInput(const QByteArray &bytes) {
    if (bytes.size() < 2)
        return;
    const QString &name = names[uchar(bytes[0]) % names.size()];
    const QString &other = names[(uchar(bytes[0]) / names.size()) % names.size()];
    const QString rest = QString::fromLatin1(bytes.sliced(2));
    const qsizetype split = rest.indexOf(QChar(1));
    const QString value = split < 0 ? QString() : rest.left(split);
    const QString html = split < 0 ? rest : rest.mid(split + 1);
    // The tag is the one at the n-th "<".
    int start = 0;
    for (int n = uchar(bytes[1]) % 16; n >= 0 && start >= 0; --n)
        start = int(html.indexOf(u'<', start)) + 1;
    if (start <= 0)
        return;
    // A name that starts with "=" (after a blank or a closing quote) is nothing a writer produces, and
    // a removal before it may join it to the attribute in front; such tags are skipped.
    static const QRegularExpression lonelyEquals(QStringLiteral("[\\s\"']="));
    if (html.contains(lonelyEquals))
        return;

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
}
