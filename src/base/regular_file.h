#pragma once

#include <QString>

// Files the program opens by name must be regular files. Opening a named pipe waits for a
// writer that may never come, and a device can be read without end, both on the one
// user-interface thread; such a file is refused before it is opened.
namespace RegularFile {

// True when `path` (or what a symbolic link there points to) exists and is not a regular
// file: a pipe, a device, a socket or a folder. A missing file is not special.
bool isSpecial(const QString &path);

// What the user is told when `path` is refused.
QString refusal(const QString &path);

} // namespace RegularFile
