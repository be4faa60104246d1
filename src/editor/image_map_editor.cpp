#include "editor/image_map_editor.h"

#include "editor/dialog_parts.h"
#include "editor/image_map_area_item.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// A click this close to a polygon's first corner closes it.
constexpr qreal closeDistance = 6;

const char *shapeCaption(ImageMap::Shape shape) {
    switch (shape) {
    case ImageMap::Shape::Circle:
        return "Circle";
    case ImageMap::Shape::Poly:
        return "Polygon";
    case ImageMap::Shape::Rect:
        break;
    }
    return "Rectangle";
}

} // namespace

ImageMapEditor::ImageMapEditor(const ImageMap &map, const QString &picture, QWidget *parent)
    : QDialog(parent)
    , m_scene(new QGraphicsScene(this))
    , m_view(new QGraphicsView(m_scene, this))
    , m_tools(new QButtonGroup(this))
    , m_name(new QLineEdit(map.name, this))
    , m_list(new QListWidget(this))
    , m_href(new QLineEdit(this))
    , m_alt(new QLineEdit(this))
    , m_target(new QComboBox(this))
    , m_status(new QLabel(this)) {
    setObjectName(u"ImageMapEditor"_s);
    setWindowTitle(u"Edit Image Map"_s);
    m_view->setObjectName(u"MapView"_s);
    m_name->setObjectName(u"EditMapName"_s);
    m_list->setObjectName(u"ListAreas"_s);
    m_href->setObjectName(u"EditAreaHref"_s);
    m_alt->setObjectName(u"EditAreaAlt"_s);
    m_target->setObjectName(u"ComboAreaTarget"_s);
    m_target->setEditable(true);
    m_target->addItems({QString(), u"_top"_s, u"_blank"_s, u"_parent"_s, u"_self"_s});

    QImageReader reader(picture);
    const QImage image = reader.read();
    if (image.isNull()) {
        // Areas can still be drawn, over a plain field of the picture's size where it is known.
        const QSize size = reader.size().isValid() ? reader.size() : QSize(400, 300);
        m_scene->addRect(QRectF(QPointF(), size), QPen(Qt::gray), QBrush(Qt::lightGray));
        m_bounds = QRect(QPoint(), size);
        m_status->setText(u"The picture could not be shown: "_s + reader.errorString());
    } else {
        m_scene->addPixmap(QPixmap::fromImage(image));
        m_bounds = image.rect();
        m_status->setText(u"%1 x %2 pixels"_s.arg(image.width()).arg(image.height()));
    }
    m_scene->setSceneRect(m_bounds);
    m_scene->installEventFilter(this);
    for (const ImageMap::Area &area : map.areas)
        addArea(new ImageMapAreaItem(area));

    auto *tools = new QHBoxLayout;
    const struct {
        const char *caption, *name;
        Tool tool;
    } toolButtons[] = {{"Select", "toolSelect", Tool::Select},
                       {"Rectangle", "toolRect", Tool::Rect},
                       {"Circle", "toolCircle", Tool::Circle},
                       {"Polygon", "toolPoly", Tool::Poly}};
    for (const auto &t : toolButtons) {
        auto *button = new QToolButton(this);
        button->setText(QString::fromLatin1(t.caption));
        button->setObjectName(QString::fromLatin1(t.name));
        button->setCheckable(true);
        m_tools->addButton(button, int(t.tool));
        tools->addWidget(button);
    }
    m_tools->button(int(Tool::Rect))->setChecked(true);
    connect(m_tools, &QButtonGroup::idClicked, this, [this] { finishDrawing(); });
    const struct {
        const char *caption, *name;
        std::function<void()> action;
    } commands[] = {{"Delete Area", "cmdDeleteArea", [this] { deleteArea(); }},
                    {"Zoom In", "cmdZoomIn", [this] { zoom(2); }},
                    {"Zoom Out", "cmdZoomOut", [this] { zoom(0.5); }}};
    tools->addStretch();
    for (const auto &c : commands) {
        auto *button = new QToolButton(this);
        button->setText(QString::fromLatin1(c.caption));
        button->setObjectName(QString::fromLatin1(c.name));
        connect(button, &QToolButton::clicked, this, c.action);
        tools->addWidget(button);
    }

    auto *details = new QFormLayout;
    details->addRow(u"Map name"_s, m_name);
    details->addRow(m_list);
    details->addRow(u"Link"_s, m_href);
    details->addRow(u"Alternative text"_s, m_alt);
    details->addRow(u"Target"_s, m_target);
    auto *side = new QWidget(this);
    side->setLayout(details);
    side->setFixedWidth(280);

    auto *body = new QHBoxLayout;
    body->addWidget(m_view, 1);
    body->addWidget(side);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(body, 1);
    layout->addWidget(m_status);
    layout->addWidget(DialogParts::okCancelButtons(this));
    resize(std::clamp(m_bounds.width() + 340, 640, 1200), std::clamp(m_bounds.height() + 140, 420, 900));

    connect(m_scene, &QGraphicsScene::selectionChanged, this, &ImageMapEditor::selectionChanged);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && row < m_items.size()) {
            m_scene->clearSelection();
            m_items[row]->setSelected(true);
        }
    });
    for (QLineEdit *edit : {m_href, m_alt})
        connect(edit, &QLineEdit::textEdited, this, &ImageMapEditor::detailsEdited);
    connect(m_target, &QComboBox::currentTextChanged, this, &ImageMapEditor::detailsEdited);
    selectionChanged();
}

