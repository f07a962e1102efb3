// Rename plans that trade names inside the list (swaps, cycles, chains), give
// two rows one name or take an outside file's name, on a disk in memory that
// keeps every file's content: whatever the answers, every content is on the
// disk or in the Recycle Bin exactly once; undo, and the recovery after a
// crash at any rename, give every file its name and content back.
#include <gtest/gtest.h>

#include <map>

#include "base/Text.h"
#include "engine/RenameOrder.h"
#include "engine/RenameRun.h"
#include "engine/UndoJournal.h"

using namespace rn;

namespace {

struct Crash {};

struct ContentDisk {
  std::map<std::wstring, std::pair<std::wstring, std::string>> files;  // folded path -> spelled path, content
  std::vector<std::pair<std::wstring, std::string>> bin;               // deleted path, content
  int renames = 0, crashAt = -1;

  static std::wstring Fold(const std::wstring& s) { return FoldedPath(s); }
  void Put(const std::wstring& path, const std::string& content) { files[Fold(path)] = {path, content}; }
  bool Has(const std::wstring& path) const { return files.count(Fold(path)) > 0; }
  RenameResult Rename(const std::wstring& from, const std::wstring& to) {
    if (crashAt >= 0 && renames++ == crashAt) throw Crash{};
    auto it = files.find(Fold(from));
    if (it == files.end()) return RenameResult::Failed;
    if (Fold(from) != Fold(to) && Has(to)) return RenameResult::TargetExists;
    const std::string content = it->second.second;
    files.erase(it);
    Put(to, content);
    return RenameResult::Done;
  }
  // Content -> how many times it is on the disk or in the bin.
  std::map<std::string, int> Census() const {
    std::map<std::string, int> n;
    for (const auto& [key, file] : files) ++n[file.second];
    for (const auto& [path, content] : bin) ++n[content];
    return n;
  }
  std::string At(const std::wstring& path) const {
    auto it = files.find(Fold(path));
    return it == files.end() ? "<none>" : it->second.second;
  }
  std::wstring Spelled(const std::wstring& path) const {
    auto it = files.find(Fold(path));
    return it == files.end() ? L"" : it->second.first.substr(it->second.first.rfind(L'\\') + 1);
  }
  bool PutBack(const std::wstring& path) {
    if (Has(path)) return false;
    for (auto it = bin.rbegin(); it != bin.rend(); ++it)
      if (Fold(it->first) == Fold(path)) {
        Put(path, it->second);
        bin.erase(std::next(it).base());
        return true;
      }
    return false;
  }
};

const std::wstring kFolder = L"C:\\d\\";

std::string ContentOf(const std::wstring& name) { return "content of " + std::string(name.begin(), name.end()); }

struct Plan {
  const char* what;
  std::vector<std::wstring> rows;                  // listed in this order
  std::map<std::wstring, std::wstring> renames;    // old name -> new name
  std::vector<std::wstring> outside;               // on disk, not listed
  int questions;                                   // with every answer Yes
};

const Plan kPlans[] = {
    {"swap of two", {L"3.txt", L"2.txt", L"1.txt"}, {{L"3.txt", L"1.txt"}, {L"1.txt", L"3.txt"}}, {}, 0},
    {"cycle of three", {L"a", L"b", L"c"}, {{L"a", L"b"}, {L"b", L"c"}, {L"c", L"a"}}, {}, 0},
    {"chain of five",
     {L"1", L"2", L"3", L"4", L"5"},
     {{L"1", L"2"}, {L"2", L"3"}, {L"3", L"4"}, {L"4", L"5"}, {L"5", L"6"}},
     {},
     0},
    {"two rows to one name", {L"a1.txt", L"a2.txt"}, {{L"a1.txt", L"a.txt"}, {L"a2.txt", L"a.txt"}}, {}, 1},
    {"onto a file outside the list", {L"bX.txt"}, {{L"bX.txt", L"b.txt"}}, {L"b.txt"}, 1},
    {"case-only swap beside another file",
     {L"a.txt", L"b.txt"},
     {{L"a.txt", L"B.txt"}, {L"b.txt", L"A.txt"}},
     {L"c.txt"},
     0},
    {"a swap, a chain onto an outside file and a case change",
     {L"p", L"q", L"x1", L"x2", L"Low"},
     {{L"p", L"q"}, {L"q", L"p"}, {L"x1", L"x2"}, {L"x2", L"x3"}, {L"Low", L"LOW"}},
     {L"x3"},
     1},
};

struct Trial {
  ContentDisk disk;
  FileList list;
  std::map<std::string, int> before;
  std::vector<std::wstring> names;  // every name on disk before the run
};

Trial Prepare(const Plan& plan) {
  Trial s;
  for (const std::wstring& name : plan.rows) {
    s.list.AddRow(kFolder + name, false, L"");
    s.disk.Put(kFolder + name, ContentOf(name));
    s.names.push_back(name);
  }
  for (const std::wstring& name : plan.outside) {
    s.disk.Put(kFolder + name, ContentOf(name));
    s.names.push_back(name);
  }
  s.before = s.disk.Census();
  return s;
}

RunPorts PortsFor(const Plan& plan, ContentDisk& disk, const std::function<CollisionAnswer()>& answer,
                  int& asked) {
  RunPorts p;
  p.fileExists = [&disk](const std::wstring& path) { return disk.Has(path); };
  p.folderExists = [](const std::wstring&) { return false; };
  p.enterFolder = [](const std::wstring&) { return true; };
  p.propose = [&plan](const FileRow& row, int64_t) {
    auto it = plan.renames.find(row.name);
    return std::optional<std::wstring>(it == plan.renames.end() ? row.name : it->second);
  };
  p.askCollision = [&asked, answer](const std::wstring&) {
    ++asked;
    return answer();
  };
  p.tell = [](const std::wstring&) { ADD_FAILURE() << "no message expected"; };
  p.rename = [&disk](const std::wstring& from, const std::wstring& to) { return disk.Rename(from, to); };
  p.temporaryName = [](const std::wstring& folder, size_t n) { return folder + L"~tmp" + std::to_wstring(n); };
  p.setAside = [&disk](const std::wstring& path, size_t, ReplacedFile& where) {
    const std::string content = disk.At(path);
    disk.files.erase(ContentDisk::Fold(path));
    disk.bin.push_back({path, content});
    where.path = path;
    return true;
  };
  return p;
}

UndoPorts UndoPortsFor(ContentDisk& disk) {
  UndoPorts p;
  p.rename = [&disk](const std::wstring& from, const std::wstring& to) { return disk.Rename(from, to); };
  p.temporaryName = [](const std::wstring& folder, size_t n) { return folder + L"~undo" + std::to_wstring(n); };
  p.putBack = [&disk](const ReplacedFile& f) { return disk.PutBack(f.path); };
  return p;
}

// As the window does after a run: the rows not renamed and those replaced go.
void DropReportedRows(FileList& list, const RunOutcome& out) {
  std::vector<bool> gone(static_cast<size_t>(list.RowCount()));
  for (int r : out.notRenamed) gone[static_cast<size_t>(r)] = true;
  for (int r : out.replaced) gone[static_cast<size_t>(r)] = true;
  list.RemoveRowsWhere([&](int r) { return gone[static_cast<size_t>(r)]; });
}

void ExpectAsBefore(const Trial& s, const std::string& what) {
  EXPECT_TRUE(s.disk.bin.empty()) << what;
  EXPECT_EQ(s.disk.files.size(), s.names.size()) << what << ": nothing left over, no temporary name";
  for (const std::wstring& name : s.names) {
    EXPECT_EQ(s.disk.At(kFolder + name), ContentOf(name)) << what;
    EXPECT_EQ(s.disk.Spelled(kFolder + name), name) << what;
  }
}

}  // namespace

