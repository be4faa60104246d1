#include "editor/image_map_area_item.h"

#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace {

constexpr qreal handleRadius = 4;

QRectF handleRect(const QPointF &p) {
    return {p.x() - handleRadius, p.y() - handleRadius, 2 * handleRadius, 2 * handleRadius};
}

} // namespace

ImageMapAreaItem::ImageMapAreaItem(ImageMap::Area area, QGraphicsItem *parent)
    : QGraphicsItem(parent)
    , m_area(std::move(area)) {
    setFlags(ItemIsSelectable | ItemIsMovable | ItemSendsGeometryChanges);
}

ImageMap::Area ImageMapAreaItem::area(const QRect &bounds) const {
    ImageMap::Area placed = m_area;
    for (QPoint &p : placed.points) {
        const QPoint moved = mapToScene(p).toPoint();
        p = {std::clamp(moved.x(), bounds.left(), bounds.right()),
             std::clamp(moved.y(), bounds.top(), bounds.bottom())};
    }
    return placed;
}

void ImageMapAreaItem::setLastPoint(const QPointF &scenePoint) {
    if (m_area.points.isEmpty())
        return;
    prepareGeometryChange();
    m_area.points.last() = mapFromScene(scenePoint).toPoint();
}

void ImageMapAreaItem::addPoint(const QPointF &scenePoint) {
    prepareGeometryChange();
    m_area.points << mapFromScene(scenePoint).toPoint();
}

QPainterPath ImageMapAreaItem::outline() const {
    QPainterPath path;
    const QList<QPoint> &p = m_area.points;
    if (p.size() < 2)
        return path;
    switch (m_area.shape) {
    case ImageMap::Shape::Rect:
        path.addRect(QRectF(p[0], p[1]).normalized());
        break;
    case ImageMap::Shape::Circle: {
        const qreal r = QLineF(p[0], p[1]).length();
        path.addEllipse(QPointF(p[0]), r, r);
        break;
    }
    case ImageMap::Shape::Poly:
        path.addPolygon(QPolygonF(QPolygon(p)));
        path.closeSubpath();
        break;
    }
    return path;
}

QRectF ImageMapAreaItem::boundingRect() const {
    QRectF r = outline().boundingRect();
    for (const QPoint &p : m_area.points)
        r |= handleRect(p);
    return r.adjusted(-2, -2, 2, 2);
}

QPainterPath ImageMapAreaItem::shape() const {
    QPainterPath path = outline();
    for (const QPoint &p : m_area.points)
        path.addRect(handleRect(p));
    return path;
}

void ImageMapAreaItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *) {
    const bool selected = isSelected();
    painter->setPen(QPen(selected ? Qt::red : Qt::blue, 0));
    painter->setBrush(QColor(selected ? 255 : 0, 0, selected ? 0 : 255, 50));
    painter->drawPath(outline());
    if (!selected)
        return;
    // Handles keep their size on the screen whatever the zoom.
    const qreal zoom = std::max<qreal>(painter->worldTransform().m11(), 1);
    painter->setBrush(Qt::white);
    for (const QPoint &p : m_area.points)
        painter->drawRect(QRectF(p.x() - handleRadius / zoom, p.y() - handleRadius / zoom,
                                 2 * handleRadius / zoom, 2 * handleRadius / zoom));
}

int ImageMapAreaItem::handleAt(const QPointF &point) const {
    for (int i = 0; i < m_area.points.size(); ++i) {
        if (handleRect(m_area.points[i]).contains(point))
            return i;
    }
    return -1;
}

void ImageMapAreaItem::mousePressEvent(QGraphicsSceneMouseEvent *event) {
    m_dragged = isSelected() ? handleAt(event->pos()) : -1;
    QGraphicsItem::mousePressEvent(event);
}

void ImageMapAreaItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event) {
    if (m_dragged < 0) {
        QGraphicsItem::mouseMoveEvent(event);
        return;
    }
    prepareGeometryChange();
    m_area.points[m_dragged] = event->pos().toPoint();
}

void ImageMapAreaItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event) {
    m_dragged = -1;
    QGraphicsItem::mouseReleaseEvent(event);
}
