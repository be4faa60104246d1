#pragma once

#include <QString>
#include <QStringList>

// What WordPress removes from a post written by a user who may not post unfiltered HTML (an
// author, unlike an administrator or editor). Pure rules.
namespace WordPressFilter {

// The kinds of content in `html` that such a user's post loses, named for the user in the order
// they are looked for: "scripts", "styles", "frames", "forms", "event handlers (onclick …)",
// "javascript: links", "cell backgrounds and border colours", "centred and scrolling text (their text
// stays)"; empty when nothing goes.
QStringList partsRemoved(const QString &html);

// The sentence that tells the user before the transfer what will go, empty for no parts.
QString warning(const QStringList &parts);

} // namespace WordPressFilter
