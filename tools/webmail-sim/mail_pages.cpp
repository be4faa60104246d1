// Message lists and message pages of both providers.
//
// Message list (GET /<provider>/inbox?count=N&lang=xx), one form per page:
//   Yahoo:   <form name="messageList"> with a select-all box named "selectall"
//   Hotmail: <form name="hotmail"> with a hidden "curmbox" field and a select-all box "allbox"
// and inside it the same table for both:
//   <table class="msglist">
//   <tr class="msghead"><th class="check">select-all box</th><th class="status"></th>
//       <th class="from">..</th><th class="subject">..</th><th class="date">..</th></tr>
//   one row per message, in id order:
//   <tr class="msgrow unread|read" id="row<id>">
//     <td class="check"><input type="checkbox" name="Mid" value="<id>"></td>   (Hotmail: name="msg<id>")
//     <td class="status">unread</td>             (empty for a read message)
//     <td class="from" title="<address>">display name, or the address when there is none</td>
//     <td class="subject"><a href="/<provider>/message?id=<id>&amp;lang=xx">subject</a></td>
//     <td class="date">date as on the message page</td></tr>
//
// Message page (GET /<provider>/message?id=N&lang=xx). Captions come from HeaderLabels, one
// header per block, so the page text reads line by line:
//   Yahoo:   From: <from> | Add to Address Book
//            To: <to>[ via <via>]
//            Cc: <cc>                       (only when the message has a Cc)
//            Subject: <subject>
//            Date: <date>
//            body in <div id="message">, or, for messages without that element, in
//            <div class="msgbody"> right after the Date line
//   Hotmail: From: <from>
//            Reply-To: <to>                 (the third caption, which ends with the To caption)
//            Subject: <subject>
//            Sent: <date>
//            body in the last element whose class is exactly "rmsg"
// Plain-text bodies are the element's only content, escaped, with CR LF line ends and
// white-space: pre-wrap; HTML bodies are markup. Which message carries which edge case is
// listed in mailbox.cpp.
#include "mail_pages.h"

#include "mailbox.h"
#include "store/header_labels.h"
#include "web_text.h"

#include <array>

using WebText::escapeHtml;
using Kind = HeaderLabels::Kind;

