#include <gtest/gtest.h>

#include "filelist/FolderNames.h"

using namespace rn;

namespace {

// A disk whose folders each hold one file, "disk.txt", and that counts its reads.
struct CountingDisk {
  int reads = 0;
  FolderScan Scan() {
    return [this](const std::wstring&, const std::function<void(FolderEntry &&)>& each) {
      ++reads;
      each(FolderEntry{L"disk.txt", false, {}});
      return true;
    };
  }
};

}  // namespace

TEST(FolderNames, AnAdoptedListingAnswersWithoutReadingTheFolder) {
  CountingDisk disk;
  FolderNames names(disk.Scan());
  names.Adopt(L"C:\\Photos\\", {{L"IMG_1.JPG", false, {1, 2, 3}}, {L"Old", true, {}}});
  const FolderEntry* found = names.Find(L"c:\\photos\\", L"img_1.jpg");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, L"IMG_1.JPG");
  EXPECT_EQ(found->ticks[1], 2u);
  EXPECT_TRUE(names.Find(L"C:\\Photos\\", L"OLD")->isDir);
  EXPECT_EQ(names.Find(L"C:\\Photos\\", L"disk.txt"), nullptr);
  EXPECT_EQ(disk.reads, 0);
}

TEST(FolderNames, AListingAdoptedLaterReplacesTheOneReadAndForgettingReadsAgain) {
  CountingDisk disk;
  FolderNames names(disk.Scan());
  ASSERT_NE(names.Find(L"C:\\A\\", L"disk.txt"), nullptr);  // read, and kept at hand
  names.Adopt(L"C:\\A\\", {{L"new.txt", false, {}}});
  EXPECT_EQ(names.Find(L"C:\\A\\", L"disk.txt"), nullptr);
  EXPECT_NE(names.Find(L"C:\\A\\", L"new.txt"), nullptr);
  names.Forget();
  EXPECT_NE(names.Find(L"C:\\A\\", L"disk.txt"), nullptr);
  EXPECT_EQ(disk.reads, 2);
}
