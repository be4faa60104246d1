#pragma once

#include <QString>

#include <optional>

// Where the Compose and Calendar tabs point their panes, derived from the main pane's address.
namespace TabAddresses {

// The service's compose page: the address up to the second "/" found from the tenth
// character on, followed by "compose"; nothing when the address has no such two "/".
std::optional<QString> composeAddress(const QString &inboxAddress);

// The Yahoo! calendar when the main pane shows Yahoo! Mail, the MSN calendar otherwise.
QString calendarAddress(const QString &inboxAddress, const QString &serviceUrl);

} // namespace TabAddresses
