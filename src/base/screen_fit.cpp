#include "base/screen_fit.h"

#include <algorithm>

QRect ScreenFit::fit(const QRect &client, const QMargins &frame, const QRect &available) {
    const QRect inner = available.marginsRemoved(frame);
    if (inner.isEmpty())
        return client;
    QRect placed(client.topLeft(), client.size().boundedTo(inner.size()));
    placed.moveLeft(std::clamp(placed.left(), inner.left(), inner.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), inner.top(), inner.bottom() - placed.height() + 1));
    return placed;
}
