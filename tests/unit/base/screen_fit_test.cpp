#include "base/screen_fit.h"

#include <gtest/gtest.h>

// Past each edge of the screen in turn is the workflow test's, with a window manager's frames.

TEST(ScreenFit, AWindowAndItsFrameEndWhollyOnTheScreen) {
    const QRect screen(0, 0, 1600, 1000);
    const QMargins frame(1, 21, 1, 1); // a title bar above, thin borders
    const struct {
        const char *why;
        QRect client, expected;
    } cases[] = {
        {"inside stays where it is", {100, 100, 400, 300}, {100, 100, 400, 300}},
        {"larger than the screen", {-50, -50, 2000, 1200}, {1, 21, 1598, 978}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ScreenFit::fit(c.client, frame, screen), c.expected) << c.why;
}
