// The undo log in the rows' history cells: two runs and their undos, rows
// left alone, and the rows lying directly in a renamed folder.
#include <gtest/gtest.h>

#include <set>

#include "engine/RunLog.h"

using namespace rn;

namespace {

struct Disk {
  std::set<std::wstring> names;
  bool Rename(const std::wstring& from, const std::wstring& to) {
    if (!names.count(from) || names.count(to)) return false;
    names.erase(from);
    names.insert(to);
    return true;
  }
};

UndoPorts Ports(const std::function<bool(const std::wstring&, const std::wstring&)>& rename,
                const std::function<void(int)>& progress = nullptr) {
  UndoPorts ports;
  ports.rename = [rename](const std::wstring& f, const std::wstring& t) {
    return rename(f, t) ? RenameResult::Done : RenameResult::Failed;
  };
  ports.temporaryName = [](const std::wstring& folder, size_t n) { return folder + L"~" + std::to_wstring(n); };
  ports.progress = progress;
  return ports;
}

}  // namespace

TEST(RunLog, TwoRunsAndTwoUndosGiveBackTheNamesOfEachLevel) {
  FileList list;
  list.AddRow(L"C:\\d\\a.txt", false, L"");
  list.AddRow(L"C:\\d\\b.txt", false, L"");
  Disk disk{{L"C:\\d\\a.txt", L"C:\\d\\b.txt"}};
  // Run 1 renames both rows, run 2 only the first.
  ASSERT_TRUE(disk.Rename(L"C:\\d\\a.txt", L"C:\\d\\a1.txt"));
  RecordRename(list, 0, 1, L"a.txt", L"a1.txt");
  ASSERT_TRUE(disk.Rename(L"C:\\d\\b.txt", L"C:\\d\\b1.txt"));
  RecordRename(list, 1, 1, L"b.txt", L"b1.txt");
  ASSERT_TRUE(disk.Rename(L"C:\\d\\a1.txt", L"C:\\d\\a2.txt"));
  RecordRename(list, 0, 2, L"a1.txt", L"a2.txt");
  EXPECT_EQ(list.ColumnCount(), 10);
  EXPECT_EQ(list.Cell(ColPrevName, 0), L"a1.txt");

  auto rename = [&](const std::wstring& f, const std::wstring& t) { return disk.Rename(f, t); };
  EXPECT_EQ(UndoRun(list, 2, {}, Ports(rename)).leftAlone, 0);
  EXPECT_EQ(list.Cell(ColFileName, 0), L"a1.txt");
  EXPECT_EQ(list.Cell(ColFileName, 1), L"b1.txt") << "not renamed by run 2: left alone";
  EXPECT_EQ(list.Cell(ColPrevName, 0), L"a2.txt") << "the name before the undo";
  EXPECT_EQ(UndoRun(list, 1, {}, Ports(rename)).leftAlone, 0);
  EXPECT_EQ(list.Cell(ColFullPath, 0), L"C:\\d\\a.txt");
  EXPECT_EQ(list.Cell(ColFullPath, 1), L"C:\\d\\b.txt");
  EXPECT_EQ(disk.names, std::set<std::wstring>({L"C:\\d\\a.txt", L"C:\\d\\b.txt"}));
  EXPECT_EQ(list.ColumnCount(), 9);
}

TEST(RunLog, ARowThatCannotGoBackKeepsItsNameAndIsCounted) {
  FileList list;
  list.AddRow(L"C:\\d\\a.txt", false, L"");
  list.AddRow(L"C:\\d\\new.txt", false, L"");  // added after the run: no PrevName
  RecordRename(list, 0, 1, L"old.txt", L"a.txt");
  Disk disk{{L"C:\\d\\new.txt"}};  // a.txt was deleted behind the program's back
  int visited = 0;
  EXPECT_EQ(UndoRun(list, 1, {},
                    Ports([&](const std::wstring& f, const std::wstring& t) { return disk.Rename(f, t); },
                          [&](int) { ++visited; }))
                .leftAlone,
            1);
  EXPECT_EQ(list.Cell(ColFileName, 0), L"a.txt");
  EXPECT_EQ(list.Cell(ColFileName, 1), L"new.txt");
  EXPECT_EQ(visited, 1) << "only rows some run renamed are visited";
}

TEST(RunLog, RowsDirectlyInARenamedFolderFollowItDeeperOnesDoNot) {
  FileList list;
  list.AddRow(L"C:\\top\\old", true, L"");
  list.AddRow(L"C:\\top\\old\\in.txt", false, L"");
  list.AddRow(L"C:\\top\\old\\sub\\deep.txt", false, L"");
  list.AddRow(L"C:\\top\\older\\other.txt", false, L"");
  RecordRename(list, 0, 1, L"old", L"new");
  FollowRenamedFolders(list);
  EXPECT_EQ(list.Cell(ColFullPath, 0), L"C:\\top\\new");
  EXPECT_EQ(list.Cell(ColFullPath, 1), L"C:\\top\\new\\in.txt");
  EXPECT_EQ(list.Cell(ColFullPath, 2), L"C:\\top\\old\\sub\\deep.txt");
  EXPECT_EQ(list.Cell(ColFullPath, 3), L"C:\\top\\older\\other.txt");
  // Undo restores the folder and follows it back.
  EXPECT_EQ(UndoRun(list, 1, {}, Ports([](const std::wstring&, const std::wstring&) { return true; })).leftAlone, 0);
  EXPECT_EQ(list.Cell(ColFullPath, 0), L"C:\\top\\old");
  EXPECT_EQ(list.Cell(ColFullPath, 1), L"C:\\top\\old\\in.txt");
  EXPECT_TRUE(list.ContainsPath(L"c:\\top\\OLD\\in.txt"));
}
