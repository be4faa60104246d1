#pragma once

#include <QVariant>

#include <optional>

class EditingSurface;

// Runs a surface script function on the range or element the script keeps as number `id`;
// nothing when there is no surface or no such object.
std::optional<QVariant> callHandle(EditingSurface *surface, int id, const char *function,
                                   const QVariantList &extra = {});
