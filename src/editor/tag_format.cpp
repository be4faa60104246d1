#include "editor/tag_format.h"

#include "editor/tag_value.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace TagFormat {

std::optional<QString> sizeValue(const SizeSetting &size) {
    if (!size.set)
        return QString();
    const QString text = size.text.trimmed();
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok || number < 0 || text.startsWith(u'+') || text.startsWith(u'-'))
        return std::nullopt;
    if (!size.percent)
        return QString::number(number);
    return QString::number(std::min<qlonglong>(number, 100)) + u'%';
}

SizeSetting readSize(const QString &value) {
    SizeSetting size;
    size.set = !value.isEmpty();
    size.percent = value.isEmpty() || value.contains(u'%'); // a width without "%" is in pixels
    size.text = QString(value).remove(u'%');
    return size;
}

ColourSetting readColour(const QString &value) {
    return {!value.isEmpty(), value};
}

QString colourValue(const ColourSetting &colour) {
    return colour.set ? colour.text : QString();
}

QString readAlignment(const QString &value, const QString &synonym, const QString &canonical) {
    const QString upper = value.trimmed().toUpper();
    return upper == synonym ? canonical : upper;
}

QString relativeImagePath(const QString &path, const QString &baseUrl) {
    if (path.isEmpty())
        return path;
    const QUrl base(baseUrl);
    const QString absolute = QFileInfo(path).isAbsolute() ? path : QString();
    if (absolute.isEmpty())
        return path; // already relative, or a URL: written as given
    if (base.isLocalFile())
        return QFileInfo(base.toLocalFile()).absoluteDir().relativeFilePath(absolute);
    return QUrl::fromLocalFile(absolute).toString();
}

QString attribute(const QString &tag, const char *name) {
    return TagValue(tag, 1, QString::fromLatin1(name), QString(), TagRead);
}

void readBox(const QString &tag, BoxFormat &format) {
    format.background = readColour(attribute(tag, "BGCOLOR"));
    format.borderColour = readColour(attribute(tag, "BORDERCOLOR"));
    format.width = readSize(attribute(tag, "WIDTH"));
    format.height = readSize(attribute(tag, "HEIGHT"));
    format.align = readAlignment(attribute(tag, "ALIGN"), QStringLiteral("MIDDLE"), QStringLiteral("CENTER"));
    const QString image = attribute(tag, "BACKGROUND");
    format.image = {!image.isEmpty(), image};
}

TagEdits boxEdits(const BoxFormat &format, const std::optional<QString> &width,
                  const std::optional<QString> &height) {
    TagEdits edits;
    if (width)
        edits.push_back({QStringLiteral("WIDTH"), *width, TagSetValue});
    if (height)
        edits.push_back({QStringLiteral("HEIGHT"), *height, TagSetValue});
    edits.push_back({QStringLiteral("BGCOLOR"), colourValue(format.background), TagSetValue});
    edits.push_back({QStringLiteral("BORDERCOLOR"), colourValue(format.borderColour), TagSetValue});
    edits.push_back({QStringLiteral("ALIGN"), format.align, TagSetValue});
    return edits;
}

AttributeEdit imageEdit(const BoxFormat &format) {
    return {QStringLiteral("BACKGROUND"), format.image.set ? format.image.path : QString(), TagSetValue};
}

QString applyEdits(QString tag, const TagEdits &edits) {
    for (const AttributeEdit &edit : edits)
        tag = TagValue(tag, 1, edit.name, edit.value, edit.mode);
    return tag;
}

} // namespace TagFormat
