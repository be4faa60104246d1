#pragma once

#include <QStringView>

// Numbers in the settings file are decimal text read leniently: leading blanks (space, tab) are
// skipped, an optional sign is taken, digits are read up to the first character that is not one,
// and text without digits gives 0. Values beyond the int range clamp to its ends.
// Examples: "2" -> 2, "-1" -> -1, "abc" -> 0, " 12px" -> 12, "3.9" -> 3.
int lenientToInt(QStringView text);
