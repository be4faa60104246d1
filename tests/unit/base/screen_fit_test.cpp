#include "base/screen_fit.h"

#include <gtest/gtest.h>

TEST(ScreenFit, AWindowAndItsFrameEndWhollyOnTheScreen) {
    const QRect screen(0, 0, 1600, 1000);
    const QMargins frame(1, 21, 1, 1); // a title bar above, thin borders
    const struct {
        const char *why;
        QRect client, expected;
    } cases[] = {
        {"inside stays where it is", {100, 100, 400, 300}, {100, 100, 400, 300}},
        {"past the right edge", {1576, 100, 300, 200}, {1299, 100, 300, 200}},
        {"below the bottom, title bar counted", {200, 900, 400, 300}, {200, 699, 400, 300}},
        {"above the top", {200, 5, 400, 300}, {200, 21, 400, 300}},
        {"larger than the screen", {-50, -50, 2000, 1200}, {1, 21, 1598, 978}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ScreenFit::fit(c.client, frame, screen), c.expected) << c.why;
}
