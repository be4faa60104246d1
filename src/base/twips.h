#pragma once

// The settings file and the layout rules measure in twips (1/1440 inch); the screen in pixels.
namespace Twips {

// Logical vertical DPI of the primary screen (96 when no screen is available).
double screenDpi();

inline int toPixels(int twips, double dpi) {
    return static_cast<int>(twips * dpi / 1440.0 + (twips >= 0 ? 0.5 : -0.5));
}
inline int fromPixels(int pixels, double dpi) {
    return static_cast<int>(pixels * 1440.0 / dpi + (pixels >= 0 ? 0.5 : -0.5));
}
inline int toPixels(int twips) {
    return toPixels(twips, screenDpi());
}
inline int fromPixels(int pixels) {
    return fromPixels(pixels, screenDpi());
}

// Twips per pixel on the screen; 15 at 96 DPI. Defaults given "at 15 twips per pixel" are
// scaled by this divided by 15.
inline double perPixel(double dpi) {
    return 1440.0 / dpi;
}
inline int scaledDefault(int twipsAt15, double dpi) {
    return static_cast<int>(twipsAt15 * perPixel(dpi) / 15.0);
}

} // namespace Twips
