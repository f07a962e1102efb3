#include "engine/DateFormat.h"

#include "engine/Operation.h"

namespace rn {

namespace {

bool StartsWith(const std::wstring& s, size_t at, const wchar_t* token) {
  return s.compare(at, std::char_traits<wchar_t>::length(token), token) == 0;
}

}  // namespace

std::wstring FormatDatePattern(const std::wstring& pattern, const DateTime& dt, const DateLocale& locale) {
  std::wstring out;
  for (size_t i = 0; i < pattern.size();) {
    if (StartsWith(pattern, i, L"ddddd")) {
      if (locale.shortDate) out += locale.shortDate(dt);
      i += 5;
    } else if (StartsWith(pattern, i, L"dd")) {
      out += PaddedNumber(2, dt.day), i += 2;
    } else if (StartsWith(pattern, i, L"mmm")) {
      if (dt.month >= 1 && dt.month <= 12) out += locale.monthAbbreviations[static_cast<size_t>(dt.month - 1)];
      i += 3;
    } else if (StartsWith(pattern, i, L"mm")) {
      out += PaddedNumber(2, dt.month), i += 2;
    } else if (StartsWith(pattern, i, L"yyyy")) {
      out += PaddedNumber(4, dt.year), i += 4;
    } else if (StartsWith(pattern, i, L"yy")) {
      out += PaddedNumber(2, ((dt.year % 100) + 100) % 100), i += 2;
    } else if (StartsWith(pattern, i, L"hh")) {
      out += PaddedNumber(2, dt.hour), i += 2;
    } else if (StartsWith(pattern, i, L"nn")) {
      out += PaddedNumber(2, dt.minute), i += 2;
    } else if (StartsWith(pattern, i, L"ss")) {
      out += PaddedNumber(2, dt.second), i += 2;
    } else {
      out += pattern[i++];
    }
  }
  return out;
}

std::optional<std::wstring> DateStampPattern(int addDatePart, const std::wstring& dateFormat) {
  const std::wstring date = dateFormat == kDefaultDateFormat ? L"ddddd" : dateFormat;
  switch (addDatePart) {
    case kDatePartDate: return date;
    case kDatePartTime: return L"hh.nn.ss";
    case kDatePartBoth: return date + L"-hh.nn.ss";
    default: return std::nullopt;
  }
}

std::optional<std::wstring> DateStamp(int addDatePart, const std::wstring& dateFormat, const DateTime& stamp,
                                      const DateLocale& locale) {
  const std::optional<std::wstring> pattern = DateStampPattern(addDatePart, dateFormat);
  if (!pattern) return std::nullopt;
  return FormatDatePattern(*pattern, stamp, locale);
}

}  // namespace rn
