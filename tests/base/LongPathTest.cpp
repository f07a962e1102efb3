// The extended-length form the file-system calls take and the normal spelling
// the rows keep.
#include <gtest/gtest.h>

#include "base/LongPath.h"

using namespace rn;

TEST(LongPath, TheExtendedFormOfEachKindOfPath) {
  const struct {
    const wchar_t* path;
    const wchar_t* extended;
  } cases[] = {
      {L"C:\\a\\b.txt", L"\\\\?\\C:\\a\\b.txt"},
      {L"c:\\", L"\\\\?\\c:\\"},
      {L"C:\\a\\sub\\", L"\\\\?\\C:\\a\\sub\\"},
      {L"\\\\server\\share\\x.txt", L"\\\\?\\UNC\\server\\share\\x.txt"},
      {L"//server/share/x/y", L"\\\\?\\UNC\\server\\share\\x\\y"},
      {L"C:/a/b//c.txt", L"\\\\?\\C:\\a\\b\\c.txt"},
      {L"C:\\a\\.\\b\\..\\c.txt", L"\\\\?\\C:\\a\\c.txt"},
      {L"C:\\..\\..\\a", L"\\\\?\\C:\\a"},
      {L"\\\\server\\share\\..\\x", L"\\\\?\\UNC\\server\\share\\x"},
      {L"C:\\a\\*.*", L"\\\\?\\C:\\a\\*.*"},
      {L"C:\\a\\...\\b. ", L"\\\\?\\C:\\a\\...\\b. "},
      // Left as they are: relative, drive-relative, rooted, a server without a
      // share, already extended, devices.
      {L"a\\b.txt", L"a\\b.txt"},
      {L"..\\b.txt", L"..\\b.txt"},
      {L"C:b.txt", L"C:b.txt"},
      {L"\\a\\b.txt", L"\\a\\b.txt"},
      {L"\\\\server", L"\\\\server"},
      {L"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},
      {L"\\\\?\\UNC\\s\\x", L"\\\\?\\UNC\\s\\x"},
      {L"\\\\.\\COM1", L"\\\\.\\COM1"},
      {L"", L""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtendedLengthPath(c.path), c.extended) << testing::PrintToString(std::wstring(c.path));
}

TEST(LongPath, OnlyLongPathsReachTheSystemInTheExtendedForm) {
  const std::wstring folder = L"C:\\" + std::wstring(kPlainPathLimit - 10, L'd') + L"\\";
  const std::wstring shortest = folder + std::wstring(kPlainPathLimit - folder.size(), L'f');
  EXPECT_EQ(SystemPath(shortest), L"\\\\?\\" + shortest);
  EXPECT_EQ(SystemPath(shortest.substr(0, shortest.size() - 1)), shortest.substr(0, shortest.size() - 1));
  EXPECT_EQ(SystemPath(L"C:\\a\\..\\b"), L"C:\\a\\..\\b") << "a short path is the system's to read";
  EXPECT_EQ(SystemPath(folder + L"..\\" + std::wstring(20, L'f')), L"\\\\?\\C:\\" + std::wstring(20, L'f'));
}

TEST(LongPath, TheNormalSpellingOfAnExtendedPath) {
  EXPECT_EQ(NormalPath(L"\\\\?\\C:\\a\\b.txt"), L"C:\\a\\b.txt");
  EXPECT_EQ(NormalPath(L"\\\\?\\UNC\\server\\share\\x"), L"\\\\server\\share\\x");
  for (const wchar_t* kept : {L"\\\\?\\Volume{1234}\\a", L"\\\\?\\C:", L"C:\\a", L"\\\\.\\COM1"})
    EXPECT_EQ(NormalPath(kept), kept);
}
