#include "editor/box_fields.h"

#include "base/messages.h"
#include "editor/colour_choice.h"
#include "editor/dialog_parts.h"
#include "editor/image_choice.h"
#include "editor/size_choice.h"

#include <QGroupBox>
#include <QLineEdit>

BoxFields::BoxFields(const TableDialogServices &services, QWidget *dialog)
    : m_services(services)
    , m_width(new SizeChoice(QStringLiteral("Set Width"),
                             {"CheckSetWidth", "EditWidth", "OptionWidthPct", "OptionWidthPix"}, dialog))
    , m_height(new SizeChoice(QStringLiteral("Set Height"),
                              {"CheckSetHeight", "EditHeight", "OptionHeightPct", "OptionHeightPix"}, dialog))
    , m_background(new ColourChoice(QStringLiteral("Set Background Color:"),
                                    {"CheckSetBkColor", "ShapeBkColor", "Command2"}, services, dialog))
    , m_borderColour(new ColourChoice(QStringLiteral("Set Border Color:"),
                                      {"CheckSetBorderColor", "ShapeBorderColor", "Command3"}, services,
                                      dialog))
    , m_image(new ImageChoice(services, dialog))
    , m_sizeGroup(DialogParts::group(QStringLiteral("Size"), {m_width, m_height}, dialog))
    , m_colourGroup(DialogParts::group(QStringLiteral("Colors and Background"),
                                       {m_background, m_borderColour, m_image}, dialog)) {}

void BoxFields::show(const BoxFormat &format) {
    m_width->setSize(format.width);
    m_height->setSize(format.height);
    m_background->setColour(format.background);
    m_borderColour->setColour(format.borderColour);
    m_image->setImage(format.image);
}

void BoxFields::take(BoxFormat &format, const QString &baseUrl) const {
    format.width = m_width->size();
    format.height = m_height->size();
    format.background = m_background->colour();
    format.borderColour = m_borderColour->colour();
    format.image = m_image->image(baseUrl);
}

void BoxFields::reportSizeError(TagFormat::SizeError error, const QString &what) const {
    const bool width = error == TagFormat::SizeError::Width;
    m_services.messages.inform(QStringLiteral("You must specify a valid %1 for the %2.")
                                   .arg(width ? QStringLiteral("width") : QStringLiteral("height"), what));
    (width ? m_width : m_height)->edit()->setFocus();
}
