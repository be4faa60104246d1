#include "editor/cell_format.h"

#include "editor/tag_value.h"

namespace CellFormatting {

namespace {

QString spanValue(const QString &text) {
    bool ok = false;
    const int span = text.trimmed().toInt(&ok);
    return ok && span > 1 ? QString::number(span) : QString();
}

} // namespace

CellFormat readCell(const QString &document, int markerPosition) {
    CellFormat format;
    const CellTargets targets = findCellTargets(document, markerPosition, CellScope::Cell);
    if (!targets.found)
        return format;
    const QString tag = document.mid(targets.cell.begin, targets.cell.end - targets.cell.begin + 1);
    const auto read = [&](const char *name) {
        return TagValue(tag, 1, QString::fromLatin1(name), {}, TagRead);
    };
    format.background = TagFormat::readColour(read("BGCOLOR"));
    format.borderColour = TagFormat::readColour(read("BORDERCOLOR"));
    format.width = TagFormat::readSize(read("WIDTH"));
    format.height = TagFormat::readSize(read("HEIGHT"));
    format.align =
        TagFormat::readAlignment(read("ALIGN"), QStringLiteral("MIDDLE"), QStringLiteral("CENTER"));
    format.valign =
        TagFormat::readAlignment(read("VALIGN"), QStringLiteral("CENTER"), QStringLiteral("MIDDLE"));
    format.noWrap = TagHasAttribute(tag, 1, QStringLiteral("NOWRAP"));
    for (auto [name, span] : {std::pair{"ROWSPAN", &format.rowSpan}, std::pair{"COLSPAN", &format.colSpan}}) {
        const QString value = read(name);
        if (!value.isEmpty())
            *span = value;
    }
    const QString image = read("BACKGROUND");
    format.image = {!image.isEmpty(), image};
    return format;
}

QString rewriteCells(const QString &document, int markerPosition, CellScope scope, const CellFormat &format,
                     TagFormat::SizeError *error) {
    *error = TagFormat::SizeError::None;
    const CellTargets targets = findCellTargets(document, markerPosition, scope);
    if (!targets.found)
        return document;
    const std::optional<QString> width = TagFormat::sizeValue(format.width);
    const std::optional<QString> height = TagFormat::sizeValue(format.height);
    if ((!width && scope != CellScope::Row) || (!height && scope != CellScope::Column)) {
        *error =
            !width && scope != CellScope::Row ? TagFormat::SizeError::Width : TagFormat::SizeError::Height;
        return document;
    }
    TagEdits edits;
    if (scope != CellScope::Row)
        edits.push_back({QStringLiteral("WIDTH"), *width, TagSetValue});
    if (scope != CellScope::Column)
        edits.push_back({QStringLiteral("HEIGHT"), *height, TagSetValue});
    edits.push_back({QStringLiteral("BGCOLOR"), TagFormat::colourValue(format.background), TagSetValue});
    edits.push_back(
        {QStringLiteral("BORDERCOLOR"), TagFormat::colourValue(format.borderColour), TagSetValue});
    edits.push_back({QStringLiteral("ALIGN"), format.align, TagSetValue});
    edits.push_back({QStringLiteral("VALIGN"), format.valign, TagSetValue});
    edits.push_back(
        {QStringLiteral("NOWRAP"), format.noWrap ? QStringLiteral("1") : QStringLiteral("0"), TagSetFlag});
    if (scope != CellScope::Row)
        edits.push_back({QStringLiteral("ROWSPAN"), spanValue(format.rowSpan), TagSetValue});
    if (scope != CellScope::Column)
        edits.push_back({QStringLiteral("COLSPAN"), spanValue(format.colSpan), TagSetValue});
    edits.push_back(
        {QStringLiteral("BACKGROUND"), format.image.set ? format.image.path : QString(), TagSetValue});

    QString result;
    result.reserve(document.size() + qsizetype(targets.tags.size()) * 64);
    qsizetype copied = 0;
    for (const TagSpan &tag : targets.tags) {
        result += QStringView(document).mid(copied, tag.begin - copied);
        result += TagFormat::applyEdits(document.mid(tag.begin, tag.end - tag.begin + 1), edits);
        copied = tag.end + 1;
    }
    result += QStringView(document).mid(copied);
    return result;
}

} // namespace CellFormatting
