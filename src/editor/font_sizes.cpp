#include "editor/font_sizes.h"

#include <algorithm>
#include <cmath>

namespace {
// x-small to xxx-large, in points.
constexpr double points[] = {7.5, 10, 12, 13.5, 18, 24, 36};
} // namespace

double FontSizes::pointsOf(int size) {
    return points[std::clamp(size, 1, 7) - 1];
}

int FontSizes::sizeOf(double pt) {
    int best = 0;
    for (int i = 1; i < 7; ++i) {
        if (std::abs(points[i] - pt) < std::abs(points[best] - pt))
            best = i;
    }
    return best + 1;
}
