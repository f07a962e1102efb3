// The user's date and time formats: writing and reading dates and times as
// the user's locale spells them, with a fixed locale for native builds.
#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "base/DateTime.h"

namespace rn {

// The value in decimal, zero-padded to at least `width` digits.
std::wstring PaddedNumber(int width, int value);

// What the date texts need from the user's locale. The Windows build fills it
// from the system settings; the portable one is fixed (below).
struct DateLocale {
  std::function<std::wstring(const DateTime&)> shortDate;  // date part only
  std::function<std::wstring(const DateTime&)> longTime;   // time of day only
  // A text in the short date format: the date (time of day 00:00:00), or
  // nothing when it does not read as a real date.
  std::function<std::optional<DateTime>(const std::wstring&)> readShortDate;
  // A text in the long time format: the time of day (on 1 January 1980), or
  // nothing when it does not read as a time.
  std::function<std::optional<DateTime>(const std::wstring&)> readLongTime;
  std::array<std::wstring, 12> monthAbbreviations;  // "mmm", January first
  std::wstring shortDateFormat;                     // the formats as the user's messages name them
  std::wstring longTimeFormat;
  std::wstring dateSeparator = L"-";  // what the user types between day, month and year
  std::wstring timeSeparator = L":";  // and between hours, minutes and seconds
};

// Short date "dd-mm-yyyy", long time "hh:nn:ss" (24 hours), English months.
const DateLocale& PortableDateLocale();
// The user's settings where the platform has them, else the portable locale.
// Implemented by the platform layer.
DateLocale SystemDateLocale();

// Order of day, month and year in a short date picture ("dd/MM/yyyy" -> DMY),
// from the first of d, M (or m) and y it holds; DMY when it holds none.
enum class DateOrder { DMY, MDY, YMD };
DateOrder DateOrderOf(const std::wstring& picture);

// Three numbers in the given order, separated by the separator or by any of
// "." "-" "/"; a year below 100 is 2000 + year up to 49, else 1900 + year.
// Surrounding blanks are allowed; the date must exist.
std::optional<DateTime> ReadDate(const std::wstring& text, DateOrder order, const std::wstring& separator);
// Hours, optional minutes and seconds separated by the separator or ":" or
// "."; an optional trailing AM or PM designator (the given ones or "AM"/"PM",
// without regard to case) makes the hours 1..12 on a 12-hour clock.
std::optional<DateTime> ReadTime(const std::wstring& text, const std::wstring& separator, const std::wstring& am,
                                 const std::wstring& pm);

// Days in that month (0 for a month outside 1..12).
int DaysInMonth(int year, int month);
// The date of `date` with the time of day of `time`.
DateTime CombineDateAndTime(const DateTime& date, const DateTime& time);

}  // namespace rn
