#include "base/DateLocale.h"

#include <cstdio>
#include <vector>

#include "base/Text.h"

namespace rn {

std::wstring PaddedNumber(int width, int value) {
  wchar_t buf[24];
  std::swprintf(buf, 24, L"%0*d", width, value);
  return buf;
}

namespace {

bool StartsWith(const std::wstring& s, size_t at, const wchar_t* token) {
  return s.compare(at, std::char_traits<wchar_t>::length(token), token) == 0;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Splits a trimmed text into runs of digits; each gap between two runs must be
// one separator (the given one or one of `others`). Nothing on any other text.
std::optional<std::vector<int>> ReadNumbers(const std::wstring& text, const std::wstring& separator,
                                            const std::wstring& others) {
  std::vector<int> numbers;
  size_t i = 0;
  while (true) {
    size_t start = i;
    long long v = 0;
    while (i < text.size() && IsDigit(text[i]) && i - start < 9) v = v * 10 + (text[i++] - L'0');
    if (i == start || (i < text.size() && IsDigit(text[i]))) return std::nullopt;
    numbers.push_back(static_cast<int>(v));
    if (i == text.size()) return numbers;
    if (!separator.empty() && StartsWith(text, i, separator.c_str()))
      i += separator.size();
    else if (others.find(text[i]) != std::wstring::npos)
      ++i;
    else
      return std::nullopt;
  }
}

bool EndsWithNoCase(const std::wstring& s, const std::wstring& tail) {
  return !tail.empty() && s.size() >= tail.size() && EqualsNoCase(s.substr(s.size() - tail.size()), tail);
}

std::wstring PortableShortDate(const DateTime& dt) {
  return PaddedNumber(2, dt.day) + L"-" + PaddedNumber(2, dt.month) + L"-" + PaddedNumber(4, dt.year);
}

std::wstring PortableLongTime(const DateTime& dt) {
  return PaddedNumber(2, dt.hour) + L":" + PaddedNumber(2, dt.minute) + L":" + PaddedNumber(2, dt.second);
}

}  // namespace

const DateLocale& PortableDateLocale() {
  static const DateLocale locale{
      PortableShortDate,
      PortableLongTime,
      [](const std::wstring& t) { return ReadDate(t, DateOrder::DMY, L"-"); },
      [](const std::wstring& t) { return ReadTime(t, L":", L"AM", L"PM"); },
      {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun", L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"},
      L"dd-mm-yyyy",
      L"hh:nn:ss"};
  return locale;
}

DateOrder DateOrderOf(const std::wstring& picture) {
  for (wchar_t c : picture) {
    if (c == L'd' || c == L'D') return DateOrder::DMY;
    if (c == L'M' || c == L'm') return DateOrder::MDY;
    if (c == L'y' || c == L'Y') return DateOrder::YMD;
  }
  return DateOrder::DMY;
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<DateTime> ReadDate(const std::wstring& text, DateOrder order, const std::wstring& separator) {
  const auto numbers = ReadNumbers(Trim(text), separator, L".-/");
  if (!numbers || numbers->size() != 3) return std::nullopt;
  const std::vector<int>& n = *numbers;
  DateTime dt;
  switch (order) {
    case DateOrder::DMY: dt.day = n[0], dt.month = n[1], dt.year = n[2]; break;
    case DateOrder::MDY: dt.month = n[0], dt.day = n[1], dt.year = n[2]; break;
    case DateOrder::YMD: dt.year = n[0], dt.month = n[1], dt.day = n[2]; break;
  }
  if (dt.year < 100) dt.year += dt.year < 50 ? 2000 : 1900;
  if (dt.year > 9999 || dt.day < 1 || dt.day > DaysInMonth(dt.year, dt.month)) return std::nullopt;
  return dt;
}

std::optional<DateTime> ReadTime(const std::wstring& text, const std::wstring& separator, const std::wstring& am,
                                 const std::wstring& pm) {
  std::wstring t = Trim(text);
  int half = 0;  // 1 before noon, 2 after
  for (const auto& [designator, which] :
       {std::pair{am, 1}, std::pair{pm, 2}, std::pair{std::wstring(L"AM"), 1}, std::pair{std::wstring(L"PM"), 2}}) {
    if (EndsWithNoCase(t, designator)) {
      t = Trim(t.substr(0, t.size() - designator.size()));
      half = which;
      break;
    }
  }
  const auto numbers = ReadNumbers(t, separator, L":.");
  if (!numbers || numbers->empty() || numbers->size() > 3) return std::nullopt;
  const std::vector<int>& n = *numbers;
  DateTime dt;
  dt.hour = n[0];
  dt.minute = n.size() > 1 ? n[1] : 0;
  dt.second = n.size() > 2 ? n[2] : 0;
  if (half != 0) {
    if (dt.hour < 1 || dt.hour > 12) return std::nullopt;
    dt.hour = dt.hour % 12 + (half == 2 ? 12 : 0);
  }
  if (dt.hour > 23 || dt.minute > 59 || dt.second > 59) return std::nullopt;
  return dt;
}

DateTime CombineDateAndTime(const DateTime& date, const DateTime& time) {
  DateTime dt = date;
  dt.hour = time.hour, dt.minute = time.minute, dt.second = time.second;
  return dt;
}

}  // namespace rn
