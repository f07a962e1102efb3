#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "core/OperationPanel.h"

using namespace rn;

namespace {

// A step of a spin's bar as the window makes it: one position, then the wrap.
int SpinStep(int position, bool up) { return WrapSpinPosition(position + (up ? -1 : 1)); }

}  // namespace

TEST(Spin, ValueRunsRoundZeroTo254InBothDirections) {
  EXPECT_EQ(SpinStep(0, false), -254) << "down at 0 shows 254";
  EXPECT_EQ(SpinStep(-254, true), 0) << "up at 254 shows 0";
  EXPECT_EQ(SpinStep(-5, true), -6);
  EXPECT_EQ(SpinStep(-5, false), -4);
  // Every position a step can reach stays inside 0 … 254.
  for (int p = -254; p <= 0; ++p)
    for (bool up : {true, false}) {
      const int next = SpinStep(p, up);
      EXPECT_GE(next, -254);
      EXPECT_LE(next, 0);
    }
}

TEST(Spin, TypedNumbersAboveTheRangeEndAtZero) {
  auto shown = [](long long typed) { return WrapSpinPosition(SpinPositionForNumber(typed)); };
  EXPECT_EQ(shown(0), 0);
  EXPECT_EQ(shown(7), -7);
  EXPECT_EQ(shown(254), -254);
  EXPECT_EQ(SpinPositionForNumber(255), -255) << "a change from 0, which the wrap then undoes";
  EXPECT_EQ(shown(255), 0) << "typing 255 shows 0";
  EXPECT_EQ(shown(100000), 0);
  // A pasted negative number is held at the top end and comes round to 254.
  EXPECT_EQ(shown(-1), -254);
  // The extremes of an int must not overflow on the way.
  EXPECT_EQ(shown(INT_MIN), -254);
  EXPECT_EQ(shown(INT_MAX), 0);
}

TEST(Selector, EachRangeComesRoundAtBothEnds) {
  EXPECT_EQ(WrapSelector(kDatePartRange, 0), 3);
  EXPECT_EQ(WrapSelector(kDatePartRange, 4), 1);
  EXPECT_EQ(WrapSelector(kDatePartRange, 2), 2);
  EXPECT_EQ(WrapSelector(kCaseRange, 3), 5);
  EXPECT_EQ(WrapSelector(kCaseRange, 6), 4);
  EXPECT_EQ(WrapSelector(kNumberStyleRange, 5), 8);
  EXPECT_EQ(WrapSelector(kNumberStyleRange, 9), 6);
  EXPECT_EQ(WrapSelector(kNumberStyleRange, 7), 7);
  // Out of the bar's range: held to it first, then wrapped.
  EXPECT_EQ(WrapSelector(kCaseRange, 40), 4);
  EXPECT_EQ(WrapSelector(kCaseRange, -40), 5);
}

TEST(ArrowChoice, ChoosesOnlyWhenTheCurrentOperationIsNotTheBars) {
  EXPECT_EQ(ArrowChoice(ArrowBar::InsertAt, true, -1, false), 1);
  EXPECT_EQ(ArrowChoice(ArrowBar::InsertAt, false, 5, false), 2);
  EXPECT_EQ(ArrowChoice(ArrowBar::InsertAt, false, 1, false), std::nullopt) << "1 and 2 keep each other";
  EXPECT_EQ(ArrowChoice(ArrowBar::Trim, true, 19, false), 10);
  EXPECT_EQ(ArrowChoice(ArrowBar::Trim, true, 10, false), std::nullopt);
  EXPECT_EQ(ArrowChoice(ArrowBar::Trim, false, 11, false), std::nullopt);
  EXPECT_EQ(ArrowChoice(ArrowBar::AddDatePart, false, 12, false), 17);
  EXPECT_EQ(ArrowChoice(ArrowBar::AddDatePart, true, 17, false), std::nullopt);
  for (ArrowBar bar : {ArrowBar::InsertAt, ArrowBar::Trim, ArrowBar::AddDatePart})
    EXPECT_EQ(ArrowChoice(bar, true, -1, true), std::nullopt) << "a script holds the panel";
}

