#include "editor/colour_choice.h"

#include "editor/rgb_string.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>

namespace {

// The colour number (0x00BBGGRR) of a colour the user picked.
qint32 colourNumber(const QColor &colour) {
    return qint32(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

// A tag's colour as the swatch shows it: #RRGGBB, #RGB, or a colour name.
QColor shownColour(const QString &text) {
    const qint32 number = RevFormatRGBString(text);
    if (number >= 0)
        return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
    return QColor::fromString(text.trimmed());
}

} // namespace

ColourChoice::ColourChoice(const QString &caption, Names names, const TableDialogServices &services,
                           QWidget *parent)
    : QWidget(parent)
    , m_services(services)
    , m_check(new QCheckBox(caption, this))
    , m_swatch(new QFrame(this))
    , m_button(new QPushButton(QStringLiteral("Choose..."), this)) {
    m_check->setObjectName(QString::fromLatin1(names.check));
    m_swatch->setObjectName(QString::fromLatin1(names.swatch));
    m_button->setObjectName(QString::fromLatin1(names.button));
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setFixedSize(36, 20);
    m_swatch->setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check, 1);
    layout->addWidget(m_swatch);
    layout->addWidget(m_button);
    connect(m_button, &QPushButton::clicked, this, &ColourChoice::choose);
    showSwatch();
}

void ColourChoice::setColour(const ColourSetting &colour) {
    m_check->setChecked(colour.set);
    m_text = colour.text;
    showSwatch();
}

ColourSetting ColourChoice::colour() const {
    // A ticked box without a colour yet means black, the chooser's first colour.
    return {m_check->isChecked(), m_text.isEmpty() ? FormatRGBString(0) : m_text};
}

void ColourChoice::choose() {
    const QColor initial = shownColour(m_text);
    const std::optional<QColor> chosen = m_services.pickColour(this, initial.isValid() ? initial : Qt::black);
    if (!chosen)
        return;
    m_text = FormatRGBString(colourNumber(*chosen));
    m_check->setChecked(true);
    showSwatch();
}

void ColourChoice::showSwatch() {
    const QColor colour = shownColour(m_text);
    QPalette palette = m_swatch->palette();
    palette.setColor(QPalette::Window, colour.isValid() ? colour : palette.color(QPalette::Button));
    m_swatch->setPalette(palette);
    m_swatch->setToolTip(m_text);
}
