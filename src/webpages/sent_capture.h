#pragma once

#include <QString>

#include <optional>
#include <utility>

// The copy of a sent message kept from the compose page's form post.
namespace SentCapture {

struct SentCopy {
    QString to, cc, bcc, subject, body;
};

// The names a compose form posts its fields under: each field's first name, else its second.
struct FieldNames {
    std::pair<QStringView, QStringView> to, cc, bcc, subject, body;
};
// Both older providers' names: "To"/"to", "Cc"/"cc", "Bcc"/"bcc", "Subj"/"subject", "Body"/"body".
FieldNames formNames();

// The message a compose form post sends, or nothing when the post has no addressee. A plain-text
// body is made ready for an HTML file: each line ends in "<br>".
std::optional<SentCopy> fromPost(const QString &postData, const FieldNames &names = formNames());

// True when the body holds markup ("<div", "<p" or a closing tag) rather than plain text.
bool isHtmlBody(const QString &body);

} // namespace SentCapture
