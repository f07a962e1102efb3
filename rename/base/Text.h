// Small text helpers shared by the whole program: blanks, case folding,
// integers, characters counted as code points, and the conversions between
// the 8-bit / UTF-8 forms found in files and the UTF-16 (Windows) or UTF-32
// (native builds) text inside.
#pragma once
#include <optional>
#include <string>

namespace rn {

// True when the text is empty or only spaces (tabs count as text).
bool OnlySpaces(const std::wstring& s);

// Removes leading and trailing spaces and tabs.
std::wstring Trim(const std::wstring& s);

// Lower-case form of c for comparisons without regard to case, in every
// script (Unicode.h's LowerCodePoint of the unit: half a surrogate pair is
// returned unchanged).
wchar_t FoldCase(wchar_t c);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);

// Characters are code points: whatever a user counts in a name (positions,
// lengths, the character position tool) counts a character beyond U+FFFF as
// one, and no cut ever falls between the two halves of its surrogate pair.
// Offsets are in units of the string: UTF-16 on Windows, UTF-32 in native
// builds. A high surrogate directly followed by a low one is one character
// in either width (ill-formed in UTF-32, but kept whole all the same, so the
// pair logic runs natively too); any other surrogate is a character alone.
bool IsHighSurrogate(wchar_t c);
bool IsLowSurrogate(wchar_t c);
// True when some surrogate is not part of a pair.
bool HasLoneSurrogate(const std::wstring& s);
size_t CodePointCount(const std::wstring& s);
// Units of the character that starts at unit offset i (within the text): 2
// for a pair, else 1.
size_t CharUnitsAt(const std::wstring& s, size_t i);
// The offset of the unit where character k (0-based) starts; s.size() for a k
// at or beyond the count. Never the offset of the second half of a pair.
size_t UnitOffset(const std::wstring& s, size_t k);
// How many characters start before unit offset `units` (clipped to the
// text); an offset between the halves of a pair counts the pair.
size_t CodePointIndex(const std::wstring& s, size_t units);
// The first and the last k characters, clipped to the text.
std::wstring FirstCodePoints(const std::wstring& s, size_t k);
std::wstring LastCodePoints(const std::wstring& s, size_t k);
// The length Windows measures for a name: UTF-16 units, so a character beyond
// U+FFFF counts 2 in either build.
size_t Utf16Length(const std::wstring& s);

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
