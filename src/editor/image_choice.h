#pragma once

#include "editor/table_editing.h"
#include "editor/tag_format.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Use Background Image" with the image's path and a browse button that fills the path and ticks
// the box.
class ImageChoice : public QWidget {
    Q_OBJECT
public:
    ImageChoice(const TableDialogServices &services, QWidget *parent);

    void setImage(const ImageSetting &image);
    // The image as the document refers to it: relative to the folder of the document at `baseUrl`.
    ImageSetting image(const QString &baseUrl) const;

private:
    QCheckBox *m_check;
    QLineEdit *m_path;
    QPushButton *m_browse;
};
