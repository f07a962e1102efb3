#include <gtest/gtest.h>

#include "base/Text.h"
#include "filelist/FileList.h"
#include "filelist/FileTime.h"

using namespace rn;

TEST(ShortenPath, WholeWithinBudgetShortenedBeyond) {
  const std::wstring path(40, L'a');
  EXPECT_EQ(ShortenPath(path, 40), path);
  EXPECT_EQ(ShortenPath(path, 41), path);
  EXPECT_NE(ShortenPath(path, 39), path);
}

TEST(ShortenPath, BudgetOf98KeepsHead21AndTail64) {
  std::wstring path;
  for (int i = 0; i < 200; ++i) path += static_cast<wchar_t>(L'A' + i % 26);
  const std::wstring s = ShortenPath(path, 98);
  ASSERT_EQ(s.size(), 90u);
  EXPECT_EQ(s.substr(0, 21), path.substr(0, 21));
  EXPECT_EQ(s.substr(21, 5), L" ... ");
  EXPECT_EQ(s.substr(26), path.substr(200 - 64));
}

TEST(ShortenPath, TinyAndNegativeBudgetsStayInsideTheText) {
  const std::wstring path = L"C:\\a\\b.txt";
  for (int budget : {-5, 0, 1, 3, 4, 11, 12, 15}) {
    std::wstring s = ShortenPath(path, budget);
    EXPECT_LE(s.size(), path.size() + 5) << budget;
  }
  EXPECT_EQ(ShortenPath(path, 0), L" ... ");
  EXPECT_EQ(ShortenPath(L"", 0), L"");
  // q = 3: no head; tail of 3q-8 = 1 character.
  EXPECT_EQ(ShortenPath(L"C:\\folder\\b.txt", 12), L" ... t");
}

TEST(ShortenPath, CountsCharactersAndNeverCutsAPair) {
  std::wstring path;
  for (int i = 0; i < 50; ++i) path += i % 2 ? L"\U0001F600" : L"a";
  EXPECT_EQ(ShortenPath(path, 50), path);
  const std::wstring s = ShortenPath(path, 20);  // q = 5: 2 characters, " ... ", 7 characters
  EXPECT_EQ(s, L"a\U0001F600 ... \U0001F600a\U0001F600a\U0001F600a\U0001F600");
  EXPECT_FALSE(HasLoneSurrogate(s));
}

TEST(PathBudget, SixteenPercentTruncated) {
  EXPECT_EQ(PathBudgetForWidth(612), 97);
  EXPECT_EQ(PathBudgetForWidth(100), 16);
  EXPECT_EQ(PathBudgetForWidth(6), 0);
}

TEST(ListCaption, CountsEntries) {
  EXPECT_EQ(ListCaption(0), L"  Rename  *.*");
  EXPECT_EQ(ListCaption(1), L"  Rename  *.*    [1 items]");
  EXPECT_EQ(ListCaption(120000), L"  Rename  *.*    [120000 items]");
}

TEST(FileList, StartsAsOneBlankRowOfNineColumns) {
  FileList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.EntryCount(), 0);
  EXPECT_EQ(list.ColumnCount(), 9);
  for (int c = 0; c < 9; ++c) EXPECT_EQ(list.Cell(c, 0), L"") << c;
}

TEST(FileList, AddRowFillsTheBlankRowThenAppends) {
  FileList list;
  EXPECT_EQ(list.AddRow(L"C:\\data\\Report.Final.txt", false, L"2014/03/25"), 0);
  EXPECT_EQ(list.EntryCount(), 1);
  EXPECT_EQ(list.AddRow(L"C:\\data\\Photos", true, L""), 1);
  EXPECT_EQ(list.EntryCount(), 2);

  EXPECT_EQ(list.Cell(ColCheckMark, 0), L"v");
  EXPECT_EQ(list.Cell(ColShortPath, 0), L"C:\\data\\Report.Final.txt");
  EXPECT_EQ(list.Cell(ColFolder, 0), L"C:\\data\\");
  EXPECT_EQ(list.Cell(ColExt, 0), L".txt");
  EXPECT_EQ(list.Cell(ColFileDate, 0), L"2014/03/25");
  EXPECT_EQ(list.Cell(ColFileName, 0), L"Report.Final.txt");
  EXPECT_EQ(list.Cell(ColFullPath, 0), L"C:\\data\\Report.Final.txt");
  EXPECT_EQ(list.Cell(ColPrevName, 0), L"");
  EXPECT_EQ(list.Cell(ColExt, 1), L"[dir]");
  EXPECT_EQ(list.Cell(ColFileName, 1), L"Photos");
  EXPECT_TRUE(list.Row(1).isDir);
}

