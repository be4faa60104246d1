#pragma once

#include "mail_pages.h"

#include <string>

// Compose pages and the answer to a send.
namespace ComposePages {

// Hotmail: form "composeform" with "to", "cc", "bcc", "subject", "body", posting to
// /hotmail/send?box=1. Yahoo: form named "Compose", id "compose", with "To", "Cc", "Bcc",
// "Subj", "Body", the rich-text area "plainmsg" and the field "PlainMsg", posting to
// /yahoo/send?box=Inbox. Both actions carry a query, so "&Send.x" or "&SEND" appended to
// them keeps a valid address; a hidden field comes first, so every named field follows a "&".
// `sendDelayMs` above 0 is carried into the action, so the send is answered that much later.
std::string composePage(MailPages::Provider provider, int sendDelayMs = 0);

// The rich-text compose page: an editable area and a form without the plain-text fields.
std::string richComposePage(MailPages::Provider provider);

// The page a send is answered with; `number` counts the messages sent since the last reset.
std::string sentPage(MailPages::Provider provider, int number);

} // namespace ComposePages
