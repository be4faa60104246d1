#pragma once

#include <QRectF>
#include <QString>

#include <functional>
#include <optional>

class WebPane;

// The blog service's post page: its post-body field follows the editor's HTML, so the service's
// own publish button posts what the editor shows.
namespace BlogPost {

// The small-print footer with the affiliate link that blog posts may carry.
struct Footer {
    bool enabled = false;
    QString affiliateId;
    QString affiliateText;
};

// The HTML with the footer appended, when the footer is switched on with an identifier and a
// text and the HTML does not carry the product's link already (so it is never added twice).
QString withFooter(const QString &html, const Footer &footer);

// Asked before the post gets HTML that the blog will strip, with the warning that says what
// goes: whether to go on.
using LossCheck = std::function<bool(const QString &warning)>;

// Copies the editor's HTML (read by `editorHtml`, only when the page has a post-body field) into
// the post: on a WordPress edit screen into its body, else into the field at the first of the
// service's field locations that exists. False, with nothing read or written, when the pane
// shows no post page; false, with nothing written, when `mayLose` says no.
bool transfer(WebPane &pane, const std::function<QString()> &editorHtml, const Footer &footer,
              const LossCheck &mayLose = {});

// Where the post page's body is shown, in the pane's CSS pixels; nothing when the pane shows no
// post page.
std::optional<QRectF> fieldRect(WebPane &pane);

} // namespace BlogPost
