#pragma once

#include <QMargins>
#include <QRect>

// Where a window goes so that all of it, frame included, lies on its screen.
namespace ScreenFit {

// The client area `client` moved (and, when larger than the screen, shrunk) so that it and its
// frame `frame` lie wholly within `available`; a window already wholly inside stays exactly where it is.
QRect fit(const QRect &client, const QMargins &frame, const QRect &available);

} // namespace ScreenFit