TEST(FileList, PathIndexFindsEveryRowOfALongListAndEveryDuplicate) {
  // Enough rows for the index to grow many times over, with and without a rebuild.
  FileList list;
  auto path = [](int i) {
    return L"C:\\data\\f" + std::to_wstring(i / 1000) + L"\\IMG_" + std::to_wstring(i) + L".JPG";
  };
  for (int i = 0; i < 5000; ++i) list.AddRow(path(i), false, L"");
  list.AddRow(L"C:\\DATA\\f2\\img_2345.jpg", false, L"");  // the same file spelled otherwise
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 5000; ++i) ASSERT_TRUE(list.ContainsPath(path(i))) << i;
    EXPECT_FALSE(list.ContainsPath(path(5000)));
    EXPECT_FALSE(list.ContainsPath(L"C:\\data\\f2\\IMG_2345.JP"));
    EXPECT_EQ(list.RowsWithPath(L"c:\\data\\F2\\IMG_2345.JPG"), (std::vector<int>{2345, 5000}));
    list.SetCell(ColCheckMark, 0, L"");  // a change that rebuilds the index
  }
  list.RemoveRows(0, 2344);
  EXPECT_EQ(list.RowsWithPath(path(2345)), (std::vector<int>{0, 2655}));
  EXPECT_FALSE(list.ContainsPath(path(2344)));
}

TEST(FileList, FolderWithDotIsStillDirAndNameWithoutDotHasNoExt) {
  FileList list;
  list.AddRow(L"C:\\x\\v1.2", true, L"");
  list.AddRow(L"C:\\x\\README", false, L"");
  EXPECT_EQ(list.Cell(ColExt, 0), L"[dir]");
  EXPECT_EQ(list.Cell(ColExt, 1), L"");
}

TEST(FileList, WritingFolderOrNameKeepsFullPathDerived) {
  FileList list;
  list.AddRow(L"C:\\old\\a.txt", false, L"");
  list.SetCell(ColFileName, 0, L"b.txt");
  EXPECT_EQ(list.Cell(ColFullPath, 0), L"C:\\old\\b.txt");
  list.SetCell(ColFolder, 0, L"D:\\new\\");
  EXPECT_EQ(list.Cell(ColFullPath, 0), L"D:\\new\\b.txt");
  EXPECT_EQ(list.Cell(ColShortPath, 0), L"D:\\new\\b.txt");
  list.SetCell(ColFullPath, 0, L"E:\\z\\c.doc");
  EXPECT_EQ(list.Cell(ColFolder, 0), L"E:\\z\\");
  EXPECT_EQ(list.Cell(ColFileName, 0), L"c.doc");
}

TEST(FileList, HistoryCellsGrowTheColumnCountAndClearResets) {
  FileList list;
  list.AddRow(L"C:\\a.txt", false, L"");
  list.SetCell(ColPrevName, 0, L"a0.txt");
  list.SetCell(ColHistory + 2, 0, L"run3.txt");
  EXPECT_EQ(list.Cell(ColHistory + 2, 0), L"run3.txt");
  EXPECT_EQ(list.Cell(ColHistory + 1, 0), L"");
  EXPECT_EQ(list.Cell(ColHistory + 40, 0), L"");
  EXPECT_EQ(list.ColumnCount(), 11);
  list.SetCell(ColHistory + 2, 0, L"");
  EXPECT_EQ(list.Cell(ColHistory + 2, 0), L"");
  list.Clear();
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.ColumnCount(), 9);
}

