#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/FileChange.h"
#include "engine/TimeStamp.h"
#include "filelist/FileTime.h"
#include "support/TempFolder.h"

using namespace rn;

namespace {

bool OnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void SkipNote(const char* what) { std::printf("[  SKIPPED ] %s\n", what); }

constexpr DWORD kFourBits =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

class FileChange : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = temp_.Folder() + L"x.jpg";
    folder_ = temp_.Folder() + L"sub";
    std::ofstream(temp_.path / "x.jpg", std::ios::binary) << "x";
    std::filesystem::create_directories(temp_.path / "sub");
  }
  void TearDown() override {
    // Read-only entries go with their folder once they are plain again.
    SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW(folder_.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  static RenameTask Attributes(AttributeSet set) {
    RenameTask t;
    t.Operation = kOpAttributes;
    t.Attributes = set;
    return t;
  }
  static RenameTask Stamp(int part, const wchar_t* date, const wchar_t* time) {
    RenameTask t;
    t.Operation = kOpChangeDateTime;
    t.SetDatePart = part;
    t.NewDate = date;
    t.NewTime = time;
    return t;
  }
  static DateTime Read(const std::wstring& path, DateType type) {
    return ReadFileTime(path, type).value_or(DateTime{1, 1, 1, 0, 0, 0});
  }
  // Both paths start at known, different stamps.
  void Stamp2014() {
    for (const std::wstring& p : {file_, folder_}) {
      ASSERT_TRUE(WriteFileTime(p, {2014, 3, 25, 18, 53, 4}, DateModified));
      WriteFileTime(p, {2010, 6, 1, 9, 30, 0}, DateCreated);
    }
  }
  // Wine reports the last-write time as the creation time.
  bool CreationHeld(const std::wstring& path) const {
    return Read(path, DateCreated) == DateTime{2010, 6, 1, 9, 30, 0};
  }

  rntest::TempFolder temp_;
  std::wstring file_, folder_;
};

}  // namespace

TEST_F(FileChange, AttributesBecomeExactlyTheChosenSet) {
  ASSERT_TRUE(SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ApplyAttributeChange(file_, Attributes({.Archive = true})), 0u);
  EXPECT_EQ(GetFileAttributesW(file_.c_str()) & kFourBits, FILE_ATTRIBUTE_ARCHIVE);

  EXPECT_EQ(ApplyAttributeChange(file_, Attributes({true, true, true, true})), 0u);
  EXPECT_EQ(GetFileAttributesW(file_.c_str()) & kFourBits, kFourBits);

  // The empty set clears them all.
  EXPECT_EQ(ApplyAttributeChange(file_, Attributes({})), 0u);
  const DWORD cleared = GetFileAttributesW(file_.c_str()) & kFourBits;
  if (cleared == FILE_ATTRIBUTE_ARCHIVE && OnWine())
    SkipNote("cleared archive bit: Wine always reports the archive bit on files");
  else
    EXPECT_EQ(cleared, 0u);
}

