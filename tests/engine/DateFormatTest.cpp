#include <gtest/gtest.h>

#include <string>

#include "engine/DateFormat.h"
#include "engine/Operation.h"

using namespace rn;

namespace {

DateLocale SlashLocale() {
  DateLocale l = PortableDateLocale();
  l.shortDate = [](const DateTime& d) {
    return std::to_wstring(d.month) + L"/" + std::to_wstring(d.day) + L"/" + std::to_wstring(d.year);
  };
  l.monthAbbreviations[2] = L"mar\u00E7o";
  return l;
}

}  // namespace

TEST(FormatDatePattern, EveryEntryOfTheDateFormatBox) {
  const DateTime dt{2014, 3, 5, 8, 7, 4};
  const DateLocale& l = PortableDateLocale();
  const wchar_t* expected[] = {L"[default]",  L"05-03-2014", L"05.03.2014", L"03-05-2014",  L"03.05.2014",
                               L"2014-03-05", L"2014.03.05", L"05-03-14",   L"05.03.14",    L"03-05-14",
                               L"03.05.14",   L"14-03-05",   L"14.03.05",   L"05-Mar-2014", L"05.Mar.2014",
                               L"05032014",   L"03052014",   L"20140305"};
  // "[default]" is replaced before formatting; as a pattern its letters stand for themselves
  // except the tokens inside it.
  EXPECT_EQ(FormatDatePattern(L"[default]", dt, l), L"[default]");
  for (size_t i = 1; i < kDateFormats.size(); ++i) EXPECT_EQ(FormatDatePattern(kDateFormats[i], dt, l), expected[i]);
  EXPECT_EQ(FormatDatePattern(L"hh.nn.ss", dt, l), L"08.07.04");
  EXPECT_EQ(FormatDatePattern(L"hh.nn.ss", {2014, 3, 5, 23, 59, 58}, l), L"23.59.58");
}

TEST(FormatDatePattern, TokensLongestFirstOthersStandForThemselves) {
  const DateTime dt{2009, 12, 31, 0, 0, 0};
  const DateLocale l = SlashLocale();
  EXPECT_EQ(FormatDatePattern(L"ddddd", dt, l), L"12/31/2009");
  EXPECT_EQ(FormatDatePattern(L"ddddd-hh.nn.ss", dt, l), L"12/31/2009-00.00.00");
  EXPECT_EQ(FormatDatePattern(L"ddd", dt, l), L"31d");
  EXPECT_EQ(FormatDatePattern(L"mmmm", dt, l), L"Decm");
  EXPECT_EQ(FormatDatePattern(L"dd mmm", {2009, 3, 1, 0, 0, 0}, l), L"01 mar\u00E7o");
  EXPECT_EQ(FormatDatePattern(L"yyy", dt, l), L"09y");
  EXPECT_EQ(FormatDatePattern(L"DD-MM x", dt, l), L"DD-MM x");
  EXPECT_EQ(FormatDatePattern(L"", dt, l), L"");
  // A month outside the year gives no name rather than reading past the table.
  EXPECT_EQ(FormatDatePattern(L"<mmm>", {2009, 13, 1, 0, 0, 0}, l), L"<>");
  EXPECT_EQ(FormatDatePattern(L"<mmm>", {2009, 0, 1, 0, 0, 0}, l), L"<>");
}

TEST(DateStamp, DateTimeOrBoth) {
  const DateTime dt{2014, 3, 25, 18, 53, 4};
  const DateLocale& l = PortableDateLocale();
  EXPECT_EQ(DateStamp(kDatePartDate, L"yyyy-mm-dd", dt, l), L"2014-03-25");
  EXPECT_EQ(DateStamp(kDatePartTime, L"yyyy-mm-dd", dt, l), L"18.53.04");
  EXPECT_EQ(DateStamp(kDatePartBoth, L"dd-mm-yyyy", dt, l), L"25-03-2014-18.53.04");
  EXPECT_EQ(DateStampPattern(kDatePartBoth, kDefaultDateFormat), L"ddddd-hh.nn.ss");
  EXPECT_EQ(DateStampPattern(kDatePartDate, kDefaultDateFormat), L"ddddd");
  EXPECT_EQ(DateStamp(kDatePartDate, kDefaultDateFormat, dt, l), L"25-03-2014");
  EXPECT_FALSE(DateStamp(0, L"yyyy", dt, l));
  EXPECT_FALSE(DateStamp(4, L"yyyy", dt, l));
}

