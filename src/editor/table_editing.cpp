#include "editor/table_editing.h"

#include <QColorDialog>
#include <QFileDialog>

TableDialogServices standardTableDialogServices(Messages &messages) {
    return {
        messages,
        [](QWidget *parent, const QColor &initial) -> std::optional<QColor> {
            const QColor colour = QColorDialog::getColor(initial, parent);
            return colour.isValid() ? std::optional(colour) : std::nullopt;
        },
        [](QWidget *parent) {
            return QFileDialog::getOpenFileName(
                parent, QStringLiteral("Set Background Image"), QString(),
                QStringLiteral("Images (*.png *.jpg *.jpeg *.gif *.bmp);;Windows bitmap (*.bmp);;GIF Files "
                               "(*.gif);;All Files (*)"));
        }};
}
