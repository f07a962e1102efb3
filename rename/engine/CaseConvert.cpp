#include "engine/CaseConvert.h"

#include <array>

#include "base/Text.h"

namespace rn {

namespace {

// Below this, FoldCase's pairs read backwards give the upper-case forms, so
// both directions come from one table.
constexpr unsigned kTableEnd = 0x500;

unsigned Code(wchar_t c) { return static_cast<unsigned>(c) & (sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu); }

const std::array<wchar_t, kTableEnd>& UpperTable() {
  static const std::array<wchar_t, kTableEnd> table = [] {
    std::array<wchar_t, kTableEnd> t{};
    for (unsigned c = 0; c < kTableEnd; ++c) t[c] = static_cast<wchar_t>(c);
    for (unsigned c = 0; c < kTableEnd; ++c) {
      const unsigned low = Code(FoldCase(static_cast<wchar_t>(c)));
      if (low != c && low < kTableEnd && t[low] == static_cast<wchar_t>(low)) t[low] = static_cast<wchar_t>(c);
    }
    t[0x3C2] = static_cast<wchar_t>(0x3A3);  // final sigma
    return t;
  }();
  return table;
}

std::wstring MapUpper(const std::wstring& s) {
  const auto& table = UpperTable();
  std::wstring out = s;
  for (wchar_t& c : out)
    if (Code(c) < kTableEnd) c = table[Code(c)];
  return out;
}

std::wstring MapLower(const std::wstring& s) {
  std::wstring out = s;
  for (wchar_t& c : out) c = FoldCase(c);
  return out;
}

}  // namespace

const CaseConverter& PortableCaseConverter() {
  static const CaseConverter converter{MapUpper, MapLower};
  return converter;
}

std::wstring AsciiLower(const std::wstring& text) {
  std::wstring out = text;
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
  return out;
}

}  // namespace rn