TEST(KeyFilter, EachBoxTakesItsCharacters) {
  const std::wstring dateSep = L"/", timeSep = L":";
  auto ok = [&](KeyFilter f, wchar_t c) { return KeyAccepted(f, c, dateSep, timeSep); };
  for (KeyFilter f : {KeyFilter::Spin, KeyFilter::DateBox, KeyFilter::TimeBox}) {
    EXPECT_TRUE(ok(f, L'0'));
    EXPECT_TRUE(ok(f, L'9'));
    EXPECT_TRUE(ok(f, 8)) << "backspace";
    EXPECT_TRUE(ok(f, 12));
    EXPECT_FALSE(ok(f, L'x'));
    EXPECT_FALSE(ok(f, L'-'));
    EXPECT_FALSE(ok(f, 22)) << "Ctrl+V is a character too";
  }
  EXPECT_FALSE(ok(KeyFilter::Spin, L'.'));
  EXPECT_TRUE(ok(KeyFilter::DateBox, L'.'));
  EXPECT_TRUE(ok(KeyFilter::DateBox, L'/'));
  EXPECT_FALSE(ok(KeyFilter::DateBox, L':'));
  EXPECT_TRUE(KeyAccepted(KeyFilter::DateBox, L'-', L"-", timeSep)) << "the user's separator";
  for (wchar_t c : std::wstring(L"AMP.:")) EXPECT_TRUE(ok(KeyFilter::TimeBox, c)) << static_cast<char>(c);
  EXPECT_FALSE(ok(KeyFilter::TimeBox, L'a')) << "the designators in capitals only";
  EXPECT_FALSE(ok(KeyFilter::TimeBox, L'/'));
  for (wchar_t c : std::wstring(L"\"*/:?\\|")) EXPECT_FALSE(ok(KeyFilter::Replacement, c)) << static_cast<char>(c);
  // Fields: their brackets always, a format's ":" and a fallback's "|" within one.
  for (KeyFilter f : {KeyFilter::Replacement, KeyFilter::PatternReplacement}) {
    for (wchar_t c : std::wstring(L"<>")) EXPECT_TRUE(ok(f, c));
    for (wchar_t c : std::wstring(L":|")) EXPECT_TRUE(KeyAccepted(f, c, dateSep, timeSep, true));
    EXPECT_FALSE(KeyAccepted(f, L'?', dateSep, timeSep, true));
  }
  const std::tuple<const wchar_t*, size_t, bool> carets[] = {
      {L"<Taken", 6, true}, {L"<Taken>", 7, false}, {L"a<b>c<d", 7, true}, {L"a<b>c<d", 3, true}, {L"abc", 3, false}};
  for (const auto& [text, caret, inside] : carets) EXPECT_EQ(InField(text, caret), inside) << text << " at " << caret;
  for (wchar_t c : std::wstring(L"aZ 0.-_()[]\u00e9")) EXPECT_TRUE(ok(KeyFilter::Replacement, c));
  EXPECT_TRUE(ok(KeyFilter::Replacement, 8));
  // A pattern's replacement names groups with "\1" as well.
  EXPECT_TRUE(ok(KeyFilter::PatternReplacement, L'\\'));
  for (wchar_t c : std::wstring(L"\"*/:?|")) EXPECT_FALSE(ok(KeyFilter::PatternReplacement, c));
}

TEST(ArrowSteps, StartNumberGainsOrLosesALeadingZero) {
  EXPECT_EQ(StepLeadingDigits(L"001", true), L"0001");
  EXPECT_EQ(StepLeadingDigits(L"001", false), L"01");
  EXPECT_EQ(StepLeadingDigits(L"123", true), L"0003");
  EXPECT_EQ(StepLeadingDigits(L"123", false), L"03");
  EXPECT_EQ(StepLeadingDigits(L"1", false), L"1") << "one character stays one";
  EXPECT_EQ(StepLeadingDigits(L"1", true), L"01");
  EXPECT_EQ(StepLeadingDigits(L"", true), L"");
  EXPECT_EQ(StepLeadingDigits(L"", false), L"");
}

