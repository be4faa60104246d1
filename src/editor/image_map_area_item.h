#pragma once

#include "editor/image_map.h"

#include <QGraphicsItem>

// One area of an image map on the map editor's picture: drawn as its shape, moved by dragging its
// inside, reshaped by dragging one of its handles (a rectangle's corners, a circle's edge point,
// a polygon's corners). Points are the picture's pixels, whatever the view's zoom.
class ImageMapAreaItem : public QGraphicsItem {
public:
    explicit ImageMapAreaItem(ImageMap::Area area, QGraphicsItem *parent = nullptr);

    // The area with its points where the item now stands, within `bounds`.
    ImageMap::Area area(const QRect &bounds) const;
    ImageMap::Area &details() { return m_area; }
    // While drawing: the last point follows the pointer, or a new corner is added.
    void setLastPoint(const QPointF &scenePoint);
    void addPoint(const QPointF &scenePoint);
    qsizetype pointCount() const { return m_area.points.size(); }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    QPainterPath outline() const;
    int handleAt(const QPointF &point) const;

    ImageMap::Area m_area; // points in the item's own coordinates
    int m_dragged = -1;    // the handle being dragged, or -1
};
