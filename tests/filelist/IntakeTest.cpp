// The intake rules on an in-memory folder tree: filter, duplicates, the folder
// answer of a batch and the breadth-first walks.
#include <gtest/gtest.h>

#include <map>

#include "base/Path.h"
#include "base/Text.h"
#include "filelist/Intake.h"
#include "filelist/TypeFilter.h"

using namespace rn;

TEST(TypeFilter, ExtensionPartDecidesWithoutRegardToCase) {
  EXPECT_TRUE(PassesTypeFilter(L"*.*", L""));
  EXPECT_TRUE(PassesTypeFilter(L"*.*", L".anything"));
  EXPECT_TRUE(PassesTypeFilter(L"*.jpg", L".JPG"));
  EXPECT_FALSE(PassesTypeFilter(L"*.jpg", L".jpeg"));
  EXPECT_TRUE(PassesTypeFilter(L"*.htm*", L".htm"));
  EXPECT_TRUE(PassesTypeFilter(L"*.htm*", L".html"));
  EXPECT_FALSE(PassesTypeFilter(L"*.htm*", L".xhtml"));
  // The name part of the mask is ignored; a mask without a dot admits bare names.
  EXPECT_TRUE(PassesTypeFilter(L"photo*.jpg", L".jpg"));
  EXPECT_TRUE(PassesTypeFilter(L"*", L""));
  EXPECT_FALSE(PassesTypeFilter(L"*", L".txt"));
  // Folder rows carry "[dir]", which only "*.*" admits.
  EXPECT_FALSE(PassesTypeFilter(L"*.txt", L"[dir]"));
  // Greek capitals fold like Latin ones.
  EXPECT_TRUE(PassesTypeFilter(L"*.\u03b1\u03b2", L".\u0391\u0392"));
  // A long run of stars against a long extension stays quick and correct.
  EXPECT_FALSE(PassesTypeFilter(L"*." + std::wstring(200, L'*') + L"b", L"." + std::wstring(5000, L'a')));
}

TEST(TypeFilter, ExtensionComesFromTheLastComponent) {
  EXPECT_EQ(ExtensionOfPath(L"C:\\a.b\\name"), L"");
  EXPECT_EQ(ExtensionOfPath(L"C:\\a\\name.tar.gz"), L".gz");
  EXPECT_EQ(ExtensionOfPath(L"name."), L".");
  EXPECT_EQ(EffectiveFilter(L""), L"*.*");
  EXPECT_EQ(NormalizeFilterText(L"j"), L"*");
  EXPECT_EQ(NormalizeFilterText(L"x.jpg"), L"*.jpg");
  EXPECT_EQ(NormalizeFilterText(L"*.jpg"), L"*.jpg");
  EXPECT_TRUE(OccursInMaskList({L"*.*", L"*.htm*"}, L"*.htm"));
  EXPECT_FALSE(OccursInMaskList({L"*.*", L"*.txt"}, L"*.doc"));
}

namespace {

// A folder tree in memory: path -> entries in "file system order".
struct FakeDisk {
  std::map<std::wstring, std::vector<FoundEntry>> folders;
  std::vector<FolderChoice> answers;  // the user's answers, in order
  std::vector<std::wstring> asked, scanned;
  int pumps = 0;
  int stopAfterPumps = -1;

  void File(const std::wstring& folder, const std::wstring& name) { folders[folder].push_back({name, L"d", false}); }
  void Dir(const std::wstring& folder, const std::wstring& name) {
    folders[folder].push_back({name, L"", true});
    folders[folder + L"\\" + name];
  }

