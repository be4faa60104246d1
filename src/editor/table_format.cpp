#include "editor/table_format.h"

#include "editor/html_tag_scanner.h"
#include "editor/tag_value.h"

#include <cmath>

namespace TableFormatting {

namespace {

const QString tableTagName = QStringLiteral("TABLE");

// The 0-based position of the first table tag, or -1.
qsizetype firstTableTag(const QString &html) {
    HtmlTagScanner scanner(html);
    HtmlTag tag;
    while (scanner.next(tag)) {
        if (!tag.closing && tag.is(tableTagName))
            return tag.begin;
    }
    return -1;
}

} // namespace

CountCheck checkCount(const QString &text, int maximum, int *count) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < 1 || number != std::floor(number))
        return CountCheck::NotPositive;
    if (number > maximum)
        return CountCheck::TooMany;
    *count = int(number);
    return CountCheck::Valid;
}

std::optional<QString> insertAttributes(const TableFormat &format) {
    const std::optional<QString> width = TagFormat::sizeValue(format.width);
    if (!width)
        return std::nullopt;
    const TagEdits edits{
        {QStringLiteral("WIDTH"), *width, TagSetValue},
        {QStringLiteral("ALIGN"), format.align, TagSetValue},
        {QStringLiteral("BORDER"), format.border.trimmed(), TagSetValue},
        {QStringLiteral("CELLPADDING"), format.padding.trimmed(), TagSetValue},
        {QStringLiteral("CELLSPACING"), format.spacing.trimmed(), TagSetValue},
        {QStringLiteral("BGCOLOR"), TagFormat::colourValue(format.background), TagSetValue},
        {QStringLiteral("BORDERCOLOR"), TagFormat::colourValue(format.borderColour), TagSetValue},
    };
    const QString tag = TagFormat::applyEdits(u'<' + tableTagName + u'>', edits);
    return tag.mid(tableTagName.size() + 1).chopped(1);
}

TableFormat readTable(const QString &tableHtml) {
    TableFormat format;
    const qsizetype p = firstTableTag(tableHtml);
    if (p < 0)
        return format;
    const QString tag = tableHtml.mid(p, TagEnd(tableHtml, int(p) + 1) - p + 1);
    TagFormat::readBox(tag, format);
    format.border = TagFormat::attribute(tag, "BORDER");
    format.padding = TagFormat::attribute(tag, "CELLPADDING");
    format.spacing = TagFormat::attribute(tag, "CELLSPACING");
    return format;
}

QString rewriteTable(const QString &tableHtml, const TableFormat &format, TagFormat::SizeError *error) {
    *error = TagFormat::SizeError::None;
    const qsizetype p = firstTableTag(tableHtml);
    if (p < 0)
        return tableHtml;
    const std::optional<QString> width = TagFormat::sizeValue(format.width);
    const std::optional<QString> height = TagFormat::sizeValue(format.height);
    if (!width || !height) {
        *error = !width ? TagFormat::SizeError::Width : TagFormat::SizeError::Height;
        return tableHtml;
    }
    TagEdits edits = TagFormat::boxEdits(format, width, height);
    edits.push_back({QStringLiteral("BORDER"), format.border.trimmed(), TagSetValue});
    edits.push_back({QStringLiteral("CELLPADDING"), format.padding.trimmed(), TagSetValue});
    edits.push_back({QStringLiteral("CELLSPACING"), format.spacing.trimmed(), TagSetValue});
    edits.push_back(TagFormat::imageEdit(format));
    const qsizetype end = TagEnd(tableHtml, int(p) + 1);
    return tableHtml.left(p) + TagFormat::applyEdits(tableHtml.mid(p, end - p + 1), edits) +
           tableHtml.mid(end + 1);
}

} // namespace TableFormatting
