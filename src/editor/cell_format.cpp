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
    TagFormat::readBox(tag, format);
    format.valign = TagFormat::readAlignment(TagFormat::attribute(tag, "VALIGN"), QStringLiteral("CENTER"),
                                             QStringLiteral("MIDDLE"));
    format.noWrap = TagHasAttribute(tag, 1, QStringLiteral("NOWRAP"));
    for (auto [name, span] : {std::pair{"ROWSPAN", &format.rowSpan}, std::pair{"COLSPAN", &format.colSpan}}) {
        const QString value = TagFormat::attribute(tag, name);
        if (!value.isEmpty())
            *span = value;
    }
    return format;
}

QString rewriteCells(const QString &document, int markerPosition, CellScope scope, const CellFormat &format,
                     TagFormat::SizeError *error) {
    *error = TagFormat::SizeError::None;
    const CellTargets targets = findCellTargets(document, markerPosition, scope);
    if (!targets.found)
        return document;
    // A row's cells keep their widths and row spans, a column's cells their heights and column spans.
    const bool widthOffered = scope != CellScope::Row;
    const bool heightOffered = scope != CellScope::Column;
    const std::optional<QString> width = TagFormat::sizeValue(format.width);
    const std::optional<QString> height = TagFormat::sizeValue(format.height);
    if ((widthOffered && !width) || (heightOffered && !height)) {
        *error = widthOffered && !width ? TagFormat::SizeError::Width : TagFormat::SizeError::Height;
        return document;
    }
    TagEdits edits = TagFormat::boxEdits(format, widthOffered ? width : std::nullopt,
                                         heightOffered ? height : std::nullopt);
    edits.push_back({QStringLiteral("VALIGN"), format.valign, TagSetValue});
    edits.push_back(
        {QStringLiteral("NOWRAP"), format.noWrap ? QStringLiteral("1") : QStringLiteral("0"), TagSetFlag});
    if (widthOffered)
        edits.push_back({QStringLiteral("ROWSPAN"), spanValue(format.rowSpan), TagSetValue});
    if (heightOffered)
        edits.push_back({QStringLiteral("COLSPAN"), spanValue(format.colSpan), TagSetValue});
    edits.push_back(TagFormat::imageEdit(format));

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
