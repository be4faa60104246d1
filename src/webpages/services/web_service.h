#pragma once

#include "webpages/inbox_ticks.h"
#include "webpages/sent_capture.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>
#include <vector>

class WebPane;

// One web-mail service: the names of its pages and how the program works them. Each service
// lives in its own files of this folder; nothing outside it asks which service it is dealing with.
class WebService {
public:
    virtual ~WebService() = default;

    // The name the page operations know the service by (PageState::webmail).
    virtual QString name() const = 0;
    // The service's compose page for `pageAddress`, a page of the service the main pane shows;
    // nothing when that page leads to none.
    virtual std::optional<QString> composeAddress(const QString &pageAddress) const = 0;

    // The rows of the message list the pane shows, in page order; nothing when it shows none.
    virtual std::optional<std::vector<InboxTicks::MessageRow>> messageRows(WebPane &pane) const = 0;
    // Makes the service's own selection follow `ticks`; rows beyond it keep theirs.
    virtual void setTicks(WebPane &pane, const std::vector<bool> &ticks) const = 0;

    // The message on display as its raw source, for a service that gives it; nothing for a service
    // whose messages are read from the page's text (or when no message is on display).
    virtual std::optional<QByteArray> rawMessage(WebPane &) const { return std::nullopt; }
    virtual bool givesRawMessages() const { return false; }
    // The body markup of the message on display, for a service whose messages are read from the
    // page; line ends as CR LF.
    virtual std::optional<QString> bodyHtml(WebPane &) const { return std::nullopt; }

    // A service with a login page of its own: the form and its fields.
    struct OwnLogin {
        QString form, user, password;
    };
    virtual std::optional<OwnLogin> ownLogin() const { return std::nullopt; }

    // The fields of the service's compose page, by role.
    enum class ComposeField { To, Cc, Bcc, Subject, Body };
    // The field's text on the compose page the pane shows; nothing when the pane shows no such field.
    virtual std::optional<QString> composeValue(WebPane &pane, ComposeField field) const = 0;
    // Writes the field as the page takes text from its user, so that the page shows it and keeps it
    // when the user types on; false when the pane shows no such field.
    virtual bool setComposeValue(WebPane &pane, ComposeField field, const QString &value) const = 0;
    // The compose page's body is an answer field for the answer-body spell check (on a page
    // without an answer form of its own).
    virtual bool answersInComposeBody() const { return false; }

    // Whether the compose page answers its sends inside itself (PageSends) rather than with a page
    // of the service's in the pane: a send then counts once the service has confirmed it there, and
    // a form post of the pane's is no send.
    virtual bool answersSendsInPage() const { return false; }
    // The copy to keep of the message a compose form posted as `postData`; nothing when it went
    // to nobody.
    virtual std::optional<SentCapture::SentCopy> sentCopy(const QString &postData) const {
        return SentCapture::fromPost(postData);
    }
    // Presses the compose page's own Send as the program, for a service that answers sends in the
    // page; true when the page began the send (its own checks passed).
    virtual bool pressSend(WebPane &) const { return false; }
    // Lets the program's next load leave the compose page without the page asking the user
    // whether to: the message on it is the program's own (a mail merge's).
    virtual void leaveQuietly(WebPane &) const {}
};

namespace WebServices {

inline const QString roundcube = QStringLiteral("roundcube");

// The service of a page: the recorded service ([Locations] service) when one is recorded, else
// the address rule of the two older services: "yahoo" when the lower-cased address holds it,
// else "hotmail".
const WebService &forPage(const QString &recorded, const QString &address);
// The service the page operations know by `name` (WebService::name()); "hotmail" for a name of none.
const WebService &named(const QString &name);
// The name of the service whose own login page the pane shows, recognised by its login form;
// nothing for other pages.
std::optional<QString> recognise(WebPane &pane);

} // namespace WebServices
