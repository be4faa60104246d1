#pragma once

#include "webpages/inbox_ticks.h"

#include <QVariant>

#include <optional>
#include <vector>

// The message rows and tick states as the bridge's list functions take and give them.
namespace MessageRows {

// Rows of objects with sender, subject, unread and ticked; nothing when the bridge found no list.
std::optional<std::vector<InboxTicks::MessageRow>> fromBridge(const std::optional<QVariant> &answer);
QVariantList toBridge(const std::vector<bool> &ticks);

} // namespace MessageRows
