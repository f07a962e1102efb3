#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/TimeStamp.h"
#include "filelist/FileTime.h"
#include "support/TempFolder.h"

using namespace rn;
namespace fs = std::filesystem;

TEST(StorableTimeStamp, From1980To2107RealDatesOnly) {
  EXPECT_TRUE(IsStorableTimeStamp({1980, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(IsStorableTimeStamp({2107, 12, 31, 23, 59, 59}));
  EXPECT_TRUE(IsStorableTimeStamp({2016, 2, 29, 12, 0, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({1979, 12, 31, 23, 59, 59}));
  EXPECT_FALSE(IsStorableTimeStamp({2108, 1, 1, 0, 0, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({2015, 2, 29, 0, 0, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({2015, 4, 31, 0, 0, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({2015, 0, 1, 0, 0, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({2015, 1, 1, 24, 0, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({2015, 1, 1, 0, 60, 0}));
  EXPECT_FALSE(IsStorableTimeStamp({2015, 1, 1, 0, 0, -1}));
}

TEST(ChangedTimeStamp, DateOnlyTimeOnlyOrBoth) {
  const DateLocale& l = PortableDateLocale();
  const std::optional<DateTime> current = DateTime{2014, 3, 25, 18, 53, 4};
  RenameTask t;
  t.Operation = kOpChangeDateTime;
  t.NewDate = L"01-01-2020";
  t.NewTime = L"07:00:00";
  t.SetDatePart = kDatePartDate;
  EXPECT_EQ(ChangedTimeStamp(t, current, l), (DateTime{2020, 1, 1, 18, 53, 4}));
  t.SetDatePart = kDatePartTime;
  EXPECT_EQ(ChangedTimeStamp(t, current, l), (DateTime{2014, 3, 25, 7, 0, 0}));
  t.SetDatePart = kDatePartBoth;
  EXPECT_EQ(ChangedTimeStamp(t, current, l), (DateTime{2020, 1, 1, 7, 0, 0}));
  EXPECT_EQ(ChangedTimeStamp(t, std::nullopt, l), (DateTime{2020, 1, 1, 7, 0, 0}));  // current not needed
  t.SetDatePart = 4;
  EXPECT_FALSE(ChangedTimeStamp(t, current, l));
}

TEST(ChangedTimeStamp, TheKeptPartCarriesWhatTheUsersFormatShows) {
  DateLocale l = PortableDateLocale();
  l.longTime = [](const DateTime& d) { return std::to_wstring(d.hour) + L":" + std::to_wstring(d.minute); };
  RenameTask t;
  t.NewDate = L"01-01-2020";
  t.SetDatePart = kDatePartDate;
  EXPECT_EQ(ChangedTimeStamp(t, DateTime{2014, 3, 25, 18, 53, 4}, l), (DateTime{2020, 1, 1, 18, 53, 0}));
}

TEST(ChangedTimeStamp, NothingWhenANeededPartDoesNotRead) {
  const DateLocale& l = PortableDateLocale();
  const std::optional<DateTime> current = DateTime{2014, 3, 25, 18, 53, 4};
  RenameTask t;
  t.NewDate = L"31-02-2020";
  t.NewTime = L"07:00:00";
  t.SetDatePart = kDatePartDate;
  EXPECT_FALSE(ChangedTimeStamp(t, current, l));
  t.SetDatePart = kDatePartTime;  // the date is not used
  EXPECT_TRUE(ChangedTimeStamp(t, current, l));
  EXPECT_FALSE(ChangedTimeStamp(t, std::nullopt, l));
  t.NewTime = L"25:00";
  EXPECT_FALSE(ChangedTimeStamp(t, current, l));
  t.NewDate = L"01-01-2020";
  t.SetDatePart = kDatePartDate;  // the time is not used
  EXPECT_TRUE(ChangedTimeStamp(t, current, l));
}

namespace {

class WriteTime : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_ / "sub");
    std::ofstream(dir_ / "x.jpg") << "x";
    file_ = (dir_ / "x.jpg").wstring();
    folder_ = (dir_ / "sub").wstring();
  }
  rntest::TempFolder temp_;
  fs::path dir_ = temp_.path;
  std::wstring file_, folder_;
};

}  // namespace

TEST_F(WriteTime, ModifiedTimeOfFilesAndFoldersAtTwoSecondSteps) {
  for (const std::wstring& path : {file_, folder_}) {
    ASSERT_TRUE(WriteFileTime(path, {2014, 3, 25, 18, 53, 5}, DateModified));
    EXPECT_EQ(ReadFileTime(path, DateModified), (DateTime{2014, 3, 25, 18, 53, 4}));
    ASSERT_TRUE(WriteFileTime(path, {1980, 1, 1, 0, 0, 0}, DateModified));
    EXPECT_EQ(ReadFileTime(path, DateModified), (DateTime{1980, 1, 1, 0, 0, 0}));
    // The accessed type is no creation type: the last-write time is set.
    ASSERT_TRUE(WriteFileTime(path, {2107, 12, 31, 23, 59, 59}, DateAccessed));
    EXPECT_EQ(ReadFileTime(path, DateModified), (DateTime{2107, 12, 31, 23, 59, 58}));
  }
}

TEST_F(WriteTime, UnstorableStampsAndMissingPathsChangeNothing) {
  ASSERT_TRUE(WriteFileTime(file_, {2014, 3, 25, 18, 53, 4}, DateModified));
  EXPECT_FALSE(WriteFileTime(file_, {1979, 12, 31, 23, 59, 58}, DateModified));
  EXPECT_FALSE(WriteFileTime(file_, {2014, 2, 30, 0, 0, 0}, DateModified));
  EXPECT_FALSE(WriteFileTime(file_, {2108, 1, 1, 0, 0, 0}, DateModified));
  EXPECT_EQ(ReadFileTime(file_, DateModified), (DateTime{2014, 3, 25, 18, 53, 4}));
  EXPECT_FALSE(WriteFileTime((dir_ / "missing.txt").wstring(), {2014, 3, 25, 18, 53, 4}, DateModified));
  EXPECT_FALSE(fs::exists(dir_ / "missing.txt"));
}
