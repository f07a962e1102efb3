// The date stamps put into names: their patterns and their texts.
#pragma once
#include <optional>
#include <string>

#include "base/DateLocale.h"

namespace rn {

// Copies the pattern with its tokens replaced: "ddddd" (short date), "dd",
// "mm", "mmm", "yyyy", "yy", "hh" (00-23), "nn", "ss". Tokens are lower case
// and taken longest first; every other character stands for itself.
std::wstring FormatDatePattern(const std::wstring& pattern, const DateTime& dt, const DateLocale& locale);

// The pattern a date stamp is made with: for `AddDatePart` 1 (Date) the date
// format ("[default]" meaning "ddddd"), 2 (Time) "hh.nn.ss", 3 (Both) the date
// pattern + "-hh.nn.ss". Nothing for any other code.
std::optional<std::wstring> DateStampPattern(int addDatePart, const std::wstring& dateFormat);
// The stamp's text, or nothing for an unknown `AddDatePart`.
std::optional<std::wstring> DateStamp(int addDatePart, const std::wstring& dateFormat, const DateTime& stamp,
                                      const DateLocale& locale);

}  // namespace rn
