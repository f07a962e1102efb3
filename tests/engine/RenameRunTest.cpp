// The run's visit of the rows against an in-memory folder: refusals,
// collisions with each answer, the counter, and the rows it drops.
#include <gtest/gtest.h>

#include <set>

#include "base/Text.h"
#include "engine/RenameRun.h"

using namespace rn;
using Names = std::vector<std::wstring>;

namespace {

struct Fake {
  std::set<std::wstring> files;  // folded paths
  std::vector<CollisionAnswer> answers;
  std::vector<std::wstring> asked, told;
  std::function<std::wstring(const FileRow&, int64_t)> transform;
  FileList list;

  static std::wstring Fold(std::wstring s) {
    for (auto& c : s) c = FoldCase(c);
    return s;
  }
  void Add(const std::wstring& name, bool onDisk = true) {
    list.AddRow(L"C:\\d\\" + name, false, L"");
    if (onDisk) files.insert(Fold(L"C:\\d\\" + name));
  }
  RunPorts Ports() {
    RunPorts p;
    p.fileExists = [this](const std::wstring& path) { return files.count(Fold(path)) > 0; };
    p.folderExists = [](const std::wstring&) { return false; };
    p.enterFolder = [](const std::wstring&) { return true; };
    p.propose = [this](const FileRow& row, int64_t counter) {
      return std::optional<std::wstring>(transform(row, counter));
    };
    p.askCollision = [this](const std::wstring& proposal) {
      asked.push_back(proposal);
      CollisionAnswer a = answers.empty() ? CollisionAnswer::No : answers.front();
      if (!answers.empty()) answers.erase(answers.begin());
      return a;
    };
    p.tell = [this](const std::wstring& m) { told.push_back(m); };
    p.rename = [this](const std::wstring& from, const std::wstring& to) {
      if (!files.count(Fold(from))) return RenameResult::Failed;
      if (files.count(Fold(to)) && Fold(to) != Fold(from)) return RenameResult::TargetExists;
      files.erase(Fold(from));
      files.insert(Fold(to));
      return RenameResult::Done;
    };
    p.temporaryName = [](const std::wstring& folder, size_t n) { return folder + L"~tmp" + std::to_wstring(n); };
    p.setAside = [this](const std::wstring& path, size_t, ReplacedFile& where) {
      where.path = path;
      return files.erase(Fold(path)) > 0;
    };
    return p;
  }
  Names NamesNow() const {
    Names out;
    for (int r = 0; r < list.EntryCount(); ++r) out.push_back(list.Cell(ColFileName, r));
    return out;
  }
};

}  // namespace

TEST(RenameRun, UncheckedRowsStayMissingOnesAreDroppedAndTheCounterGrows) {
  Fake f;
  f.Add(L"a.txt");
  f.Add(L"b.txt");
  f.Add(L"gone.txt", false);
  f.Add(L"c.txt");
  f.list.Row(1).checked = false;
  f.transform = [](const FileRow& row, int64_t n) { return L"n" + std::to_wstring(n) + L"_" + row.name; };
  RunOutcome out = VisitRows(f.list, 1, 5, f.Ports());
  EXPECT_EQ(f.NamesNow(), Names({L"n5_a.txt", L"b.txt", L"gone.txt", L"n6_c.txt"}));
  EXPECT_EQ(out.notRenamed, std::vector<int>({2}));
  EXPECT_TRUE(out.renamedAny);
  EXPECT_EQ(f.list.Cell(ColHistory, 0), L"a.txt");
  EXPECT_EQ(f.list.Cell(ColHistory, 1), L"");
}

