// What the Unicode Character Database says about a code point, the same in
// every build: its kind, its simple lower case and its simple case folding.
// The tables (UnicodeTables.cpp) are made from the database by
// cmake/unicode_tables.py, so that no answer depends on the C library or the
// locale of the machine.
#pragma once
#include <cstdint>

namespace rn {

// General categories, grouped as the pattern classes need them.
enum class CharKind : uint8_t {
  Unassigned,
  Letter,       // L*
  Mark,         // M*: accents that combine with the letter before
  Digit,        // Nd
  Number,       // Nl, No
  Connector,    // Pc, the underscore among them
  Punctuation,  // the other P*
  Symbol,       // S*
  Space,        // Z*
  Control,      // Cc
  Other,        // Cf, Co, Cs
};
CharKind CharKindOf(char32_t c);

// The simple lower-case mapping ("Ж" -> "ж", "Ω" -> "ω") of every capital
// that is its lower case's own capital, so that two names alike here are
// alike to Windows, which compares capitals: U+0130, the Kelvin and the Ohm
// signs keep themselves. c itself when it has none (a surrogate, a value
// beyond U+10FFFF).
char32_t LowerCodePoint(char32_t c);
// Simple case folding: equal results mean equal without regard to case
// ("ς", "σ" and "Σ" fold alike, as do "µ" and "μ", and "Ω" and the Ohm sign).
char32_t FoldCodePoint(char32_t c);
// A letter with a lower case of its own (capitals, title-case letters), and
// a lower-case letter.
bool IsUpperCodePoint(char32_t c);
bool IsLowerCodePoint(char32_t c);

}  // namespace rn