TEST_F(FileChange, AttributesOfAFolderKeepItAFolder) {
  EXPECT_EQ(ApplyAttributeChange(folder_, Attributes({.Hidden = true})), 0u);
  DWORD a = GetFileAttributesW(folder_.c_str());
  EXPECT_EQ(a & (FILE_ATTRIBUTE_DIRECTORY | kFourBits), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

  EXPECT_EQ(ApplyAttributeChange(folder_, Attributes({.ReadOnly = true, .System = true})), 0u);
  a = GetFileAttributesW(folder_.c_str());
  EXPECT_TRUE(a & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(a & FILE_ATTRIBUTE_SYSTEM);
  EXPECT_FALSE(a & FILE_ATTRIBUTE_HIDDEN);
  if (!(a & FILE_ATTRIBUTE_READONLY) && OnWine())
    SkipNote("read-only folder: Wine keeps no read-only flag on folders");
  else
    EXPECT_TRUE(a & FILE_ATTRIBUTE_READONLY);

  EXPECT_EQ(ApplyAttributeChange(folder_, Attributes({})), 0u);
  EXPECT_EQ(GetFileAttributesW(folder_.c_str()) & kFourBits, 0u);
}

TEST_F(FileChange, AttributesOfAMissingEntryGiveTheSystemsError) {
  EXPECT_EQ(ApplyAttributeChange(temp_.Folder() + L"missing.txt", Attributes({.Archive = true})), ERROR_FILE_NOT_FOUND);
}

TEST_F(FileChange, ModifiedTypeChangesTheLastWriteTimeOnly) {
  const DateLocale& l = PortableDateLocale();
  for (const std::wstring& p : {file_, folder_}) {
    Stamp2014();
    const bool creationHeld = CreationHeld(p);
    EXPECT_EQ(ApplyTimeStampChange(p, Stamp(kDatePartDate, L"01-01-2020", L"07:00:00"), DateModified, l), 0u);
    EXPECT_EQ(Read(p, DateModified), (DateTime{2020, 1, 1, 18, 53, 4}));
    EXPECT_EQ(ApplyTimeStampChange(p, Stamp(kDatePartTime, L"01-01-2020", L"07:00:00"), DateModified, l), 0u);
    EXPECT_EQ(Read(p, DateModified), (DateTime{2020, 1, 1, 7, 0, 0}));
    EXPECT_EQ(ApplyTimeStampChange(p, Stamp(kDatePartBoth, L"24-12-1999", L"23:59:59"), DateModified, l), 0u);
    EXPECT_EQ(Read(p, DateModified), (DateTime{1999, 12, 24, 23, 59, 58}));
    if (!creationHeld && OnWine())
      SkipNote("creation time left alone: Wine reports the last-write time as the creation time");
    else
      EXPECT_EQ(Read(p, DateCreated), (DateTime{2010, 6, 1, 9, 30, 0}));
  }
}

TEST_F(FileChange, CreatedTypeChangesTheCreationTimeOnly) {
  const DateLocale& l = PortableDateLocale();
  for (const std::wstring& p : {file_, folder_}) {
    Stamp2014();
    const bool creationHeld = CreationHeld(p);
    EXPECT_EQ(ApplyTimeStampChange(p, Stamp(kDatePartTime, L"01-01-2020", L"07:00:00"), DateCreated, l), 0u);
    EXPECT_EQ(Read(p, DateModified), (DateTime{2014, 3, 25, 18, 53, 4}));
    if (!creationHeld && OnWine())
      SkipNote("new creation time: Wine cannot set a creation time");
    else
      EXPECT_EQ(Read(p, DateCreated), (DateTime{2010, 6, 1, 7, 0, 0}));
  }
}

TEST_F(FileChange, ReadOnlyFilesTakeANewStamp) {
  ASSERT_TRUE(SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(
      ApplyTimeStampChange(file_, Stamp(kDatePartBoth, L"02-02-2002", L"02:02:02"), DateModified, PortableDateLocale()),
      0u);
  EXPECT_EQ(Read(file_, DateModified), (DateTime{2002, 2, 2, 2, 2, 2}));
}

TEST_F(FileChange, StampsThatCannotBeWrittenLeaveTheEntryAlone) {
  const DateLocale& l = PortableDateLocale();
  ASSERT_TRUE(WriteFileTime(file_, {2014, 3, 25, 18, 53, 4}, DateModified));
  EXPECT_EQ(ApplyTimeStampChange(file_, Stamp(kDatePartBoth, L"31-12-1979", L"12:00:00"), DateModified, l),
            static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(ApplyTimeStampChange(file_, Stamp(kDatePartDate, L"not a date", L""), DateModified, l),
            static_cast<DWORD>(ERROR_INVALID_DATA));
  // Held open by another program without sharing.
  HANDLE h = CreateFileW(file_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ApplyTimeStampChange(file_, Stamp(kDatePartBoth, L"01-01-2020", L"12:00:00"), DateModified, l),
            static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(h);
  EXPECT_EQ(Read(file_, DateModified), (DateTime{2014, 3, 25, 18, 53, 4}));
  EXPECT_EQ(
      ApplyTimeStampChange(temp_.Folder() + L"missing.txt", Stamp(kDatePartBoth, L"01-01-2020", L"12:00:00"), DateModified, l),
      static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileChange, TheUsersOwnFormatsWorkToo) {
  const DateLocale l = SystemDateLocale();
  Stamp2014();
  const std::wstring date = l.shortDate({2021, 7, 9, 0, 0, 0});
  const std::wstring time = l.longTime({1980, 1, 1, 15, 4, 6});
  EXPECT_EQ(ApplyTimeStampChange(file_, Stamp(kDatePartBoth, date.c_str(), time.c_str()), DateModified, l), 0u);
  EXPECT_EQ(Read(file_, DateModified), (DateTime{2021, 7, 9, 15, 4, 6}));
}
