#pragma once

#include <QString>

// The path of `target` as a document at `base` refers to it: relative to the folder that holds
// `base`, going up with ".." as far as needed. A folder matches only at the start of the target and as a
// whole name (the folder "pages" never matches inside "pages2"). Linux paths ("/") compare names in their own
// case; Windows paths (a drive letter or "\") compare them without regard to case and come back with
// "\". A web address (anything with a scheme such as http:) and a target on another drive come
// back unchanged; an empty target gives "".
QString MakeRelPathRel(const QString &target, const QString &base);
