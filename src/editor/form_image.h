#pragma once

#include "editor/image_map.h"
#include "editor/image_tag.h"

#include <QDialog>

#include <functional>
#include <optional>

class EditingSurface;
class ImageFileBrowser;
class Messages;
class OptionalSpinBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QWebEngineView;

// "Insert Graphic" ("Select Graphic" when an image is selected): the picture and its attributes,
// inserted as a regular image, as an image inside a link, or with an image map.
class EditorFolders;

class FormImage : public QDialog {
    Q_OBJECT
public:
    // With `folders`, a new picture is looked for in the folder the last one came from.
    FormImage(EditingSurface &surface, Messages &messages, QWidget *parent = nullptr,
              EditorFolders *folders = nullptr);

    // Opens the image-map editor on `map` for the picture at `picture`; nothing when cancelled.
    using EditMap = std::function<std::optional<ImageMap>(const ImageMap &map, const QString &picture)>;
    void setEditMap(EditMap editMap) { m_editMap = std::move(editMap); }

    void accept() override;

private:
    void readSelectedImage();
    void createControls();
    // A click on a file: its path, its preview and its pixel size.
    void pictureChosen(const QString &path);
    void showPreview();
    void editMap();
    ImageTag::Mode mode() const;
    ImageTag::Fields fields() const;
    std::optional<QString> linkTarget();
    void insert(const QString &html);

    EditingSurface &m_surface;
    Messages &m_messages;
    EditorFolders *m_folders;
    EditMap m_editMap;
    QString m_workingTag;
    ImageMap m_map;
    bool m_mapDefined = false;
    QString m_pictureFile;

    QLineEdit *m_location;
    ImageFileBrowser *m_files;
    QStackedWidget *m_previewStack;
    QLabel *m_image1;
    QWebEngineView *m_browser;
    QLineEdit *m_alt;
    OptionalSpinBox *m_border, *m_hspace, *m_vspace;
    QComboBox *m_align;
    QCheckBox *m_setWidth, *m_setHeight;
    QLineEdit *m_width, *m_height;
    QRadioButton *m_widthPercent, *m_heightPercent, *m_widthPixels, *m_heightPixels;
    QRadioButton *m_optImage, *m_optImageJump, *m_optImageMap;
    QComboBox *m_href;
    QCheckBox *m_useMap;
    QPushButton *m_mapEdit;
};
