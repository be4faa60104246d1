#pragma once

#include <QList>
#include <QPoint>
#include <QString>

// An image map as the map editor holds it: its name and its areas, with their coordinates in the
// picture's pixels, written as a <MAP> element and read back from one.
struct ImageMap {
    enum class Shape { Rect, Circle, Poly };
    struct Area {
        Shape shape = Shape::Rect;
        // Rect: two corners; circle: the centre and a point on the edge; poly: its corners.
        QList<QPoint> points;
        QString href, alt, target;
    };

    QString name;
    QList<Area> areas;

    // The <MAP> element with one <AREA> per area; attribute values are quoted and escaped.
    QString html() const;
    // The map of a <MAP> element's HTML; areas of unknown shape, or without enough coordinates,
    // are left out.
    static ImageMap fromHtml(const QString &mapHtml);
};
