// Small text helpers shared by the whole program: blanks, case folding,
// integers, and the conversions between the 8-bit / UTF-8 forms found in
// files and the UTF-16 (Windows) or UTF-32 (native builds) text inside.
#pragma once
#include <optional>
#include <string>

namespace rn {

// True when the text is empty or only spaces (tabs count as text).
bool OnlySpaces(const std::wstring& s);

// Removes leading and trailing spaces and tabs.
std::wstring Trim(const std::wstring& s);

// Lower-case form of c for comparisons without regard to case: ASCII,
// Latin-1, Latin Extended-A, basic Greek and basic Cyrillic. Any other
// character is returned unchanged.
wchar_t FoldCase(wchar_t c);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);

// UTF-8 without BOM. Unpaired surrogates become U+FFFD.
std::string Utf8FromWide(const std::wstring& s);
// Strict: overlong forms, surrogates, values above U+10FFFF and cut
// sequences set *ok to false and come out as U+FFFD; *ok is true otherwise.
std::wstring WideFromUtf8(const std::string& s, bool* ok = nullptr);

// Windows-1252. The five bytes the code page leaves undefined map to the
// control characters of the same value, so every byte round-trips.
std::wstring WideFromCp1252(const std::string& s);
// False (and out incomplete) when a character has no Windows-1252 byte.
bool Cp1252FromWide(const std::wstring& s, std::string& out);

// The system's ANSI code page (Windows-1252 in native builds).
// Implemented by the platform layer.
std::wstring WideFromAnsi(const std::string& s);
// False (and out incomplete) when a character has no byte in the code page.
bool AnsiFromWide(const std::wstring& s, std::string& out);

// The user's locale-aware comparison without regard to case (<0, 0, >0).
// Implemented by the platform layer.
int CompareLocaleNoCase(const std::wstring& a, const std::wstring& b);

// Decimal with optional sign and surrounding blanks; "$1F", "0x1F" and
// "-$1F" are hexadecimal (up to 8 digits, taken as a 32-bit pattern).
// Anything else, an empty text or an out-of-range value gives nullopt.
std::optional<int> ParseInteger(const std::wstring& s);
std::wstring IntToWide(int value);

}  // namespace rn
