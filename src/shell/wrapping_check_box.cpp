#include "shell/wrapping_check_box.h"

#include "shell/caption_wrap.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int textFlags = Qt::AlignLeft | Qt::AlignTop | CaptionWrap::textFlags;

} // namespace

WrappingCheckBox::WrappingCheckBox(const QString &caption, QWidget *parent)
    : QCheckBox(caption, parent) {
    setSizePolicy(CaptionWrap::sizePolicy());
}

int WrappingCheckBox::captionLeft() const {
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) +
           style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, this);
}

QRect WrappingCheckBox::captionRect(int width) const {
    return fontMetrics().boundingRect(QRect(captionLeft(), 0, qMax(1, width - captionLeft()), 10000),
                                      textFlags, text());
}

int WrappingCheckBox::heightForWidth(int width) const {
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    return qMax(indicator, captionRect(width).height()) + 2;
}

QSize WrappingCheckBox::sizeHint() const {
    const int width =
        captionLeft() + qMin(CaptionWrap::preferredWidth, fontMetrics().horizontalAdvance(text())) + 2;
    return {width, heightForWidth(width)};
}

QSize WrappingCheckBox::minimumSizeHint() const {
    const int longest = CaptionWrap::longestWord(fontMetrics(), text());
    // As for WrappingPushButton: the height at a given width comes from heightForWidth().
    return {captionLeft() + longest + 2, sizeHint().height()};
}

void WrappingCheckBox::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    QStyleOptionButton indicator = option;
    const int size = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    indicator.rect = QRect(0, qMax(0, (fontMetrics().height() - size) / 2) + 1,
                           style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this), size);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);
    const QRect textRect(captionLeft(), 1, width() - captionLeft(), height() - 1);
    painter.drawItemText(textRect, textFlags, option.palette, isEnabled(), caption, QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = captionRect(width()).translated(0, 1).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
