#pragma once

// The seven font sizes of HTML text and the point sizes they stand for.
namespace FontSizes {

// Point size of HTML size 1 to 7 (clamped).
double pointsOf(int size);
// The HTML size nearest to a point size.
int sizeOf(double points);

} // namespace FontSizes
