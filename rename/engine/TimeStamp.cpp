#include "engine/TimeStamp.h"

namespace rn {

bool IsStorableTimeStamp(const DateTime& dt) {
  if (dt.year < 1980 || dt.year > 2107) return false;
  if (dt.month < 1 || dt.month > 12 || dt.day < 1 || dt.day > DaysInMonth(dt.year, dt.month)) return false;
  return dt.hour >= 0 && dt.hour <= 23 && dt.minute >= 0 && dt.minute <= 59 && dt.second >= 0 && dt.second <= 59;
}

std::optional<DateTime> ChangedTimeStamp(const RenameTask& task, const std::optional<DateTime>& current,
                                         const DateLocale& locale) {
  auto read = [](const auto& reader, const std::wstring& text) -> std::optional<DateTime> {
    if (!reader) return std::nullopt;
    return reader(text);
  };
  std::optional<DateTime> date, time;
  switch (task.SetDatePart) {
    case kDatePartDate:
      date = read(locale.readShortDate, task.NewDate);
      if (current && locale.longTime) time = read(locale.readLongTime, locale.longTime(*current));
      break;
    case kDatePartTime:
      if (current && locale.shortDate) date = read(locale.readShortDate, locale.shortDate(*current));
      time = read(locale.readLongTime, task.NewTime);
      break;
    case kDatePartBoth:
      date = read(locale.readShortDate, task.NewDate);
      time = read(locale.readLongTime, task.NewTime);
      break;
    default: return std::nullopt;
  }
  if (!date || !time) return std::nullopt;
  return CombineDateAndTime(*date, *time);
}

}  // namespace rn
