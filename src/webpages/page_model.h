#pragma once

#include <QString>

#include <optional>

// The names the web-mail services' pages are built with: one table, per provider, of the
// forms, fields and elements the program reads and writes. The services change their pages
// over time; this is the one place to follow them.
namespace PageModel {

inline const QString yahoo = QStringLiteral("yahoo");
inline const QString hotmail = QStringLiteral("hotmail");

// "yahoo" when the lower-cased address contains "yahoo", else "hotmail".
QString DetectProvider(const QString &address);
// The service whose name the lower-cased address carries ("yahoo" or "hotmail"); nothing for
// the pages of neither (the welcome page, the sign-in script, a blog).
std::optional<QString> namedProvider(const QString &address);

// The service's compose page for a page of the service: the address up to the second "/" found
// from the tenth character on, followed by "compose"; nothing when the address has no such two "/".
std::optional<QString> composeAddress(const QString &serviceAddress);

struct ComposeForm {
    QString form;      // form of the field writes
    QString plainForm; // form of the plain-text body fallback and of the send
    QString to, cc, bcc, subject, body;
    QString sendSuffix; // appended to the form's action to send it
};
const ComposeForm &composeForm(const QString &provider);

// The welcome page's sign-in form.
inline const QString loginForm = QStringLiteral("login");
inline const QString loginEmail = QStringLiteral("email");
inline const QString loginPassword = QStringLiteral("password");
// Asks for the service's address while none is recorded; removed from the page once one is.
inline const QString loginService = QStringLiteral("service");
inline const QString serviceQuestion = QStringLiteral("servicebox");

// The sign-in service's answer page: its answer field can be spell checked.
inline const QString answerForm = QStringLiteral("qaform");
inline const QString answerField = QStringLiteral("eda");
inline const QString signInPath = QStringLiteral("/cgi-bin/signin.cgi");

// Yahoo's compose page shows the body in a rich-text area as well; where that element is
// missing, its hidden field of the plain form ("Compose") takes the text.
inline const QString yahooRichTextElement = QStringLiteral("plainmsg");
inline const QString yahooRichTextField = QStringLiteral("PlainMsg");

// The message list of the inbox: its form, which of its check boxes stand for messages, and
// the parts of a message's row (the table row holding its box).
struct MessageList {
    QString form;
    QString boxName;   // only boxes of this name are messages; empty: every check box
    QString selectAll; // the select-all box, never a message
    QString unreadClass, senderClass, subjectClass;
};
const MessageList &messageList(const QString &provider);

} // namespace PageModel
