// Characters counted as code points. The pairs are written out unit by unit
// so that the native build (UTF-32) exercises the pair logic too.
#include <gtest/gtest.h>

#include "base/Text.h"

using namespace rn;

namespace {
const wchar_t kHigh = static_cast<wchar_t>(0xD835), kLow = static_cast<wchar_t>(0xDC9C);
const std::wstring kPair{kHigh, kLow};  // U+1D49C in UTF-16
}  // namespace

TEST(CodePoints, APairIsOneCharacterAndNeverCut) {
  const std::wstring s = kPair + L"b" + kPair;  // 5 units, 3 characters
  const size_t offsets[] = {0, 2, 3, 5, 5};
  for (size_t k = 0; k < std::size(offsets); ++k) EXPECT_EQ(UnitOffset(s, k), offsets[k]) << k;
  const size_t counts[] = {0, 1, 1, 2, 3, 3, 3};  // an offset between the halves counts the pair
  for (size_t units = 0; units < std::size(counts); ++units) EXPECT_EQ(CodePointIndex(s, units), counts[units]);
  EXPECT_EQ(FirstCodePoints(s, 1), kPair);
  EXPECT_EQ(LastCodePoints(s, 2), L"b" + kPair);
  EXPECT_EQ(LastCodePoints(s, 99), s);
}

TEST(CodePoints, LoneSurrogatesCountAloneAndWindowsCountsUnits) {
  struct Case {
    std::wstring text;
    size_t count;
    bool lone;
  };
  const Case cases[] = {
      {L"abc", 3, false},
      {kPair, 1, false},
      {std::wstring{kHigh}, 1, true},
      {std::wstring{kLow, kHigh}, 2, true},  // the halves in the wrong order
      {std::wstring{kHigh, kHigh, kLow}, 2, true},
      {L"\U0001F600 party.jpg", 11, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CodePointCount(c.text), c.count) << c.text.size();
    EXPECT_EQ(HasLoneSurrogate(c.text), c.lone) << c.text.size();
  }
  EXPECT_EQ(Utf16Length(kPair), 2u);
  EXPECT_EQ(Utf16Length(L"\U0001F600 party.jpg"), 12u);
}
