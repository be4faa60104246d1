#pragma once

#include <QString>

#include <optional>

// The file a new address book gets from the name typed for it.
namespace NewBookName {

// `folder` + the trimmed name, with ".csv" added unless the name ends in it (any case).
// Nothing when the name cannot be a file name inside `folder`: empty, holding "/" or "\" or
// a control character, or longer than the file system allows.
std::optional<QString> bookPath(const QString &folder, const QString &typed);

} // namespace NewBookName