TEST(ArrowSteps, CounterKeepsItsWidthAndStopsAtZero) {
  EXPECT_EQ(StepCounter(L"001", true), L"002");
  EXPECT_EQ(StepCounter(L"009", true), L"010");
  EXPECT_EQ(StepCounter(L"999", true), L"1000") << "more digits are written in full";
  EXPECT_EQ(StepCounter(L"010", false), L"009");
  EXPECT_EQ(StepCounter(L"000", false), L"000");
  EXPECT_EQ(StepCounter(L"0", false), L"0");
  EXPECT_EQ(StepCounter(L"7", false), L"6");
  EXPECT_EQ(StepCounter(L"abc", true), std::nullopt);
  EXPECT_EQ(StepCounter(L"", false), std::nullopt);
  EXPECT_EQ(StepCounter(L"2147483647", true), L"2147483648") << "no overflow at the top";
}

TEST(ArrowSteps, TimeMovesByAHundredthOfAnHourAndComesRoundAtMidnight) {
  auto ms = [](int h, int m, int s) { return ((h * 60 + m) * 60 + s) * 1000; };
  EXPECT_EQ(StepTimeOfDay(ms(16, 5, 46), true), ms(16, 6, 0) + 400);
  EXPECT_EQ(StepTimeOfDay(ms(16, 5, 46), false), ms(16, 5, 31) + 600);
  // Within 0.00006 day of midnight the time first jumps to the other end.
  EXPECT_EQ(StepTimeOfDay(ms(0, 0, 5), false), 86'399'136 - 14'400);
  EXPECT_EQ(StepTimeOfDay(ms(0, 0, 5), true), 13'536);
  // Earlier than midnight is the evening before, never a negative time.
  EXPECT_EQ(StepTimeOfDay(ms(0, 0, 6), false), ms(23, 59, 51) + 600);
  for (int t = 0; t < 86'400'000; t += 997'000)
    for (bool up : {true, false}) {
      const int next = StepTimeOfDay(t, up);
      EXPECT_GE(next, 0);
      EXPECT_LT(next, 86'400'000);
    }
}

TEST(ArrowSteps, OneDayCrossesMonthsYearsAndLeapDays) {
  EXPECT_EQ(AddOneDay({2004, 12, 31}, true), (DateTime{2005, 1, 1}));
  EXPECT_EQ(AddOneDay({2005, 1, 1}, false), (DateTime{2004, 12, 31}));
  EXPECT_EQ(AddOneDay({2004, 2, 28}, true), (DateTime{2004, 2, 29}));
  EXPECT_EQ(AddOneDay({2005, 3, 1}, false), (DateTime{2005, 2, 28}));
  EXPECT_EQ(AddOneDay({2000, 3, 1}, false), (DateTime{2000, 2, 29}));
  EXPECT_EQ(AddOneDay({2004, 4, 30}, true), (DateTime{2004, 5, 1}));
}

TEST(Slot, LabelAndContentFollowTheOperation) {
  struct Case {
    int op;
    SlotLabel label;
    SlotContent content;
  };
  const Case cases[] = {
      {-1, kLabelRenameTo, SlotContent::RenameTo},     {1, kLabelRenameTo, SlotContent::RenameTo},
      {2, kLabelRenameTo, SlotContent::RenameTo},      {3, kLabelRemoveIt, SlotContent::RenameTo},
      {4, kLabelConvertFrom, SlotContent::RenameTo},   {5, kLabelRenameTo, SlotContent::RenameTo},
      {6, kLabelDots, SlotContent::EmptyFrame},        {7, kLabelDots, SlotContent::EmptyFrame},
      {8, kLabelDots, SlotContent::RenameTo},          {9, kLabelChangeTo, SlotContent::Attributes},
      {10, kLabelDots, SlotContent::EmptyFrame},       {11, kLabelDots, SlotContent::EmptyFrame},
      {12, kLabelBaseDigit, SlotContent::StartNumber}, {15, kLabelChangeTo, SlotContent::DateAndTime},
      {16, kLabelFormatDate, SlotContent::DateFormat}, {17, kLabelFormatDate, SlotContent::DateFormat},
      {18, kLabelRenameTo, SlotContent::NameParts},    {19, kLabelDots, SlotContent::EmptyFrame}};
  for (const Case& c : cases) {
    EXPECT_EQ(SlotLabelFor(c.op), c.label) << c.op;
    EXPECT_EQ(SlotContentFor(c.op), c.content) << c.op;
  }
}

TEST(Texts, EveryInlineControlFindsItsMarkerAndADashRun) {
  const OperationPanelTexts& en = EnglishPanelTexts();
  for (int op : kPanelOperations) {
    EXPECT_FALSE(en.captions[static_cast<size_t>(op)].empty()) << op;
    EXPECT_FALSE(en.hints[static_cast<size_t>(op)].empty()) << op;
  }
  for (const InlineRule& rule : kInlineRules) {
    const std::wstring& caption = en.captions[static_cast<size_t>(rule.measured)];
    const std::wstring head = CaptionToMarker(caption, rule.marker);
    EXPECT_EQ(head.back(), rule.marker) << rule.measured;
    const bool ownLine = rule.control == InlineControl::EveryWord || rule.control == InlineControl::NumberStyle;
    if (!ownLine) {
      EXPECT_GE(DashRunAfterMarker(caption, rule.marker).size(), 10u) << rule.measured;
    }
  }
  EXPECT_EQ(CaptionToMarker(L"no marker here", L'['), L"no marker here") << "the control then follows the text";
  EXPECT_EQ(DashRunAfterMarker(L"no marker here", L'['), L"");
  EXPECT_EQ(DashRunAfterMarker(L"a [---.--  b", L'['), L"---.--");
}

TEST(RadioTops, LinesStayInsideThePanelWithoutTouching) {
  const RadioGeometry g;
  const std::array<int, 20> tops = RadioTops(g);
  for (size_t column = 0; column < 2; ++column) {
    const size_t from = column == 0 ? 0 : kLeftColumnCount,
                 to = column == 0 ? kLeftColumnCount : kPanelOperations.size();
    EXPECT_EQ(tops[static_cast<size_t>(kPanelOperations[from])], g.top) << "both columns start on the first line";
    for (size_t i = from; i < to; ++i) {
      const int top = tops[static_cast<size_t>(kPanelOperations[i])];
      EXPECT_LE(top + g.lineHeight, g.bottom) << kPanelOperations[i];
      if (i + 1 < to) {
        EXPECT_GE(tops[static_cast<size_t>(kPanelOperations[i + 1])], top + g.lineHeight);
      }
    }
  }
  // The lines that share a control stand a pair's pitch apart, the others wider.
  EXPECT_EQ(tops[2] - tops[1], g.pairPitch);
  EXPECT_EQ(tops[11] - tops[10], g.pairPitch);
  EXPECT_EQ(tops[17] - tops[16], g.pairPitch);
  EXPECT_GT(tops[3] - tops[2], g.pairPitch);
  // Rows after the first pair line up across the columns.
  EXPECT_EQ(tops[3], tops[19]);
  EXPECT_EQ(tops[5], tops[15]);
}

TEST(TextTables, NumberedAccessorsStopAtTheirEnds) {
  for (Language language : {Language::English, Language::Portuguese}) {
    const OperationPanelTexts& panel = PanelTexts(language);
    for (int op = -1; op <= 20; ++op) {
      const bool radio = HasRadioButton(op);
      EXPECT_EQ(OperationCaption(op, language).empty(), !radio) << op;
      EXPECT_EQ(OperationHint(op, language).empty(), !radio) << op;
      if (op >= 0 && op < 20) {
        EXPECT_EQ(panel.captions[static_cast<size_t>(op)], OperationCaption(op, language)) << op;
      }
    }
    EXPECT_TRUE(SlotLabelText(0, language).empty());
    EXPECT_FALSE(SlotLabelText(7, language).empty());
    EXPECT_TRUE(SlotLabelText(8, language).empty());
    EXPECT_TRUE(ValueNameText(0, language).empty());
    EXPECT_TRUE(ValueNameText(9, language).empty());
  }
  EXPECT_EQ(OperationCaption(6, Language::English), L"Capitalize first letter   |");
  EXPECT_EQ(OperationHint(19, Language::English), L"Trim all from xxx to xxx from end");
  EXPECT_EQ(SlotLabelText(kLabelRemoveIt, Language::Portuguese), L" < Remover ...");
  EXPECT_EQ(ValueNameText(8, Language::English), L"( ## + extention )");
  EXPECT_EQ(&EnglishPanelTexts(), &PanelTexts(Language::English));
  EXPECT_EQ(PanelTexts(Language::Portuguese).valueNames[6], L"( n\u00ba + nome + ext.)");
}
