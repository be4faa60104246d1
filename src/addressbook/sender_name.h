#pragma once

#include <QString>

// The sender of a displayed message as a new contact, from the From value the page shows:
// "Name <address>" or the address alone.
namespace SenderName {

struct Sender {
    QString first;
    QString last;
    QString address;
};

// Between "<" and a later ">" is the address, before "<" the name; otherwise the whole value is
// the address. Double quotes, tabs, CR and LF are removed and outer blanks trimmed. The name's
// first word is the first name; of the rest, a second word is taken as a middle name and left
// out, so the last name is the rest's last part ("Mary Ann Smith": Mary, Smith).
Sender parse(const QString &fromValue);

} // namespace SenderName
