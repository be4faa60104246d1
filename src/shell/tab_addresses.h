#pragma once

#include <QString>

// Where the Calendar tab points its pane, derived from the main pane's address (the Compose
// tab's is PageModel::composeAddress).
namespace TabAddresses {

// The Yahoo! calendar when the main pane shows Yahoo! Mail, the MSN calendar otherwise.
QString calendarAddress(const QString &inboxAddress, const QString &serviceUrl);

} // namespace TabAddresses
