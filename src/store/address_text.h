#pragma once

#include "store/mime_text.h"

#include <QList>
#include <QString>

#include <optional>

// The addresses of a saved From, To or Cc value, written as a reader of a web-mail page sees
// them: "Doe, John <jd@example.com>, ann@example.com". A comma or semicolon ends a mailbox only
// once its address has come, so a "Last, First" display name stays whole; quotes around a
// display name are dropped. Nothing when some part names no address ("Sent Message").
namespace AddressText {

std::optional<QList<MimeText::Mailbox>> mailboxes(const QString &text);

} // namespace AddressText
