// Upper- and lower-casing of names. The transforms take the conversion as a
// pair of functions so that they stay pure and testable; the Windows build
// hands them the user's locale conversion.
#pragma once
#include <functional>
#include <string>

namespace rn {

struct CaseConverter {
  std::function<std::wstring(const std::wstring&)> upper;
  std::function<std::wstring(const std::wstring&)> lower;
};

// Letter by letter: lower case in every script (FoldCase), upper case below
// U+0500 (ASCII, Latin, Greek and Cyrillic); everything else is kept.
const CaseConverter& PortableCaseConverter();

// The user's locale conversion where the platform has one, else the portable
// one. Implemented by the platform layer.
const CaseConverter& SystemCaseConverter();

// ASCII letters only (A-Z <-> a-z).
std::wstring AsciiLower(const std::wstring& text);

}  // namespace rn