TEST(RenameRun, UnchangedBlankLongAndAllExtensionProposalsAreRefusedQuietlyOrWithTheirMessage) {
  Fake f;
  for (const wchar_t* n : {L"same.txt", L"blank.txt", L"long.txt", L"abc.txt", L"dir"}) f.Add(n);
  f.list.Row(4).isDir = true;
  f.transform = [](const FileRow& row, int64_t) -> std::wstring {
    if (row.name == L"same.txt") return L"same.txt";
    if (row.name == L"blank.txt") return L"   ";
    if (row.name == L"long.txt") return std::wstring(229, L'x') + L"\U0001F600";  // 230 characters, 231 units
    if (row.name == L"abc.txt") return L" .txt ";
    return L".hidden-folder";  // a folder's name is never all extension
  };
  RunOutcome out = VisitRows(f.list, 1, 0, f.Ports());
  EXPECT_EQ(f.NamesNow(), Names({L"same.txt", L"blank.txt", L"long.txt", L"abc.txt", L".hidden-folder"}));
  ASSERT_EQ(f.told.size(), 2u);
  EXPECT_EQ(f.told[0],
            L"File name length is limited by Windows itself, you know, so file\r'long.txt'\r"
            L"will keep it's name as it was.");
  EXPECT_EQ(f.told[1], L"Zero size names not allowed, so file\r'abc.txt'\rwill keep it's name as it was.");
  EXPECT_TRUE(out.notRenamed.empty());
}

TEST(RenameRun, CollisionAnswersNoYesYesToAllAndCancel) {
  Fake f;
  for (const wchar_t* n : {L"1.txt", L"2.txt", L"3.txt", L"4.txt", L"x.txt"}) f.Add(n);
  // Every row wants "x.txt"; the last row is the existing x.txt itself.
  f.transform = [](const FileRow&, int64_t) { return std::wstring(L"x.txt"); };
  f.answers = {CollisionAnswer::No, CollisionAnswer::Yes, CollisionAnswer::Cancel};
  RunOutcome out = VisitRows(f.list, 1, 0, f.Ports());
  EXPECT_EQ(f.asked.size(), 3u);
  EXPECT_EQ(f.NamesNow(), Names({L"1.txt", L"x.txt", L"3.txt", L"4.txt", L"x.txt"}));
  // The replaced file's row is dropped as replaced, not as not renamed.
  EXPECT_TRUE(out.notRenamed.empty());
  EXPECT_EQ(out.replaced, std::vector<int>({4}));
  ASSERT_EQ(out.replacedFiles.size(), 1u);
  EXPECT_EQ(out.replacedFiles[0].returnTo, L"") << "x.txt was there before the run";
  EXPECT_TRUE(f.files.count(L"c:\\d\\3.txt")) << "Cancel leaves the rest untouched";

  Fake g;
  for (const wchar_t* n : {L"1.txt", L"2.txt", L"3.txt"}) g.Add(n);
  g.transform = [](const FileRow&, int64_t) { return std::wstring(L"same.txt"); };
  g.answers = {CollisionAnswer::YesToAll};
  out = VisitRows(g.list, 1, 0, g.Ports());
  EXPECT_EQ(g.asked.size(), 1u) << "yes to all asks once";
  // Each later row replaced the file the row before had just made, which
  // keeps the name it had before the run for undo.
  EXPECT_EQ(out.replaced, std::vector<int>({0, 1}));
  ASSERT_EQ(out.replacedFiles.size(), 2u);
  EXPECT_EQ(out.replacedFiles[0].returnTo, L"1.txt");
  EXPECT_EQ(out.replacedFiles[1].returnTo, L"2.txt");
}

TEST(RenameRun, ACaseOnlyChangeAsksNothingAndAFailedRenameIsReported) {
  Fake f;
  f.Add(L"Photo.JPG");
  f.Add(L"locked.txt");
  f.transform = [](const FileRow& row, int64_t) {
    return row.name == L"Photo.JPG" ? std::wstring(L"photo.jpg") : std::wstring(L"free.txt");
  };
  RunPorts p = f.Ports();
  auto plain = p.rename;
  p.rename = [&](const std::wstring& from, const std::wstring& to) {
    return from.find(L"locked") == std::wstring::npos ? plain(from, to) : RenameResult::Failed;
  };
  RunOutcome out = VisitRows(f.list, 1, 0, p);
  EXPECT_TRUE(f.asked.empty());
  EXPECT_EQ(f.list.Cell(ColFileName, 0), L"photo.jpg");
  EXPECT_EQ(out.notRenamed, std::vector<int>({1}));
  EXPECT_EQ(f.list.Cell(ColFileName, 1), L"free.txt") << "the row is written back whatever the outcome";
}