  IntakePorts Ports() {
    IntakePorts p;
    p.lookup = [this](const std::wstring& path) {
      FoundEntry e;
      e.isDir = folders.count(path) > 0;
      e.date = L"2026/01/02";
      return e;
    };
    p.askFolder = [this](const std::wstring& path) {
      asked.push_back(path);
      if (answers.empty()) return FolderChoice::Cancel;
      FolderChoice c = answers.front();
      answers.erase(answers.begin());
      return c;
    };
    p.scan = [this](const std::wstring& pattern, const std::function<bool(const FoundEntry&)>& each) {
      scanned.push_back(pattern);
      const size_t cut = pattern.rfind(L'\\');
      const std::wstring folder = pattern.substr(0, cut), mask = pattern.substr(cut + 1);
      auto it = folders.find(folder);
      if (it == folders.end()) return;
      const std::wstring ext = ExtensionOfPath(mask);
      std::vector<FoundEntry> entries = {{L".", L"", true}, {L"..", L"", true}};
      entries.insert(entries.end(), it->second.begin(), it->second.end());
      for (const auto& e : entries)
        if ((mask == L"*.*" || PassesTypeFilter(mask, ExtensionOfPath(e.name))) && !each(e)) return;
    };
    p.pump = [this] {
      ++pumps;
      return stopAfterPumps < 0 || pumps < stopAfterPumps;
    };
    return p;
  }
};

struct Fixture {
  FakeDisk disk;
  FileList list;
  Intake intake;
  Fixture() {
    disk.Dir(L"C:", L"top");
    disk.File(L"C:\\top", L"a.txt");
    disk.Dir(L"C:\\top", L"sub");
    disk.File(L"C:\\top", L"b.jpg");
    disk.File(L"C:\\top\\sub", L"c.txt");
    disk.Dir(L"C:\\top\\sub", L"deep");
    disk.File(L"C:\\top\\sub\\deep", L".hidden");
    disk.Dir(L"C:", L"other");
    disk.File(L"C:\\other", L"o.txt");
    intake.list = &list;
  }
  void Batch(const std::vector<std::wstring>& paths) {
    intake.ports = disk.Ports();
    intake.BeginBatch();
    for (const auto& p : paths) intake.AddPath(p);
    intake.EndBatch();
  }
  std::vector<std::wstring> Paths() const {
    std::vector<std::wstring> out;
    for (int r = 0; r < list.EntryCount(); ++r) out.push_back(list.Cell(ColFullPath, r));
    return out;
  }
};

using Paths = std::vector<std::wstring>;

}  // namespace

TEST(Intake, FilesPassTheFilterAndDuplicatesOfAnyCaseOrSpellingAreRefused) {
  Fixture f;
  f.intake.typeFilter = L"*.txt";
  f.Batch({L"C:\\x\\one.TXT", L"C:\\x\\two.doc", L"c:\\X\\ONE.txt", L"C:\\x\\one.txt", L"\\\\?\\C:\\x\\one.txt",
           L"\\\\?\\C:\\x\\three.txt"});
  EXPECT_EQ(f.Paths(), Paths({L"C:\\x\\one.TXT", L"C:\\x\\three.txt"})) << "extended paths enter in normal spelling";
  // A path that does not exist is a file; its date comes from the platform.
  EXPECT_EQ(f.list.Cell(ColFileDate, 0), L"2026/01/02");
  EXPECT_TRUE(f.disk.asked.empty());
}

TEST(Intake, FilteredFolderIsRefusedBeforeAnyQuestion) {
  Fixture f;
  f.intake.typeFilter = L"*.jpg";
  f.Batch({L"C:\\top"});
  EXPECT_TRUE(f.disk.asked.empty());
  EXPECT_EQ(f.list.EntryCount(), 0);
}

TEST(Intake, FolderAnswerAddsTheFolderRowAndAsksAgainForTheNext) {
  Fixture f;
  f.disk.answers = {FolderChoice::Folder, FolderChoice::Folder};
  f.Batch({L"C:\\top", L"C:\\other", L"C:\\TOP"});
  EXPECT_EQ(f.Paths(), Paths({L"C:\\top", L"C:\\other"}));
  EXPECT_EQ(f.list.Cell(ColExt, 0), L"[dir]");
  // The folder already listed is refused without the prompt.
  EXPECT_EQ(f.disk.asked.size(), 2u);
}

TEST(Intake, FilesAnswerTakesOnlyTheFolderItselfThroughTheFilter) {
  Fixture f;
  f.disk.answers = {FolderChoice::Files};
  f.Batch({L"C:\\top"});
  EXPECT_EQ(f.Paths(), Paths({L"C:\\top\\a.txt", L"C:\\top\\b.jpg"}));
  EXPECT_EQ(f.disk.scanned, Paths({L"C:\\top\\*.*"}));
}

TEST(Intake, AllFilesWalksBreadthFirstAndCoversLaterFoldersOfTheBatch) {
  Fixture f;
  f.disk.answers = {FolderChoice::AllFiles};
  f.Batch({L"C:\\top", L"C:\\other"});
  EXPECT_EQ(f.Paths(), Paths({L"C:\\top\\a.txt", L"C:\\top\\b.jpg", L"C:\\top\\sub\\c.txt",
                              L"C:\\top\\sub\\deep\\.hidden", L"C:\\other\\o.txt"}));
  EXPECT_EQ(f.disk.asked.size(), 1u);
  EXPECT_GE(f.disk.pumps, 10);  // the window is given its messages during the walk
}

TEST(Intake, SubfolderWhoseNameOccursInAnotherQueuedPathIsStillWalked) {
  Fixture f;
  f.disk.Dir(L"C:\\imgs", L"img");
  f.disk.Dir(L"C:\\imgs", L"images");
  f.disk.File(L"C:\\imgs\\img", L"1.png");
  f.disk.File(L"C:\\imgs\\images", L"2.png");
  f.disk.answers = {FolderChoice::AllFiles};
  f.Batch({L"C:\\imgs"});
  EXPECT_EQ(f.Paths(), Paths({L"C:\\imgs\\img\\1.png", L"C:\\imgs\\images\\2.png"}));
}

