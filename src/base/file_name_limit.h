#pragma once

#include <QtGlobal>

// The longest file name, in UTF-8 bytes, that TextFile::writeAtomically() can create and replace:
// the file system takes 255, and the file is written under a temporary name 7 bytes longer.
namespace FileNameLimit {
inline constexpr qsizetype maxBytes = 248;
} // namespace FileNameLimit
