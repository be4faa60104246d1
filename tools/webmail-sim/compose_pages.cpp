#include "compose_pages.h"

#include "web_text.h"

using MailPages::Provider;

namespace ComposePages {
namespace {

constexpr std::string_view style = "body{font-family:sans-serif;font-size:13px}"
                                   ".toolbar{background:#dde;padding:4px;margin-bottom:8px}"
                                   "#plainmsg{border:1px solid #888;min-height:8em;padding:4px;width:40em}";

std::string fieldRow(std::string_view caption, std::string_view name) {
    return "<tr><td>" + std::string(caption) + "</td><td><input type=\"text\" name=\"" + std::string(name) +
           "\" size=\"60\"></td></tr>\r\n";
}

std::string toolbar(Provider provider) {
    const std::string base = "/" + std::string(MailPages::providerName(provider));
    return "<div class=\"toolbar\"><b>" +
           std::string(provider == Provider::Yahoo ? "Yahoo! Mail" : "MSN Hotmail") + "</b> | <a href=\"" +
           base + "/inbox\">Inbox</a> | <a href=\"" + base + "/compose\">Compose</a></div>\r\n";
}

std::string delayQuery(int sendDelayMs) {
    return sendDelayMs > 0 ? "&amp;delay_ms=" + std::to_string(sendDelayMs) : std::string();
}

std::string hotmailForm(int sendDelayMs) {
    return "<form name=\"composeform\" method=\"post\" action=\"/hotmail/send?box=1" +
           delayQuery(sendDelayMs) +
           "\">\r\n"
           "<input type=\"hidden\" name=\"curmbox\" value=\"F000000001\">\r\n<table>\r\n" +
           fieldRow("To:", "to") + fieldRow("Cc:", "cc") + fieldRow("Bcc:", "bcc") +
           fieldRow("Subject:", "subject") +
           "<tr><td></td><td><textarea name=\"body\" rows=\"15\" "
           "cols=\"72\"></textarea></td></tr>\r\n</table>\r\n"
           "<input type=\"submit\" name=\"Send\" value=\"Send\">\r\n</form>";
}

// The page's own script copies the rich-text area into "PlainMsg" when the user presses Send.
std::string yahooForm(int sendDelayMs) {
    return "<form name=\"Compose\" id=\"compose\" method=\"post\" action=\"/yahoo/send?box=Inbox" +
           delayQuery(sendDelayMs) +
           "\" "
           "onsubmit=\"this.PlainMsg.value = document.getElementById('plainmsg').innerHTML\">\r\n"
           "<input type=\"hidden\" name=\".crumb\" value=\"sim\">\r\n<table>\r\n" +
           fieldRow("To:", "To") + fieldRow("Cc:", "Cc") + fieldRow("Bcc:", "Bcc") +
           fieldRow("Subject:", "Subj") +
           "<tr><td></td><td><textarea name=\"Body\" rows=\"10\" cols=\"72\"></textarea></td></tr>\r\n"
           "<tr><td>Rich text:</td><td><div id=\"plainmsg\" contenteditable=\"true\"></div></td></tr>\r\n"
           "</table>\r\n<input type=\"hidden\" name=\"PlainMsg\" value=\"\">\r\n"
           "<input type=\"submit\" name=\"SEND\" value=\"Send\">\r\n</form>";
}

} // namespace

std::string composePage(Provider provider, int sendDelayMs) {
    const bool yahoo = provider == Provider::Yahoo;
    return WebText::htmlPage(yahoo ? "Yahoo! Mail - Compose" : "MSN Hotmail - Compose",
                             toolbar(provider) + (yahoo ? yahooForm(sendDelayMs) : hotmailForm(sendDelayMs)),
                             style);
}

std::string richComposePage(Provider provider) {
    const std::string base = "/" + std::string(MailPages::providerName(provider));
    return WebText::htmlPage("Compose (Rich Text)",
                             toolbar(provider) + "<form name=\"richcompose\" method=\"post\" action=\"" +
                                 base +
                                 "/send?box=rich\">\r\n<input type=\"hidden\" name=\"html\" value=\"\">\r\n"
                                 "<div id=\"richto\" contenteditable=\"true\">To:</div>\r\n"
                                 "<div id=\"plainmsg\" contenteditable=\"true\"></div>\r\n</form>",
                             style);
}

std::string sentPage(Provider provider, int number) {
    const std::string base = "/" + std::string(MailPages::providerName(provider));
    return WebText::htmlPage("Message sent",
                             toolbar(provider) + "<h1>Message sent</h1>\r\n<p>Your message (number " +
                                 std::to_string(number) + ") has been sent.</p>\r\n<p><a href=\"" + base +
                                 "/compose\">Write another message</a></p>",
                             style);
}

} // namespace ComposePages