TEST(Intake, CancelSkipsEveryLaterFolderOfTheBatchButNotTheNextBatch) {
  Fixture f;
  f.disk.answers = {FolderChoice::Cancel};
  f.Batch({L"C:\\top", L"C:\\x\\file.txt", L"C:\\other"});
  // Files after a cancelled folder still come (only the drop stops its loop).
  EXPECT_EQ(f.Paths(), Paths({L"C:\\x\\file.txt"}));
  EXPECT_EQ(f.disk.asked.size(), 1u);
  f.disk.answers = {FolderChoice::Folder};
  f.Batch({L"C:\\other"});
  EXPECT_EQ(f.disk.asked.size(), 2u);
  EXPECT_EQ(f.list.EntryCount(), 2);
}

TEST(Intake, LinkedFoldersAreNotWalkedIntoAndAStopEndsTheWalk) {
  Fixture f;
  f.disk.folders[L"C:\\top"].push_back({L"loop", L"", true, true});
  f.disk.folders[L"C:\\top\\loop"];
  f.disk.answers = {FolderChoice::AllFiles};
  f.Batch({L"C:\\top"});
  for (const auto& s : f.disk.scanned) EXPECT_EQ(s.find(L"loop"), std::wstring::npos);

  Fixture g;
  g.disk.stopAfterPumps = 3;
  g.disk.answers = {FolderChoice::AllFiles};
  g.Batch({L"C:\\top", L"C:\\x\\late.txt"});
  EXPECT_LE(g.list.EntryCount(), 2);
  EXPECT_FALSE(g.list.ContainsPath(L"C:\\x\\late.txt"));
}

TEST(Intake, SearchListsEverythingAndLeavesFilteringToAddPath) {
  Fixture f;
  f.intake.typeFilter = L"*.txt";
  f.intake.ports = f.disk.Ports();
  f.intake.BeginBatch();
  f.intake.Search(L"C:\\top\\", false);
  EXPECT_EQ(f.Paths(), Paths({L"C:\\top\\a.txt"}));
  f.intake.Search(L"C:\\top\\", true);
  f.intake.EndBatch();
  EXPECT_EQ(f.Paths(), Paths({L"C:\\top\\a.txt", L"C:\\top\\sub\\c.txt"}));
  EXPECT_TRUE(f.disk.asked.empty());
}

TEST(FileListEdit, RemoveMoveAndSortKeepRowsWhole) {
  FileList list;
  for (const wchar_t* p : {L"C:\\d\\b.txt", L"C:\\d\\A.txt", L"C:\\d\\c.doc", L"C:\\d\\a.txt"})
    list.AddRow(p, false, L"");
  list.SetCell(ColHistory, 0, L"old-b");
  list.SortBy(ColFileName, [](const std::wstring& a, const std::wstring& b) {
    std::wstring x = a, y = b;
    for (auto& c : x) c = FoldCase(c);
    for (auto& c : y) c = FoldCase(c);
    return x.compare(y);
  });
  // Equal keys ("A.txt" / "a.txt") are ordered by the rest of their cells.
  EXPECT_EQ(list.Cell(ColFileName, 0), L"A.txt");
  EXPECT_EQ(list.Cell(ColFileName, 1), L"a.txt");
  EXPECT_EQ(list.Cell(ColFileName, 2), L"b.txt");
  EXPECT_EQ(list.Cell(ColHistory, 2), L"old-b");
  EXPECT_TRUE(list.ContainsPath(L"c:\\D\\B.TXT"));

  int first = 2, last = 3;
  EXPECT_FALSE(list.MoveBlock(first, last, +1));  // already touches the last row
  EXPECT_TRUE(list.MoveBlock(first, last, -1));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(list.Cell(ColFileName, 1), L"b.txt");
  first = 0, last = 1;
  EXPECT_FALSE(list.MoveBlock(first, last, -1));

  list.RemoveRows(1, 2);
  EXPECT_EQ(list.EntryCount(), 2);
  EXPECT_FALSE(list.ContainsPath(L"C:\\d\\b.txt"));
  EXPECT_TRUE(list.ContainsPath(L"C:\\d\\A.txt"));
  list.RemoveRows(0, 5);
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(list.ContainsPath(L"C:\\d\\A.txt"));
  list.AddRow(L"C:\\d\\A.txt", false, L"");
  EXPECT_TRUE(list.ContainsPath(L"C:\\D\\a.TXT"));
}