namespace MailPages {
namespace {

// Words of the page furniture, per language slot.
struct Furniture {
    std::string_view backToInbox;
    std::string_view addToAddressBook;
    std::string_view reply;
    std::string_view forward;
};

constexpr std::array<Furniture, HeaderLabels::searchedLanguages> furniture = {{
    {"Back to Inbox", "Add to Address Book", "Reply", "Forward"},
    {"Zurück zum Posteingang", "Zum Adressbuch hinzufügen", "Antworten", "Weiterleiten"},
    {"Retour à la boîte de réception", "Ajouter au carnet d'adresses", "Répondre", "Transférer"},
    {"Volver a la bandeja de entrada", "Añadir a la libreta de direcciones", "Responder", "Reenviar"},
    {"Torna alla posta in arrivo", "Aggiungi alla rubrica", "Rispondi", "Inoltra"},
    {"Terug naar Postvak IN", "Toevoegen aan adresboek", "Beantwoorden", "Doorsturen"},
    {"Voltar para a caixa de entrada", "Adicionar ao catálogo de endereços", "Responder", "Encaminhar"},
    {"Tillbaka till inkorgen", "Lägg till i adressboken", "Svara", "Vidarebefordra"},
}};

constexpr std::string_view style =
    "body{font-family:sans-serif;font-size:13px}"
    ".toolbar{background:#dde;padding:4px;margin-bottom:8px}"
    ".msglist{border-collapse:collapse}.msglist td,.msglist th{padding:2px 8px}"
    ".unread{font-weight:bold}.hdr b{display:inline-block;min-width:6em}"
    "#message,.rmsg,.msgbody{margin-top:10px}";

std::string serviceName(Provider provider) {
    return provider == Provider::Yahoo ? "Yahoo! Mail" : "MSN Hotmail";
}

std::string base(Provider provider) {
    return "/" + std::string(providerName(provider));
}

std::string label(Provider provider, Kind kind, int language) {
    return std::string(HeaderLabels::label(providerName(provider), kind, language));
}

// A caption as a column heading: "Subject:" gives "Subject".
std::string heading(Provider provider, Kind kind, int language) {
    std::string text = label(provider, kind, language);
    while (!text.empty() && (text.back() == ':' || text.back() == ' '))
        text.pop_back();
    return escapeHtml(text);
}

std::string headerLine(std::string_view caption, std::string_view valueHtml) {
    return "<div class=\"hdr\"><b>" + escapeHtml(caption) + "</b> " + std::string(valueHtml) + "</div>\r\n";
}

// Plain text keeps its line breaks through pre-wrap; the source carries them as CR LF.
std::string bodyElement(const Mailbox::Message &message, std::string_view attributes) {
    if (message.bodyKind == Mailbox::BodyKind::Html)
        return "<div " + std::string(attributes) + ">" + message.body + "</div>";
    std::string text;
    for (char c : escapeHtml(message.body))
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return "<div " + std::string(attributes) + " style=\"white-space:pre-wrap\">" + text + "</div>";
}

std::string inboxAddress(Provider provider, int language) {
    return base(provider) + "/inbox?lang=" + std::string(HeaderLabels::languageCode(language));
}

std::string toolbar(Provider provider, std::string_view linksHtml) {
    return "<div class=\"toolbar\"><b>" + serviceName(provider) + "</b> | " + std::string(linksHtml) +
           "</div>\r\n";
}

std::string messageToolbar(Provider provider, int language) {
    const Furniture &words = furniture[language];
    const std::string compose = base(provider) + "/compose";
    return toolbar(provider, "<a href=\"" + escapeHtml(inboxAddress(provider, language)) + "\">" +
                                 std::string(words.backToInbox) + "</a> | <a href=\"" + compose + "\">" +
                                 std::string(words.reply) + "</a> | <a href=\"" + compose + "\">" +
                                 std::string(words.forward) + "</a>");
}

std::string yahooMessage(const Mailbox::Message &m, int language) {
    const Provider yahoo = Provider::Yahoo;
    std::string html = messageToolbar(yahoo, language);
    html += headerLine(label(yahoo, Kind::From, language),
                       escapeHtml(m.from()) + " | <a href=\"" + escapeHtml(inboxAddress(yahoo, language)) +
                           "\">" + std::string(furniture[language].addToAddressBook) + "</a>");
    html += headerLine(label(yahoo, Kind::To, language),
                       escapeHtml(m.to) + (m.via.empty() ? "" : " via " + escapeHtml(m.via)));
    if (!m.cc.empty())
        html += headerLine(label(yahoo, Kind::Third, language), escapeHtml(m.cc));
    html += headerLine(label(yahoo, Kind::Subject, language), escapeHtml(m.subject));
    html += headerLine(label(yahoo, Kind::Date, language), escapeHtml(m.date));
    html += bodyElement(m, m.yahooMessageElement ? "id=\"message\"" : "class=\"msgbody\"");
    return html;
}

std::string hotmailBody(const Mailbox::Message &m) {
    using Mailbox::RmsgLayout;
    const std::string body = bodyElement(m, "class=\"rmsg\"");
    switch (m.rmsgLayout) {
    case RmsgLayout::EmptyBefore:
        return "<div class=\"rmsg\"></div>\r\n" + body;
    case RmsgLayout::Nested:
        return "<div class=\"rmsg\"><div class=\"quotebar\">&nbsp;</div>\r\n" + body + "</div>";
    case RmsgLayout::NonExactAfter:
        return body + "\r\n<div class=\"rmsg ad\">Sponsored link - cheap flights to Lisbon</div>";
    case RmsgLayout::Single:
        break;
    }
    return body;
}

std::string hotmailMessage(const Mailbox::Message &m, int language) {
    const Provider hotmail = Provider::Hotmail;
    std::string html = messageToolbar(hotmail, language);
    html += headerLine(label(hotmail, Kind::From, language), escapeHtml(m.from()));
    html += headerLine(label(hotmail, Kind::Third, language), escapeHtml(m.to));
    html += headerLine(label(hotmail, Kind::Subject, language), escapeHtml(m.subject));
    html += headerLine(label(hotmail, Kind::Date, language), escapeHtml(m.date));
    html += hotmailBody(m);
    return html;
}

std::string listRow(Provider provider, const Mailbox::Message &m, int language) {
    const std::string id = std::to_string(m.id);
    const std::string boxName = provider == Provider::Yahoo ? "Mid" : "msg" + id;
    const std::string href =
        base(provider) + "/message?id=" + id + "&lang=" + std::string(HeaderLabels::languageCode(language));
    return "<tr class=\"msgrow " + std::string(m.unread ? "unread" : "read") + "\" id=\"row" + id +
           "\"><td class=\"check\"><input type=\"checkbox\" name=\"" + boxName + "\" value=\"" + id +
           "\"></td><td class=\"status\">" + (m.unread ? "unread" : "") + "</td><td class=\"from\" title=\"" +
           escapeHtml(m.fromAddress) + "\">" + escapeHtml(m.fromName.empty() ? m.fromAddress : m.fromName) +
           "</td><td class=\"subject\"><a href=\"" + escapeHtml(href) + "\">" + escapeHtml(m.subject) +
           "</a></td><td class=\"date\">" + escapeHtml(m.date) + "</td></tr>\r\n";
}

} // namespace

std::string_view providerName(Provider provider) {
    return provider == Provider::Yahoo ? "yahoo" : "hotmail";
}

std::string inboxPage(Provider provider, int count, int language) {
    const bool yahoo = provider == Provider::Yahoo;
    // The select-all box ticks the message boxes only, the way each service's own script did.
    const std::string selectAll =
        yahoo ? "<input type=\"checkbox\" name=\"selectall\" onclick=\"for (const b of this.form.elements) "
                "if (b.name == 'Mid') b.checked = this.checked\">"
              : "<input type=\"checkbox\" name=\"allbox\" onclick=\"for (const b of this.form.elements) "
                "if (b.type == 'checkbox') b.checked = this.checked\">";
    std::string html = toolbar(provider, "<a href=\"" + base(provider) + "/compose\">Compose</a> | " +
                                             std::to_string(count) + " messages");
    html += yahoo
                ? "<form name=\"messageList\">\r\n"
                : "<form name=\"hotmail\"><input type=\"hidden\" name=\"curmbox\" value=\"F000000001\">\r\n";
    html += "<table class=\"msglist\">\r\n<tr class=\"msghead\"><th class=\"check\">" + selectAll +
            "</th><th class=\"status\"></th><th class=\"from\">" + heading(provider, Kind::From, language) +
            "</th><th class=\"subject\">" + heading(provider, Kind::Subject, language) +
            "</th><th class=\"date\">" + heading(provider, Kind::Date, language) + "</th></tr>\r\n";
    for (int id = 1; id <= count; ++id)
        html += listRow(provider, *Mailbox::message(id), language);
    html += "</table>\r\n</form>";
    return WebText::htmlPage(serviceName(provider) + " - Inbox", html, style);
}

std::optional<std::string> messagePage(Provider provider, int id, int language) {
    const std::optional<Mailbox::Message> message = Mailbox::message(id);
    if (!message)
        return std::nullopt;
    return messagePage(provider, *message, language);
}

std::string messagePage(Provider provider, const Mailbox::Message &message, int language) {
    const std::string body =
        provider == Provider::Yahoo ? yahooMessage(message, language) : hotmailMessage(message, language);
    return WebText::htmlPage(serviceName(provider) + " - " + message.subject, body, style);
}

} // namespace MailPages
