#include <windows.h>

#include "base/DateLocale.h"

namespace rn {

namespace {

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback) {
  wchar_t buf[128];
  return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buf, 128) > 0 ? std::wstring(buf) : std::wstring(fallback);
}

SYSTEMTIME SystemTimeOf(const DateTime& dt) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(dt.year);
  st.wMonth = static_cast<WORD>(dt.month);
  st.wDay = static_cast<WORD>(dt.day);
  st.wHour = static_cast<WORD>(dt.hour);
  st.wMinute = static_cast<WORD>(dt.minute);
  st.wSecond = static_cast<WORD>(dt.second);
  return st;
}

std::wstring SystemShortDate(const DateTime& dt) {
  const SYSTEMTIME st = SystemTimeOf(dt);
  wchar_t buf[128];
  if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, 128, nullptr) > 0) return buf;
  return PortableDateLocale().shortDate(dt);
}

std::wstring SystemLongTime(const DateTime& dt) {
  const SYSTEMTIME st = SystemTimeOf(dt);
  wchar_t buf[128];
  if (GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, buf, 128) > 0) return buf;
  return PortableDateLocale().longTime(dt);
}

}  // namespace

DateLocale SystemDateLocale() {
  DateLocale locale;
  locale.shortDate = SystemShortDate;
  locale.longTime = SystemLongTime;
  locale.shortDateFormat = LocaleText(LOCALE_SSHORTDATE, L"dd/MM/yyyy");
  locale.longTimeFormat = LocaleText(LOCALE_STIMEFORMAT, L"HH:mm:ss");
  const DateOrder order = DateOrderOf(locale.shortDateFormat);
  const std::wstring dateSeparator = LocaleText(LOCALE_SDATE, L"/");
  const std::wstring timeSeparator = LocaleText(LOCALE_STIME, L":");
  locale.dateSeparator = dateSeparator;
  locale.timeSeparator = timeSeparator;
  const std::wstring am = LocaleText(LOCALE_S1159, L"AM");
  const std::wstring pm = LocaleText(LOCALE_S2359, L"PM");
  locale.readShortDate = [order, dateSeparator](const std::wstring& t) { return ReadDate(t, order, dateSeparator); };
  locale.readLongTime = [timeSeparator, am, pm](const std::wstring& t) { return ReadTime(t, timeSeparator, am, pm); };
  for (int i = 0; i < 12; ++i)
    locale.monthAbbreviations[static_cast<size_t>(i)] = LocaleText(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + i),
                                                                   PortableDateLocale().monthAbbreviations[i].c_str());
  return locale;
}

}  // namespace rn
