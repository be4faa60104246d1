#pragma once

#include <QString>

#include <optional>
#include <vector>

// What a table or cell dialog changed in a table's text, when it changed start tags only: the page
// then touches just the elements of those tags, and the table's text need not go back whole.
namespace StartTagChanges {

// A rewritten start tag: its place among the text's start tags ("<" and a letter; 0 is the
// table's own), and its text before and after.
struct Change {
    int index = 0;
    QString before;
    QString after;
};

// The start tags that differ between `before` and `after` (in order; none when the texts are the
// same), when nothing else does: as many start tags in each, the first one at the start, and the
// text from each tag's ">" to the next start tag alike. Nothing when anything else differs.
std::optional<std::vector<Change>> between(const QString &before, const QString &after);

} // namespace StartTagChanges
