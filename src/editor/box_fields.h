#pragma once

#include "editor/table_editing.h"
#include "editor/tag_format.h"

class ColourChoice;
class ImageChoice;
class QGroupBox;
class QWidget;
class SizeChoice;

// The fields the table and cell properties dialogs share: width and height, background and
// border colours, and the background image.
class BoxFields {
public:
    BoxFields(const TableDialogServices &services, QWidget *dialog);

    QGroupBox *sizeGroup() const { return m_sizeGroup; }
    QGroupBox *colourGroup() const { return m_colourGroup; }
    SizeChoice *width() const { return m_width; }
    SizeChoice *height() const { return m_height; }

    void show(const BoxFormat &format);
    // The fields into `format`; the image path made relative to the document at `baseUrl`.
    void take(BoxFormat &format, const QString &baseUrl) const;
    // "You must specify a valid width for the <what>." (or height), with the focus on that field.
    void reportSizeError(TagFormat::SizeError error, const QString &what) const;

private:
    const TableDialogServices &m_services;
    SizeChoice *m_width;
    SizeChoice *m_height;
    ColourChoice *m_background;
    ColourChoice *m_borderColour;
    ImageChoice *m_image;
    QGroupBox *m_sizeGroup;
    QGroupBox *m_colourGroup;
};
