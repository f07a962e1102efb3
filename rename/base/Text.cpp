#include "base/Text.h"

#include <climits>
#include <cstdint>

#include "base/Unicode.h"

namespace rn {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// wchar_t is UTF-16 on Windows and UTF-32 in native builds; these two
// helpers hide the difference for the converters below.
void AppendCodePoint(std::wstring& out, char32_t cp) {
  if constexpr (sizeof(wchar_t) == 2) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (cp >> 10));
      out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
      return;
    }
  }
  out += static_cast<wchar_t>(cp);
}

// Reads one code point at s[i] and advances i; unpaired surrogates give U+FFFD.
char32_t NextCodePoint(const std::wstring& s, size_t& i) {
  char32_t c = static_cast<char32_t>(s[i++]);
  if constexpr (sizeof(wchar_t) == 2) c &= 0xFFFF;
  if (c >= 0xD800 && c <= 0xDBFF) {
    if (i < s.size()) {
      char32_t low = static_cast<char32_t>(s[i]) & 0xFFFF;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        ++i;
        return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      }
    }
    return kReplacement;
  }
  if ((c >= 0xDC00 && c <= 0xDFFF) || c > 0x10FFFF) return kReplacement;
  return c;
}

// Windows-1252 bytes 0x80..0x9F; undefined bytes keep their own value.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

bool IsHighSurrogate(wchar_t c) {
  const char32_t v = static_cast<char32_t>(c);
  return v >= 0xD800 && v <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t c) {
  const char32_t v = static_cast<char32_t>(c);
  return v >= 0xDC00 && v <= 0xDFFF;
}

size_t CharUnitsAt(const std::wstring& s, size_t i) {
  return IsHighSurrogate(s[i]) && i + 1 < s.size() && IsLowSurrogate(s[i + 1]) ? 2 : 1;
}

bool HasLoneSurrogate(const std::wstring& s) {
  for (size_t i = 0; i < s.size();) {
    const size_t n = CharUnitsAt(s, i);
    if (n == 1 && (IsHighSurrogate(s[i]) || IsLowSurrogate(s[i]))) return true;
    i += n;
  }
  return false;
}

size_t CodePointCount(const std::wstring& s) { return CodePointIndex(s, s.size()); }

size_t UnitOffset(const std::wstring& s, size_t k) {
  size_t i = 0;
  for (; k > 0 && i < s.size(); --k) i += CharUnitsAt(s, i);
  return i;
}

size_t CodePointIndex(const std::wstring& s, size_t units) {
  const size_t end = units < s.size() ? units : s.size();
  size_t count = 0;
  for (size_t i = 0; i < end; ++count) i += CharUnitsAt(s, i);
  return count;
}

std::wstring FirstCodePoints(const std::wstring& s, size_t k) { return s.substr(0, UnitOffset(s, k)); }

std::wstring LastCodePoints(const std::wstring& s, size_t k) {
  const size_t count = CodePointCount(s);
  return s.substr(UnitOffset(s, k >= count ? 0 : count - k));
}

size_t Utf16Length(const std::wstring& s) {
  size_t n = s.size();
  if constexpr (sizeof(wchar_t) > 2)  // UTF-32: a character beyond U+FFFF takes two units in UTF-16
    for (wchar_t c : s) {
      const uint32_t unit = static_cast<uint32_t>(c);
      n += unit > 0xFFFF ? 1 : 0;
    }
  return n;
}

bool OnlySpaces(const std::wstring& s) { return s.find_first_not_of(L' ') == std::wstring::npos; }

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

wchar_t FoldCase(wchar_t ch) {
  // Most names and keys are ASCII, and this runs for every character compared.
  if (ch < 0x80) return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch + 0x20) : ch;
  const char32_t c = static_cast<char32_t>(static_cast<unsigned>(ch) & (sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu));
  return static_cast<wchar_t>(LowerCodePoint(c));
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

std::string Utf8FromWide(const std::wstring& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    char32_t cp = NextCodePoint(s, i);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::wstring WideFromUtf8(const std::string& s, bool* ok) {
  std::wstring out;
  out.reserve(s.size());
  bool good = true;
  const size_t n = s.size();
  for (size_t i = 0; i < n;) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      out += static_cast<wchar_t>(b);
      ++i;
      continue;
    }
    int len = 0;
    char32_t cp = 0, min = 0;
    if ((b & 0xE0) == 0xC0) {
      len = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4, cp = b & 0x07, min = 0x10000;
    }
    int k = 1;
    if (len != 0) {
      for (; k < len && i + k < n; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) break;
        cp = (cp << 6) | (t & 0x3F);
      }
    }
    if (len == 0 || k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      // Skip the lead byte and the continuation bytes that were consumed.
      good = false;
      AppendCodePoint(out, kReplacement);
      i += (len == 0) ? 1 : k;
      continue;
    }
    AppendCodePoint(out, cp);
    i += len;
  }
  if (ok) *ok = good;
  return out;
}

std::wstring WideFromCp1252(const std::string& s) {
  std::wstring out;
  out.reserve(s.size());
  for (char ch : s) {
    const unsigned char b = static_cast<unsigned char>(ch);
    out += static_cast<wchar_t>((b >= 0x80 && b <= 0x9F) ? kCp1252High[b - 0x80] : b);
  }
  return out;
}

bool Cp1252FromWide(const std::wstring& s, std::string& out) {
  out.clear();
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const char32_t cp = NextCodePoint(s, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    int found = -1;
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == cp) found = k;
    if (found < 0) return false;
    out += static_cast<char>(0x80 + found);
  }
  return true;
}

std::optional<int> ParseInteger(const std::wstring& text) {
  const std::wstring s = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
  bool hex = false;
  if (i < s.size() && s[i] == L'$') {
    hex = true, ++i;
  } else if (i + 1 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
    hex = true, i += 2;
  }
  if (i >= s.size()) return std::nullopt;
  if (hex) {
    if (s.size() - i > 8) return std::nullopt;
    uint32_t v = 0;
    for (; i < s.size(); ++i) {
      const int d = HexDigit(s[i]);
      if (d < 0) return std::nullopt;
      v = (v << 4) | static_cast<uint32_t>(d);
    }
    if (negative) v = 0u - v;
    return static_cast<int>(static_cast<int32_t>(v));
  }
  int64_t v = 0;
  const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
  for (; i < s.size(); ++i) {
    if (s[i] < L'0' || s[i] > L'9') return std::nullopt;
    v = v * 10 + (s[i] - L'0');
    if (v > limit) return std::nullopt;
  }
  return static_cast<int>(negative ? -v : v);
}

std::wstring IntToWide(int value) { return std::to_wstring(value); }

}  // namespace rn
