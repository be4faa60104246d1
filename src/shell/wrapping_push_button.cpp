#include "shell/wrapping_push_button.h"

#include "shell/caption_wrap.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

constexpr int textFlags = Qt::AlignCenter | CaptionWrap::textFlags;

} // namespace

WrappingPushButton::WrappingPushButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent) {
    setSizePolicy(CaptionWrap::sizePolicy());
}

QSize WrappingPushButton::buttonSize(const QSize &captionSize) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, captionSize, this);
}

int WrappingPushButton::margins() const {
    return buttonSize({0, 0}).width();
}

int WrappingPushButton::heightForWidth(int width) const {
    const QRect caption =
        fontMetrics().boundingRect(QRect(0, 0, qMax(1, width - margins()), 10000), textFlags, text());
    return buttonSize(caption.size()).height();
}

QSize WrappingPushButton::sizeHint() const {
    const int width = margins() + qMin(CaptionWrap::preferredWidth, fontMetrics().horizontalAdvance(text()));
    return {width, heightForWidth(width)};
}

QSize WrappingPushButton::minimumSizeHint() const {
    const int longest = CaptionWrap::longestWord(fontMetrics(), text());
    // The height follows the width through heightForWidth(); asking for the narrowest width's
    // height here would make every layout above reserve it, scroll bars and all.
    return {margins() + longest, sizeHint().height()};
}

void WrappingPushButton::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(textRect, textFlags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}
