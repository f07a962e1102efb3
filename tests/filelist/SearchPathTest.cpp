#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/Path.h"
#include "filelist/SearchPath.h"

using namespace rn;

namespace {
using Cases = std::vector<std::pair<std::wstring, std::wstring>>;
}

TEST(SearchPath, FolderPartEndsAtTheLastBackslash) {
  for (const auto& [path, folder] : Cases{{L"c:\\photos\\2014\\*.jpg", L"c:\\photos\\2014\\"},
                                          {L"c:\\*.*", L"c:\\"},
                                          {L"c:\\photos\\", L"c:\\photos\\"},
                                          {L"*.jpg", L""},
                                          {L"", L""}})
    EXPECT_EQ(SearchFolderOf(path), folder);
}

TEST(SearchPath, AsFolderAppendsOneBackslashOnly) {
  for (const auto& [given, folder] : Cases{{L"C:\\data", L"C:\\data\\"},
                                           {L"C:\\data\\", L"C:\\data\\"},
                                           {L"E:\\", L"E:\\"},
                                           {L"\\\\server\\share", L"\\\\server\\share\\"},
                                           {L"  ", L""},
                                           {L"", L""}})
    EXPECT_EQ(AsFolder(given), folder);
}

TEST(SearchPath, FirstShowStartsFromTheLastFolderLaterShowsKeepTheBoxFolder) {
  // First use: the last folder is taken whole, with or without its backslash.
  EXPECT_EQ(ShownSearchPath(L"", L"C:\\Photos", L"*.jpg"), L"C:\\Photos\\*.jpg");
  EXPECT_EQ(ShownSearchPath(L"   ", L"C:\\Photos\\", L"*.jpg"), L"C:\\Photos\\*.jpg");
  EXPECT_EQ(ShownSearchPath(L"", L"", L"*.jpg"), L"*.jpg");
  // Later: the box's folder stays and the mask is replaced, whatever the last folder is now.
  EXPECT_EQ(ShownSearchPath(L"d:\\music\\*.jpg", L"C:\\Photos", L"*.mp3"), L"d:\\music\\*.mp3");
  EXPECT_EQ(ShownSearchPath(L"d:\\music\\*.jpg", L"C:\\Photos", L""), L"d:\\music\\");
}
