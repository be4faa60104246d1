#pragma once

#include "store/loose_date.h"

#include <QString>

#include <optional>

// A saved message's file name read back into the cells of the message list. The name, less
// its last four characters, holds From (or To in "sent"), subject, date and To (or "sent
// message") joined by "&&"; parts after the fourth are ignored.
struct MessageName {
    QString from;     // part 0 as it stands
    QString subject;  // part 1, leading spaces removed, "Re " shown as "Re: "
    QString to;       // part 3, leading spaces removed
    QString date;     // part 2 cut to its date: "12/05/2004 10:31" shows "12/05/2004"
    QString fileName; // the whole name, leading spaces removed
    // Sort key of the date column: days since 1 January 1950, or nothing when the date text
    // is no date; then `sortText` (the date text read) orders it after every date.
    std::optional<int> dayNumber;
    QString sortText;

    // Nothing when the name has fewer than four parts.
    static std::optional<MessageName> parse(const QString &fileName, LooseDate::Order order);

    // The subject as listed: "re ", "Re " and "RE " followed by ":".
    static QString listedSubject(const QString &part);
    // The date as listed: up to the first ":", then up to the last space before it.
    static QString listedDate(const QString &part);

    // The sort key as the list shows it: the day count as decimal text, or the date text.
    QString sortKeyText() const { return dayNumber ? QString::number(*dayNumber) : sortText; }
    // Date order for sorting: every date before every text that is no date.
    static bool dateLess(const MessageName &a, const MessageName &b);
};