TEST(NoFileLost, EveryPlanWithEveryAnswerKeepsEachContentOnceAndUndoGivesItAllBack) {
  const std::pair<const char*, std::vector<CollisionAnswer>> answers[] = {
      {"Yes", {CollisionAnswer::Yes}},
      {"No", {CollisionAnswer::No}},
      {"Cancel", {CollisionAnswer::Cancel}},
      {"Yes to All", {CollisionAnswer::YesToAll}},
  };
  for (const Plan& plan : kPlans) {
    for (const auto& [answerName, answer] : answers) {
      const std::string what = std::string(plan.what) + ", " + answerName;
      Trial s = Prepare(plan);
      int asked = 0;
      const CollisionAnswer a = answer[0];
      const RunOutcome out = VisitRows(s.list, 1, 0, PortsFor(plan, s.disk, [a] { return a; }, asked));
      EXPECT_EQ(s.disk.Census(), s.before) << what << ": every content once, on the disk or in the bin";
      EXPECT_TRUE(out.notRenamed.empty()) << what;
      if (a == CollisionAnswer::Yes) {
        EXPECT_EQ(asked, plan.questions) << what << ": asked only where a file is really replaced";
      }
      if (a == CollisionAnswer::Yes && plan.questions == 0) {
        for (const auto& [from, to] : plan.renames) EXPECT_EQ(s.disk.At(kFolder + to), ContentOf(from)) << what;
      }
      DropReportedRows(s.list, out);
      const UndoOutcome undone = UndoRun(s.list, 1, out.replacedFiles, UndoPortsFor(s.disk));
      EXPECT_EQ(undone.leftAlone, 0) << what;
      EXPECT_TRUE(undone.notPutBack.empty()) << what;
      ExpectAsBefore(s, what + ", undone");
    }
  }
}

