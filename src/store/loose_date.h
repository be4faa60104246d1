#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Reading the dates that mail pages show, the way a desktop's date conversion reads them:
// "12/05/2004", "12-05-04 10:31", "2004-05-12", "12 May 2004 10:31:00 +0000",
// "December 5, 2004 10:31 AM". A time, an AM/PM mark and a zone may follow the date.
namespace LooseDate {

// Which of two leading numbers is the month in a numeric date ("12/05/2004"). When the
// preferred reading is no date, the other one is tried ("13/05/2004" is 13 May either way).
enum class Order { MonthFirst, DayFirst };

// The order of `locale`'s short date format. A desktop that states no preference (the C locale)
// reads dates as the web-mail services write them, month first.
Order orderOf(const QLocale &locale);
Order systemOrder();

std::optional<QDate> read(const QString &text, Order order);

// Days from 1 January 1950 to `date` (negative before it).
int dayNumber(const QDate &date);

} // namespace LooseDate
