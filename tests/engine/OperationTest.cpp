#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/Operation.h"

using namespace rn;

TEST(OperationCatalogue, MenuOrderIdsAndKinds) {
  ASSERT_EQ(kOperationCatalogue.size(), 17u);
  EXPECT_STREQ(kOperationCatalogue[0].caption, L"01. Add ... at xx chars from name begin");
  EXPECT_STREQ(kOperationCatalogue[6].caption, L"060. Capitalize first letter of every word");
  EXPECT_STREQ(kOperationCatalogue[8].caption, L"18. Create new names for file names ...");
  EXPECT_STREQ(kOperationCatalogue[16].caption, L"12. Numerate files ...");
  std::set<int> ids;
  for (const CatalogueEntry& e : kOperationCatalogue) {
    ids.insert(e.id);
    // Every caption starts with the id it chooses ("060." being operation 6).
    const std::wstring c = e.caption;
    EXPECT_EQ(std::stoi(c.substr(0, c.find(L'.'))) / (e.everyWord ? 10 : 1), e.id) << c;
  }
  EXPECT_EQ(ids, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 15, 16, 17, 18, 19}));
  for (int id : {-1, 0, 8, 13, 14, 20, 254}) EXPECT_FALSE(IsOperationId(id)) << id;
  EXPECT_EQ(KindOf(kOpAttributes), OperationKind::Attributes);
  EXPECT_EQ(KindOf(kOpChangeDateTime), OperationKind::TimeStamp);
  EXPECT_EQ(KindOf(kOpTrimBetween), OperationKind::Name);
  EXPECT_EQ(KindOf(kNoOperation), OperationKind::None);
}

TEST(OperationCatalogue, TheTwoEntriesOfSixSetAndClearEveryWord) {
  RenameTask t;
  EXPECT_EQ(t.Operation, kNoOperation);
  ChooseCatalogueEntry(t, 6);
  EXPECT_EQ(t.Operation, kOpCapitalize);
  EXPECT_TRUE(t.EveryWord);
  ChooseCatalogueEntry(t, 5);
  EXPECT_EQ(t.Operation, kOpCapitalize);
  EXPECT_FALSE(t.EveryWord);
  ChooseCatalogueEntry(t, 16);
  EXPECT_EQ(t.Operation, kOpNumerate);
  ChooseCatalogueEntry(t, 17);  // outside the menu: nothing
  EXPECT_EQ(t.Operation, kOpNumerate);
}

TEST(AttributeValue, PlatformBits) {
  EXPECT_EQ(AttributeValue({}), 0u);
  EXPECT_EQ(AttributeValue({.ReadOnly = true}), 1u);
  EXPECT_EQ(AttributeValue({.Archive = true}), 32u);
  EXPECT_EQ(AttributeValue({.Hidden = true}), 2u);
  EXPECT_EQ(AttributeValue({.System = true}), 4u);
  EXPECT_EQ(AttributeValue({true, true, true, true}), 39u);
}

TEST(CounterText, ValueAndWidthAndWidening) {
  ASSERT_TRUE(ReadCounterText(L"001"));
  EXPECT_EQ(ReadCounterText(L"001")->first, 1);
  EXPECT_EQ(ReadCounterText(L"001")->width, 3u);
  EXPECT_EQ(ReadCounterText(L"7")->width, 1u);
  EXPECT_EQ(ReadCounterText(L"-05")->first, -5);
  EXPECT_FALSE(ReadCounterText(L"12a"));
  EXPECT_FALSE(ReadCounterText(L""));
  EXPECT_EQ(DecimalDigits(0), 1);
  EXPECT_EQ(DecimalDigits(9), 1);
  EXPECT_EQ(DecimalDigits(12), 2);
  EXPECT_EQ(DecimalDigits(120), 3);
  EXPECT_EQ(WidenCounterText(L"1", 12), L"01");
  EXPECT_EQ(WidenCounterText(L"0001", 12), L"0001");
  EXPECT_EQ(WidenCounterText(L"5", 120), L"005");
  EXPECT_EQ(WidenCounterText(L"7", 9), L"7");
  // The zeros go after a sign so that the text still reads as a number.
  EXPECT_EQ(WidenCounterText(L"-5", 120), L"-05");
  EXPECT_EQ(ReadCounterText(WidenCounterText(L"-5", 120))->first, -5);
  EXPECT_EQ(WidenCounterText(L"", 120), L"000");
}

TEST(CleanExtensionText, DropsThroughTheLastDot) {
  EXPECT_EQ(CleanExtensionText(L"tar.gz"), L"gz");
  EXPECT_EQ(CleanExtensionText(L".txt"), L"txt");
  EXPECT_EQ(CleanExtensionText(L"zip"), L"zip");
  EXPECT_EQ(CleanExtensionText(L"a."), L"");
  EXPECT_EQ(CleanExtensionText(L""), L"");
}

TEST(IllegalNameCharacters, EachInOrderControlCharactersIgnored) {
  EXPECT_TRUE(IllegalNameCharacters(L"fine name-_.txt").empty());
  EXPECT_EQ(IllegalNameCharacters(L"a?b*c?"), (std::vector<wchar_t>{L'?', L'*', L'?'}));
  EXPECT_EQ(IllegalNameCharacters(L"\"/:<>\\|"), (std::vector<wchar_t>{L'"', L'/', L':', L'<', L'>', L'\\', L'|'}));
  EXPECT_TRUE(IllegalNameCharacters(L"\t\x01").empty());
}
