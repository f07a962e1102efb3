#include <gtest/gtest.h>

#include "base/CommandLine.h"
#include "core/MainLayout.h"

using namespace rn;

TEST(MainLayout, ToolStripFollowsTheRightEdge) {
  Dpi dpi;  // design density: no scaling
  MainLayout a = ComputeMainLayout(630, 568, false, dpi);
  MainLayout b = ComputeMainLayout(800, 568, false, dpi);
  EXPECT_EQ(a.panel1.x, 630 - 26);
  EXPECT_EQ(b.panel1.x, 800 - 26);
  EXPECT_EQ(b.speedButton3.x, b.panel1.x - 1);
  EXPECT_EQ(b.scrollBar1.x, 800 - 55);
  EXPECT_EQ(b.bevel9.x, b.panel1.x - 14);
  EXPECT_EQ(b.topRule.w, 800);
}

TEST(MainLayout, RegionsStackWithoutOverlap) {
  Dpi dpi;
  for (bool open : {false, true}) {
    MainLayout l = ComputeMainLayout(630, 568, open, dpi);
    EXPECT_EQ(l.panelRadio.h, 198);
    EXPECT_EQ(l.bevel8.y, l.panelRadio.Bottom());
    EXPECT_EQ(l.bevel8.h, 25);
    EXPECT_EQ(l.grid.y, l.bevel8.Bottom());
    EXPECT_LE(l.grid.Bottom(), l.panelInfo.y);
    EXPECT_EQ(l.panelInfo.h, open ? 61 : 2);
    EXPECT_LT(l.panelInfo.Bottom(), l.comboBox4.y);
    EXPECT_EQ(l.comboBox4.y, 568 - l.comboBox4.h - 4);
    EXPECT_EQ(l.button11.y, l.comboBox4.y);
  }
}

TEST(MainLayout, TinyClientGivesNoNegativeGrid) {
  MainLayout l = ComputeMainLayout(10, 10, true, Dpi{});
  EXPECT_GE(l.grid.h, 0);
}

TEST(MainLayout, ScalesFromTheDesignDensity) {
  Dpi screen{96};
  EXPECT_EQ(screen.Scale(106), 96);
  EXPECT_EQ(screen.Scale(198), 179);
  EXPECT_EQ(Dpi{212}.Scale(198), 396);
  EXPECT_EQ(StartupWindowWidth(4, Dpi{}), 8 + 624);
  EXPECT_EQ(MinTrackWidth(4), 638);
  EXPECT_EQ(PathColumnWidth(600, 12, 1), 584);
}

TEST(MainLayout, WindowSizeParsesHeightThenWidth) {
  int h = 0, w = 0;
  EXPECT_TRUE(ParseWindowSize(L"418|509", h, w));
  EXPECT_EQ(h, 418);
  EXPECT_EQ(w, 509);
  EXPECT_FALSE(ParseWindowSize(L"abc", h, w));
  EXPECT_FALSE(ParseWindowSize(L"12|", h, w));
  EXPECT_FALSE(ParseWindowSize(L"|12", h, w));
  EXPECT_FALSE(ParseWindowSize(L"", h, w));
  EXPECT_FALSE(ParseWindowSize(nullptr, h, w));
  EXPECT_FALSE(ParseWindowSize(L"99999999999|5", h, w));
}

TEST(CommandLine, QuotesGroupAndAreRemoved) {
  using V = std::vector<std::wstring>;
  EXPECT_EQ(SplitCommandLine(L"Rename.exe -sendto \"C:\\My Files\\a b.txt\" x"),
            (V{L"Rename.exe", L"-sendto", L"C:\\My Files\\a b.txt", L"x"}));
  EXPECT_EQ(SplitCommandLine(L"  a   b  "), (V{L"a", L"b"}));
  EXPECT_EQ(SplitCommandLine(L"a\"b c\"d"), (V{L"ab cd"}));
  EXPECT_EQ(SplitCommandLine(L""), V{});
  EXPECT_EQ(SplitCommandLine(L"\"unterminated arg"), (V{L"unterminated arg"}));
}

TEST(MainLayout, TheNewNamesTakeTwoFifthsOfThePathRoomAndTheirCountsALineUnderTheGrid) {
  EXPECT_EQ(SplitPathRoom(601, 1, false).path, 601);
  EXPECT_EQ(SplitPathRoom(601, 1, false).preview, -1) << "hidden: the path column exactly as before";
  EXPECT_EQ(SplitPathRoom(601, 1, true).path, 360) << "path, grid line and new names fill the room";
  EXPECT_EQ(SplitPathRoom(601, 1, true).preview, 240);
  EXPECT_EQ(SplitPathRoom(0, 1, true).preview, 0);
  const MainLayout without = ComputeMainLayout(630, 568, false, Dpi{});
  const MainLayout with = ComputeMainLayout(630, 568, false, Dpi{}, true);
  EXPECT_EQ(without.grid.Bottom(), without.panelInfo.y);
  EXPECT_EQ(without.previewStatus.h, 0);
  EXPECT_EQ(with.previewStatus.Bottom(), with.panelInfo.y);
  EXPECT_EQ(with.grid.Bottom(), with.previewStatus.y);
  EXPECT_EQ(with.grid.h, without.grid.h - 15);
}

TEST(MainLayout, AButtonGrowsForACaptionWiderThanDesignedAndTheOnesAfterItMoveAlong) {
  const Dpi dpi{};
  const MainLayout designed = ComputeMainLayout(630, 568, false, dpi);
  CaptionWidths wide;
  wide.button2 = 150;  // wider than its 112 pixels
  wide.button12 = 70;  // "Novo script" in a 56-pixel button
  const MainLayout l = ComputeMainLayout(630, 568, false, dpi, false, wide);
  EXPECT_EQ(l.button1.x, designed.button1.x);
  EXPECT_GE(l.button2.w, 150);
  EXPECT_GE(l.button3.x, l.button2.Right()) << "the next button moves along";
  EXPECT_EQ(l.button9.w, designed.button9.w) << "a caption that fits keeps the designed width";
  EXPECT_GE(l.button12.w, 70);
  EXPECT_GE(l.button11.x, l.button12.Right());
  const MainLayout narrow = ComputeMainLayout(630, 568, false, dpi, false, CaptionWidths{10, 10, 10, 10, 10});
  EXPECT_EQ(narrow.button2.x, designed.button2.x) << "short captions keep the designed places";
}

// The "Rename to" box stands 120 design pixels after the filter's label,
// unless the slot's widest label would then run into the help button.
TEST(MainLayout, TheRenameToBoxGivesWayToTheSlotsWidestLabel) {
  const rn::Dpi dpi{106};
  const struct {
    int filterLabel, widestSlot, renameToX;
  } cases[] = {
      {78, 60, 163 + 78 + 120},         // room enough: its usual place
      {78, 200, 600 - 4 - 200 - 150},   // a long label pushes it left
      {140, 120, 600 - 4 - 120 - 150},  // a wide filter label and a long slot label
  };
  for (const auto& c : cases) {
    const rn::TopLine t = rn::ComputeTopLine(dpi, c.filterLabel, 70, 600, c.widestSlot);
    EXPECT_EQ(t.renameTo.x, c.renameToX) << c.filterLabel << " " << c.widestSlot;
    EXPECT_EQ(t.renameToLabel.x, t.renameTo.Right());
    EXPECT_EQ(t.filterLabel.x, t.filter.Right() + 1);
    EXPECT_EQ(t.search.Right(), t.filter.x - 1);
  }
}