ImageMap ImageMapEditor::map() const {
    ImageMap result{m_name->text().trimmed(), {}};
    for (const ImageMapAreaItem *item : m_items)
        result.areas << item->area(m_bounds);
    return result;
}

ImageMapEditor::Tool ImageMapEditor::tool() const {
    return Tool(m_tools->checkedId());
}

void ImageMapEditor::addArea(ImageMapAreaItem *item) {
    m_scene->addItem(item);
    m_items << item;
    m_list->addItem(describe(item));
}

QString ImageMapEditor::describe(ImageMapAreaItem *item) const {
    const ImageMap::Area area = item->area(m_bounds);
    return QString::fromLatin1(shapeCaption(area.shape)) + u"  "_s +
           (area.href.isEmpty() ? u"(no link)"_s : area.href);
}

bool ImageMapEditor::eventFilter(QObject *watched, QEvent *event) {
    if (watched != m_scene || tool() == Tool::Select)
        return QDialog::eventFilter(watched, event);
    const auto *mouse = static_cast<QGraphicsSceneMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::GraphicsSceneMousePress: {
        if (mouse->button() != Qt::LeftButton)
            return true;
        const QPointF p = mouse->scenePos();
        if (!m_drawing) {
            const ImageMap::Shape shape = tool() == Tool::Circle ? ImageMap::Shape::Circle
                                          : tool() == Tool::Poly ? ImageMap::Shape::Poly
                                                                 : ImageMap::Shape::Rect;
            m_drawing = new ImageMapAreaItem({shape, {p.toPoint(), p.toPoint()}, {}, {}, {}});
            m_scene->addItem(m_drawing);
        } else if (QLineF(p, m_drawing->area(m_bounds).points.first()).length() <= closeDistance) {
            finishDrawing();
        } else {
            m_drawing->setLastPoint(p);
            m_drawing->addPoint(p);
        }
        return true;
    }
    case QEvent::GraphicsSceneMouseMove:
        if (m_drawing)
            m_drawing->setLastPoint(mouse->scenePos());
        return true;
    case QEvent::GraphicsSceneMouseRelease:
        if (m_drawing && tool() != Tool::Poly) {
            m_drawing->setLastPoint(mouse->scenePos());
            finishDrawing();
        }
        return true;
    case QEvent::GraphicsSceneMouseDoubleClick:
        finishDrawing();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

// Ends the area being drawn: kept when it has a size (a polygon: three corners), else dropped.
void ImageMapEditor::finishDrawing() {
    if (!m_drawing)
        return;
    std::unique_ptr<ImageMapAreaItem> item(std::exchange(m_drawing, nullptr));
    m_scene->removeItem(item.get());
    QList<QPoint> &points = item->details().points;
    const bool poly = item->details().shape == ImageMap::Shape::Poly;
    if (poly) {
        points.removeLast(); // the corner that followed the pointer
        while (points.size() > 1 && points.last() == points[points.size() - 2])
            points.removeLast();
    }
    const bool sized = poly ? points.size() >= 3 : points.size() == 2 && points[0] != points[1];
    if (!sized)
        return;
    ImageMapAreaItem *kept = item.release();
    addArea(kept);
    m_scene->clearSelection();
    kept->setSelected(true);
}

void ImageMapEditor::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && m_drawing) {
        const std::unique_ptr<ImageMapAreaItem> dropped(std::exchange(m_drawing, nullptr));
        m_scene->removeItem(dropped.get());
    } else if (event->key() == Qt::Key_Delete && m_view->hasFocus()) {
        deleteArea();
    } else {
        QDialog::keyPressEvent(event);
    }
}

void ImageMapEditor::selectionChanged() {
    const QList<QGraphicsItem *> selected = m_scene->selectedItems();
    const int row =
        selected.isEmpty() ? -1 : int(m_items.indexOf(static_cast<ImageMapAreaItem *>(selected.first())));
    for (QWidget *field : std::initializer_list<QWidget *>{m_href, m_alt, m_target})
        field->setEnabled(row >= 0);
    const QSignalBlocker blockList(m_list), blockTarget(m_target);
    m_list->setCurrentRow(row);
    const ImageMap::Area area = row >= 0 ? m_items[row]->details() : ImageMap::Area{};
    m_href->setText(area.href);
    m_alt->setText(area.alt);
    m_target->setCurrentText(area.target);
}

void ImageMapEditor::detailsEdited() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_items.size())
        return;
    ImageMap::Area &area = m_items[row]->details();
    area.href = m_href->text().trimmed();
    area.alt = m_alt->text();
    area.target = m_target->currentText().trimmed();
    m_list->item(row)->setText(describe(m_items[row]));
}

void ImageMapEditor::deleteArea() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_items.size())
        return;
    std::unique_ptr<ImageMapAreaItem> item(m_items.takeAt(row));
    m_scene->removeItem(item.get());
    const std::unique_ptr<QListWidgetItem> listItem(m_list->takeItem(row));
    selectionChanged();
}

void ImageMapEditor::zoom(qreal factor) {
    const qreal scale = m_view->transform().m11() * factor;
    if (scale >= 0.125 && scale <= 8)
        m_view->scale(factor, factor);
}