TEST(FileList, CheckMarkToggles) {
  FileList list;
  list.AddRow(L"C:\\a.txt", false, L"");
  list.SetCell(ColCheckMark, 0, L"");
  EXPECT_EQ(list.Cell(ColCheckMark, 0), L"");
  list.SetCell(ColCheckMark, 0, L"v");
  EXPECT_TRUE(list.Row(0).checked);
}

TEST(FileList, ShortPathFollowsTheBudget) {
  FileList list;
  const std::wstring path = L"C:\\" + std::wstring(100, L'x') + L".txt";
  list.AddRow(path, false, L"");
  list.SetPathBudget(static_cast<int>(path.size()));
  EXPECT_EQ(list.Cell(ColShortPath, 0), path);
  list.SetPathBudget(40);
  EXPECT_EQ(list.Cell(ColShortPath, 0), ShortenPath(path, 40));
}

TEST(FileList, NamesOutsideTheAnsiCodePageAreKept) {
  FileList list;
  const std::wstring greek = L"C:\\\u0391\u03b8\u03ae\u03bd\u03b1\\\u65e5\u672c\u8a9e.\u30c6\u30ad";
  list.AddRow(greek, false, L"");
  EXPECT_EQ(list.Cell(ColFullPath, 0), greek);
  EXPECT_EQ(list.Cell(ColFileName, 0), L"\u65e5\u672c\u8a9e.\u30c6\u30ad");
  EXPECT_EQ(list.Cell(ColExt, 0), L".\u30c6\u30ad");
}

TEST(FileTime, PackingDropsOddSecondsAndClipsTheRange) {
  DateTime odd{2014, 3, 25, 13, 45, 31};
  DateTime back = UnpackDos(PackDos(odd));
  EXPECT_EQ(back, (DateTime{2014, 3, 25, 13, 45, 30}));
  EXPECT_EQ(UnpackDos(PackDos(DateTime{1979, 12, 31, 23, 59, 59})), (DateTime{1980, 1, 1, 0, 0, 0}));
  EXPECT_EQ(UnpackDos(PackDos(DateTime{2107, 12, 31, 23, 59, 59})), (DateTime{2107, 12, 31, 23, 59, 58}));
  EXPECT_EQ(UnpackDos(PackDos(DateTime{2300, 1, 1, 0, 0, 0})).year, 2107);
}

TEST(FileTime, FileDateUsesTheLocaleSeparator) {
  DateTime d{2014, 3, 25, 0, 0, 0};
  EXPECT_EQ(FormatFileDate(d, L"/"), L"2014/03/25");
  EXPECT_EQ(FormatFileDate(d, L"-"), L"2014-03-25");
}

TEST(FileTime, UnknownDateTypeMeansModified) {
  EXPECT_EQ(DateTypeFromSetting(2), DateCreated);
  EXPECT_EQ(DateTypeFromSetting(3), DateAccessed);
  EXPECT_EQ(DateTypeFromSetting(0), DateModified);
  EXPECT_EQ(DateTypeFromSetting(77), DateModified);
}

// "by Date taken": the keys are the moments, made to order as text.
TEST(FileList, SortsByKeysGivenForEveryRowAndIgnoresAKeyListOfAnotherLength) {
  FileList list;
  for (const wchar_t* name : {L"C:\\p\\a.jpg", L"C:\\p\\b.jpg", L"C:\\p\\c.jpg"}) list.AddRow(name, false, L"");
  const auto compare = [](const std::wstring& a, const std::wstring& b) { return a.compare(b); };
  list.SortByKeys({DateSortKey({2021, 5, 1, 10, 20, 30}), DateSortKey({2015, 12, 31, 23, 59, 58}),
                   DateSortKey({2021, 5, 1, 9, 0, 0})},
                  compare);
  EXPECT_EQ(list.Cell(ColFileName, 0), L"b.jpg");
  EXPECT_EQ(list.Cell(ColFileName, 1), L"c.jpg");
  EXPECT_EQ(list.Cell(ColFileName, 2), L"a.jpg");
  list.SortByKeys({L"1"}, compare);
  EXPECT_EQ(list.Cell(ColFileName, 0), L"b.jpg") << "one key for three rows: no order";
}