TEST(NoFileLost, APlanCutShortAtAnyRenameIsTakenBackFromItsJournal) {
  for (const Plan& plan : kPlans) {
    for (int crashAt = 0;; ++crashAt) {
      const std::string what = std::string(plan.what) + ", crash at rename " + std::to_string(crashAt);
      Trial s = Prepare(plan);
      std::string file;
      JournalFilePorts files;
      files.append = [&](const std::string& b, bool) { return file += b, true; };
      files.replace = [&](const std::string& b) { return file = b, true; };
      files.remove = [&] { file.clear(); };
      JournalWriter journal(files);
      int asked = 0;
      RunPorts ports = PortsFor(plan, s.disk, [] { return CollisionAnswer::Yes; }, asked);
      ports.planned = [&](const MovePlan& p) { journal.BeginRun(1, L"t", JournalSteps(p)); };
      ports.stepDone = [&](size_t k) { journal.MarkDone(k); };
      auto setAside = ports.setAside;
      ports.setAside = [&](const std::wstring& path, size_t step, ReplacedFile& where) {
        const size_t a = journal.Aside({step, path, L"", L""});
        if (!setAside(path, step, where)) return false;
        journal.AsideWent(a, JournalAside::Went::RecycleBin);
        return true;
      };
      s.disk.crashAt = crashAt;
      bool crashed = false;
      try {
        VisitRows(s.list, 1, 0, ports);
        journal.EndRun();
      } catch (const Crash&) {
        crashed = true;
      }
      if (!crashed) break;  // every rename of the plan has had its crash
      s.disk.crashAt = -1;
      const Journal j = ReadJournal(file);
      ASSERT_TRUE(j.readable) << what;
      ContentDisk& disk = s.disk;
      RecoveryPorts rp;
      rp.nameOnDisk = [&](const std::wstring& p) -> std::optional<std::wstring> {
        return disk.Has(p) ? std::optional(disk.Spelled(p)) : std::nullopt;
      };
      rp.renameBack = [&](const std::wstring& f, const std::wstring& t) {
        return disk.Rename(f, t) == RenameResult::Done;
      };
      rp.putBack = [&](const std::wstring& path, const std::wstring&) { return disk.PutBack(path); };
      rp.sameFile = [](const std::wstring&, const std::wstring&) { return false; };
      rp.removeName = [](const std::wstring&) { return false; };
      const RecoveryOutcome preview = PreviewRecovery(j, rp.nameOnDisk);
      const RecoveryOutcome out = Recover(j, rp);
      EXPECT_EQ(preview.takenBack, out.takenBack) << what;
      EXPECT_TRUE(out.leftAlone.empty()) << what;
      ExpectAsBefore(s, what);
    }
  }
}

