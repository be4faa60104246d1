#include "editor/image_map.h"

#include "editor/image_tag.h"

#include <QLineF>
#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const char *shapeName(ImageMap::Shape shape) {
    switch (shape) {
    case ImageMap::Shape::Circle:
        return "circle";
    case ImageMap::Shape::Poly:
        return "poly";
    case ImageMap::Shape::Rect:
        break;
    }
    return "rect";
}

QString coords(const ImageMap::Area &area) {
    QStringList numbers;
    if (area.shape == ImageMap::Shape::Circle && area.points.size() >= 2) {
        const QPoint centre = area.points[0];
        const int radius = int(std::lround(QLineF(centre, area.points[1]).length()));
        numbers << QString::number(centre.x()) << QString::number(centre.y()) << QString::number(radius);
    } else if (area.shape == ImageMap::Shape::Rect && area.points.size() >= 2) {
        const QPoint a = area.points[0], b = area.points[1];
        numbers << QString::number(std::min(a.x(), b.x())) << QString::number(std::min(a.y(), b.y()))
                << QString::number(std::max(a.x(), b.x())) << QString::number(std::max(a.y(), b.y()));
    } else {
        for (const QPoint &p : area.points)
            numbers << QString::number(p.x()) << QString::number(p.y());
    }
    return numbers.join(u',');
}

QString quoted(const QString &value) {
    return u'"' + value.toHtmlEscaped() + u'"';
}

} // namespace

QString ImageMap::html() const {
    QString out = u"<MAP NAME="_s + quoted(name) + u'>';
    for (const Area &area : areas) {
        out += u"<AREA SHAPE="_s + QString::fromLatin1(shapeName(area.shape)) + u" COORDS="_s +
               quoted(coords(area));
        if (!area.href.isEmpty())
            out += u" HREF="_s + quoted(area.href);
        out += u" ALT="_s + quoted(area.alt);
        if (!area.target.isEmpty())
            out += u" TARGET="_s + quoted(area.target);
        out += u'>';
    }
    return out + u"</MAP>"_s;
}

ImageMap ImageMap::fromHtml(const QString &mapHtml) {
    ImageMap map;
    map.name = ImageTag::attributeText(mapHtml, "NAME");
    static const QRegularExpression areaTag(u"<AREA\\b[^>]*>"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression number(u"-?\\d+"_s);
    for (auto tags = areaTag.globalMatch(mapHtml); tags.hasNext();) {
        const QString tag = tags.next().captured();
        Area area;
        const QString shape = ImageTag::attributeText(tag, "SHAPE").toLower();
        QList<int> values;
        for (auto n = number.globalMatch(ImageTag::attributeText(tag, "COORDS")); n.hasNext();)
            values << n.next().captured().toInt();
        if (shape.startsWith(u"circ") && values.size() >= 3) {
            area.shape = Shape::Circle;
            area.points = {QPoint(values[0], values[1]), QPoint(values[0] + values[2], values[1])};
        } else if (shape.startsWith(u"poly") && values.size() >= 6) {
            area.shape = Shape::Poly;
            for (qsizetype i = 0; i + 1 < values.size(); i += 2)
                area.points << QPoint(values[i], values[i + 1]);
        } else if ((shape.isEmpty() || shape.startsWith(u"rect")) && values.size() >= 4) {
            area.points = {QPoint(values[0], values[1]), QPoint(values[2], values[3])};
        } else {
            continue;
        }
        area.href = ImageTag::attributeText(tag, "HREF");
        area.alt = ImageTag::attributeText(tag, "ALT");
        area.target = ImageTag::attributeText(tag, "TARGET");
        map.areas << area;
    }
    return map;
}
