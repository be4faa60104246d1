#pragma once

#include <QString>

// HTML laid out for people to read, as the editor writes what it makes itself.
namespace HtmlLayout {

// `html` with each block (paragraph, heading, list, table part, division ...) on its own line,
// indented two blanks a level below the body, starting at `depth` levels. Only whitespace that
// a browser shows nowhere changes: that beside a block's tags. Text, inline markup and the
// content of preformatted text, scripts and styles stay as they were.
// A piece that goes `AfterNode` in a document begins on a line of its own when it begins with a block.
enum class Place { Start, AfterNode };
QString laidOut(const QString &html, int depth = 0, Place place = Place::Start);

} // namespace HtmlLayout
