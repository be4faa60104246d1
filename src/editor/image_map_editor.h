#pragma once

#include "editor/image_map.h"

#include <QDialog>

class ImageMapAreaItem;
class QButtonGroup;
class QComboBox;
class QGraphicsScene;
class QGraphicsView;
class QLabel;
class QLineEdit;
class QListWidget;

// "Edit Image Map": the picture at its size, on which the user draws rectangles, circles and
// polygons, moves and reshapes them, and gives each a link, alternative text and target.
class ImageMapEditor : public QDialog {
    Q_OBJECT
public:
    enum class Tool { Select, Rect, Circle, Poly };

    ImageMapEditor(const ImageMap &map, const QString &picture, QWidget *parent = nullptr);

    // The map as drawn, in the picture's pixels.
    ImageMap map() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Delete removes the chosen area; Escape drops the area being drawn before it closes the dialog.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void addArea(ImageMapAreaItem *item);
    void finishDrawing();
    void selectionChanged();
    void detailsEdited();
    void deleteArea();
    void zoom(qreal factor);
    QString describe(ImageMapAreaItem *item) const;
    Tool tool() const;

    QGraphicsScene *m_scene;
    QGraphicsView *m_view;
    QRect m_bounds;
    QButtonGroup *m_tools;
    QLineEdit *m_name;
    QListWidget *m_list;
    QLineEdit *m_href, *m_alt;
    QComboBox *m_target;
    QLabel *m_status;
    QList<ImageMapAreaItem *> m_items;
    ImageMapAreaItem *m_drawing = nullptr;
};
