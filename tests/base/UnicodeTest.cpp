#include "base/Unicode.h"

#include <gtest/gtest.h>

#include "base/Text.h"

using namespace rn;

TEST(Unicode, KindsAndCasesOfEveryScript) {
  for (char32_t c : {U'a', U'É', U'Ω', U'ж', U'\u0645', U'\u4E2D', U'\U00010400'})
    EXPECT_EQ(CharKindOf(c), CharKind::Letter);
  EXPECT_EQ(CharKindOf(U'\u0301'), CharKind::Mark);
  EXPECT_EQ(CharKindOf(U'\u0663'), CharKind::Digit);
  EXPECT_EQ(CharKindOf(U'_'), CharKind::Connector);
  EXPECT_EQ(CharKindOf(U'\u3000'), CharKind::Space);
  EXPECT_EQ(CharKindOf(U'\U0001F600'), CharKind::Symbol);
  EXPECT_EQ(CharKindOf(0x378), CharKind::Letter) << "unassigned inside a run of letters";
  EXPECT_EQ(CharKindOf(0x110000), CharKind::Unassigned);
  // Lower case as Windows pairs capitals; folding goes further.
  const std::pair<char32_t, char32_t> lower[] = {{U'Ǆ', U'ǆ'},           {U'ǅ', U'ǆ'}, {U'Ѣ', U'ѣ'},
                                                 {U'Ẁ', U'ẁ'},           {U'Ա', U'ա'}, {U'\U00010400', U'\U00010428'},
                                                 {U'\u2126', U'\u2126'}, {U'İ', U'İ'}, {U'ß', U'ß'}};
  for (const auto& [c, l] : lower) EXPECT_EQ(LowerCodePoint(c), l) << static_cast<uint32_t>(c);
  const std::pair<char32_t, char32_t> fold[] = {{U'ς', U'σ'},          {U'Σ', U'σ'},      {U'µ', U'μ'},
                                                {U'\u2126', U'ω'},     {U'\u212A', U'k'}, {U'ẞ', U'ß'},
                                                {U'\u13F8', U'\u13F0'}};
  for (const auto& [c, f] : fold) EXPECT_EQ(FoldCodePoint(c), f) << static_cast<uint32_t>(c);
  EXPECT_TRUE(IsUpperCodePoint(U'Ж') && !IsUpperCodePoint(U'ж') && !IsUpperCodePoint(U'1'));
  EXPECT_TRUE(IsLowerCodePoint(U'ж') && IsLowerCodePoint(U'ß') && !IsLowerCodePoint(U'Ж') &&
              !IsLowerCodePoint(U'\u4E2D'));
  EXPECT_TRUE(EqualsNoCase(L"ǄѢẀ", L"ǆѣẁ"));
  EXPECT_FALSE(EqualsNoCase(L"\u212A", L"k")) << "Windows keeps the Kelvin sign apart";
}
