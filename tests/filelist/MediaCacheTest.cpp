#include <gtest/gtest.h>

#include "filelist/MediaCache.h"

using namespace rn;

// A file is read once while its size and last write stay; a change of either reads it again.
TEST(MediaCache, ReadsAFileOnceUntilItsSizeOrLastWriteChanges) {
  int reads = 0;
  MediaCache cache([&](const std::wstring& path) {
    ++reads;
    MediaFields m;
    m.Title = path + L" #" + std::to_wstring(reads);
    return m;
  });
  const struct {
    const wchar_t* path;
    uint64_t size, lastWrite;
    int readsAfter;
  } steps[] = {{L"a.mp3", 10, 1, 1}, {L"a.mp3", 10, 1, 1}, {L"b.mp3", 10, 1, 2},
               {L"a.mp3", 11, 1, 3}, {L"a.mp3", 11, 2, 4}, {L"a.mp3", 11, 2, 4}};
  for (const auto& s : steps) {
    const MediaFields& m = cache.Fields(s.path, s.size, s.lastWrite);
    EXPECT_EQ(reads, s.readsAfter) << s.readsAfter;
    EXPECT_EQ(m.Title.substr(0, 5), std::wstring(s.path));
    EXPECT_TRUE(cache.Has(s.path, s.size, s.lastWrite));
  }
  EXPECT_FALSE(cache.Has(L"a.mp3", 11, 3));
  cache.Forget();
  EXPECT_FALSE(cache.Has(L"a.mp3", 11, 2));
}