TEST(ReadDate, InTheFormatsOrderWithRealDatesOnly) {
  EXPECT_EQ(DateOrderOf(L"dd/MM/yyyy"), DateOrder::DMY);
  EXPECT_EQ(DateOrderOf(L"M/d/yyyy"), DateOrder::MDY);
  EXPECT_EQ(DateOrderOf(L"yyyy-MM-dd"), DateOrder::YMD);
  EXPECT_EQ(DateOrderOf(L""), DateOrder::DMY);

  const auto d = ReadDate(L"25-03-2014", DateOrder::DMY, L"-");
  ASSERT_TRUE(d);
  EXPECT_EQ(*d, (DateTime{2014, 3, 25, 0, 0, 0}));
  EXPECT_EQ(ReadDate(L" 3/25/2014 ", DateOrder::MDY, L"/"), (DateTime{2014, 3, 25, 0, 0, 0}));
  EXPECT_EQ(ReadDate(L"2014.3.25", DateOrder::YMD, L"-"), (DateTime{2014, 3, 25, 0, 0, 0}));
  EXPECT_EQ(ReadDate(L"1.1.20", DateOrder::DMY, L"/")->year, 2020);
  EXPECT_EQ(ReadDate(L"1.1.79", DateOrder::DMY, L"/")->year, 1979);
  EXPECT_EQ(ReadDate(L"29. 2. 2016", DateOrder::DMY, L". ")->day, 29);
  EXPECT_TRUE(ReadDate(L"29-02-2000", DateOrder::DMY, L"-"));
  for (const wchar_t* bad : {L"29-02-1900", L"31-04-2014", L"0-1-2014", L"1-13-2014", L"1-1", L"1-1-2014-1", L"",
                             L"a-b-c", L"1--1-2014", L"1-1-2014x", L"-1-1-2014", L"1-1-1234567890", L"1 1 2014"})
    EXPECT_FALSE(ReadDate(bad, DateOrder::DMY, L"-")) << std::wstring(bad).size();
}

TEST(ReadTime, TwentyFourHoursOrWithADesignator) {
  EXPECT_EQ(ReadTime(L"18:53:04", L":", L"AM", L"PM"), (DateTime{1980, 1, 1, 18, 53, 4}));
  EXPECT_EQ(ReadTime(L"04:05:46 PM", L":", L"AM", L"PM")->hour, 16);
  EXPECT_EQ(ReadTime(L"12:00:00 AM", L":", L"AM", L"PM")->hour, 0);
  EXPECT_EQ(ReadTime(L"12:30 pm", L":", L"AM", L"PM")->hour, 12);
  EXPECT_EQ(ReadTime(L"7", L":", L"AM", L"PM"), (DateTime{1980, 1, 1, 7, 0, 0}));
  EXPECT_EQ(ReadTime(L"7.05", L":", L"", L""), (DateTime{1980, 1, 1, 7, 5, 0}));
  EXPECT_EQ(ReadTime(L"9h05 nachm.", L"h", L"vorm.", L"nachm.")->hour, 21);
  for (const wchar_t* bad : {L"24:00:00", L"12:60", L"1:2:60", L"13:00 PM", L"0:00 AM", L"", L"PM", L"1:2:3:4", L"a:b",
                             L"1::2", L"12:00 XM"})
    EXPECT_FALSE(ReadTime(bad, L":", L"AM", L"PM")) << std::wstring(bad).size();
}

TEST(DateLocale, PortableReadsWhatItWrites) {
  const DateLocale& l = PortableDateLocale();
  const DateTime dt{2107, 12, 31, 23, 59, 58};
  EXPECT_EQ(l.readShortDate(l.shortDate(dt)), (DateTime{2107, 12, 31, 0, 0, 0}));
  EXPECT_EQ(l.readLongTime(l.longTime(dt)), (DateTime{1980, 1, 1, 23, 59, 58}));
  EXPECT_EQ(CombineDateAndTime({2014, 3, 25, 1, 2, 3}, {1980, 1, 1, 18, 53, 4}), (DateTime{2014, 3, 25, 18, 53, 4}));
}

// The system's own formats (the fixed ones natively) must read back what they
// write, or operation 15 could not keep the part it does not change.
TEST(DateLocale, SystemReadsWhatItWrites) {
  const DateLocale l = SystemDateLocale();
  for (const DateTime& dt : {DateTime{2014, 3, 25, 18, 53, 4}, DateTime{1980, 1, 1, 0, 0, 0},
                             DateTime{2040, 11, 9, 12, 0, 0}, DateTime{2000, 2, 29, 0, 30, 0}}) {
    const auto date = l.readShortDate(l.shortDate(dt));
    ASSERT_TRUE(date) << std::string(l.shortDate(dt).begin(), l.shortDate(dt).end());
    EXPECT_EQ(date->year, dt.year);
    EXPECT_EQ(date->month, dt.month);
    EXPECT_EQ(date->day, dt.day);
    const auto time = l.readLongTime(l.longTime(dt));
    ASSERT_TRUE(time);
    EXPECT_EQ(time->hour, dt.hour);
    EXPECT_EQ(time->minute, dt.minute);
  }
  for (const std::wstring& m : l.monthAbbreviations) EXPECT_FALSE(m.empty());
}