TEST(NoFileLost, RenamesThatTradeNamesWaitForEachOtherAndCyclesPassThroughOneTemporaryName) {
  struct Case {
    const char* what;
    std::vector<MoveRequest> requests;
    std::vector<std::pair<size_t, StepKind>> steps;
  } cases[] = {
      {"independent renames keep their order",
       {{L"C:\\a", L"C:\\b"}, {L"C:\\c", L"C:\\d"}},
       {{0, StepKind::Direct}, {1, StepKind::Direct}}},
      {"a chain starts at its end",
       {{L"C:\\1", L"C:\\2"}, {L"C:\\2", L"C:\\3"}, {L"C:\\3", L"C:\\4"}},
       {{2, StepKind::Direct}, {1, StepKind::Direct}, {0, StepKind::Direct}}},
      {"a swap, told apart without regard to case",
       {{L"C:\\A", L"C:\\b"}, {L"C:\\B", L"C:\\a"}},
       {{0, StepKind::ToTemporary}, {1, StepKind::Direct}, {0, StepKind::FromTemporary}}},
      {"a case change frees nothing",
       {{L"C:\\a", L"C:\\A"}, {L"C:\\b", L"C:\\a"}},
       {{0, StepKind::Direct}, {1, StepKind::Direct}}},
      {"a chain into a cycle",
       {{L"C:\\t", L"C:\\x"}, {L"C:\\x", L"C:\\y"}, {L"C:\\y", L"C:\\x2"}, {L"C:\\x2", L"C:\\x"}},
       {{1, StepKind::ToTemporary},
        {3, StepKind::Direct},
        {2, StepKind::Direct},
        {1, StepKind::FromTemporary},
        {0, StepKind::Direct}}},
  };
  for (const Case& c : cases) {
    const std::vector<MoveStep> steps = OrderMoves(c.requests);
    std::vector<std::pair<size_t, StepKind>> got;
    for (const MoveStep& s : steps) got.push_back({s.request, s.kind});
    EXPECT_EQ(got, c.steps) << c.what;
  }
}

TEST(NoFileLost, AnUndoCutShortAtAnyRenameIsFinishedFromItsJournal) {
  for (const Plan& plan : kPlans) {
    for (int crashAt = 0;; ++crashAt) {
      const std::string what = std::string(plan.what) + ", undo cut at rename " + std::to_string(crashAt);
      Trial s = Prepare(plan);
      int asked = 0;
      const RunOutcome out = VisitRows(s.list, 1, 0, PortsFor(plan, s.disk, [] { return CollisionAnswer::Yes; }, asked));
      DropReportedRows(s.list, out);
      std::string file;
      JournalFilePorts files;
      files.append = [&](const std::string& b, bool) { return file += b, true; };
      files.replace = [&](const std::string& b) { return file = b, true; };
      files.remove = [&] { file.clear(); };
      JournalWriter journal(files);
      UndoPorts ports = UndoPortsFor(s.disk);
      ports.planned = [&](const MovePlan& p, const std::vector<ReplacedFile>& replaced) {
        std::vector<JournalRestore> restores;
        for (const ReplacedFile& f : replaced) restores.push_back({f.path, f.keptAt, f.returnTo, false});
        journal.BeginUndo(1, L"t", JournalSteps(p), restores);
      };
      ports.done = [&](size_t k) { journal.MarkDone(k); };
      s.disk.crashAt = crashAt;
      s.disk.renames = 0;
      try {
        UndoRun(s.list, 1, out.replacedFiles, ports);
        journal.EndUndo(1);
        break;  // every rename of the undo has had its crash
      } catch (const Crash&) {
      }
      s.disk.crashAt = -1;
      const Journal j = ReadJournal(file);
      ASSERT_TRUE(j.readable) << what;
      ContentDisk& disk = s.disk;
      RecoveryPorts rp;
      rp.nameOnDisk = [&](const std::wstring& p) -> std::optional<std::wstring> {
        return disk.Has(p) ? std::optional(disk.Spelled(p)) : std::nullopt;
      };
      rp.renameBack = [&](const std::wstring& f, const std::wstring& t) {
        return disk.Rename(f, t) == RenameResult::Done;
      };
      rp.putBack = [&](const std::wstring& path, const std::wstring&) { return disk.PutBack(path); };
      const RecoveryOutcome recovered = Recover(j, rp);
      EXPECT_TRUE(recovered.leftAlone.empty()) << what;
      ExpectAsBefore(s, what);
    }
  }
}
