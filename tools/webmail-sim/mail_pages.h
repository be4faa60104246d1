#pragma once

#include "mailbox.h"

#include <optional>
#include <string>
#include <string_view>

// The two web-mail providers' message lists and message pages.
namespace MailPages {

enum class Provider { Yahoo, Hotmail };

// "yahoo" or "hotmail": the first path segment and the provider name of the label table.
std::string_view providerName(Provider provider);

// The message list with messages 1..count; `language` is a header-label slot (0..7).
std::string inboxPage(Provider provider, int count, int language);

// The page of message `id`, or nothing when there is no such message.
std::optional<std::string> messagePage(Provider provider, int id, int language);
// The page of a message that is not in the mailbox (the hostile pages' own).
std::string messagePage(Provider provider, const Mailbox::Message &message, int language);

} // namespace MailPages
