#pragma once

#include <QIcon>

// A toolbar picture by its freedesktop name: the desktop theme's own, or else the copy the
// program carries, so a bare desktop shows pictures too. Cheaper at start-up than the style's
// standard pixmaps, which decode every size of every picture when asked.
QIcon themedIcon(const char *name);
