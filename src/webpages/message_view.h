#pragma once

#include <QString>

#include <optional>

class WebPane;

// The message a web-mail page displays in the main pane: its visible text, where the header
// captions and values are, and the markup of its body.
namespace MessageView {

// Where the body sits: Yahoo! Mail's element "message" (by id or name), MSN Hotmail's last
// element of class "rmsg".
inline const QString yahooBodyElement = QStringLiteral("message");
inline const QString hotmailBodyClass = QStringLiteral("rmsg");

// The page's visible text, lines ended by CR LF; nothing when the page has no body.
std::optional<QString> pageText(WebPane &pane);

// The body markup for `provider`, line ends as CR LF; nothing when the element is missing.
std::optional<QString> bodyHtml(WebPane &pane, const QString &provider);

} // namespace MessageView
