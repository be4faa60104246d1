#pragma once

#include <QString>
#include <QUrl>

// How the editor's HTML is put into a WordPress post so that readers see what the editor shows,
// and how WordPress's edit screens and their answers are told apart. Pure rules.
namespace WordPressPost {

// Whether `address` is a post's edit screen (a new post, or one post's "action=edit"): the one
// page that takes the body. The dashboard's Quick Draft form has the same field names but is not
// one (it turns every line break into a <br />).
bool isEditScreen(const QUrl &address);

// Whether the classic edit screen at `address` is WordPress's answer that the post was
// published (or a published post updated), as its confirmation notice says.
bool confirmsPublishing(const QUrl &address);

// Whether the block editor's notice `text` says the post was published or updated.
bool noticeConfirmsPublishing(const QString &text);

// The body for the classic edit screen. WordPress adds paragraphs and line breaks to classic
// posts as it shows them: a line break of the source inside text becomes a <br />, where the
// editor shows a blank. Those line breaks (with the indentation after them) go as one blank;
// line breaks beside block elements, and everything inside pre, textarea, script and style,
// stay as they are.
QString classicBody(const QString &html);

// The body for the block editor: the whole HTML as one HTML block, which WordPress keeps as
// written and does not re-paragraph. An empty document stays empty (WordPress then refuses to
// publish it, as it would refuse an empty post).
QString blockBody(const QString &html);

} // namespace WordPressPost
