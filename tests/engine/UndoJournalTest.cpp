// The undo journal: its lines read back, torn and damaged files, the writer's
// rewrites, and the recovery's decisions against a made-up disk.
#include <gtest/gtest.h>

#include <map>

#include "base/Text.h"
#include "engine/UndoJournal.h"
#include "filelist/FolderNames.h"

using namespace rn;

namespace {

// A case-insensitive disk: folded path -> the name as spelled. Renaming a
// folder moves everything below it.
struct Disk {
  std::map<std::wstring, std::wstring> entries;
  std::map<std::wstring, std::string> contents;  // by folded path
  static std::wstring Fold(std::wstring s) {
    for (auto& c : s) c = FoldCase(c);
    return s;
  }
  void Put(const std::wstring& path, const std::string& content = "") {
    entries[Fold(path)] = path.substr(path.rfind(L'\\') + 1);
    contents[Fold(path)] = content;
  }
  std::optional<std::wstring> Name(const std::wstring& path) const {
    auto it = entries.find(Fold(path));
    return it == entries.end() ? std::nullopt : std::optional(it->second);
  }
  bool Rename(const std::wstring& from, const std::wstring& to) {
    if (!Name(from) || (Name(to) && Fold(from) != Fold(to))) return false;
    std::map<std::wstring, std::wstring> moved;
    std::map<std::wstring, std::string> movedContents;
    for (auto& [path, name] : entries) {
      std::wstring now = path;
      if (path == Fold(from))
        now = Fold(to), moved[now] = to.substr(to.rfind(L'\\') + 1);
      else if (path.rfind(Fold(from) + L"\\", 0) == 0)
        now = Fold(to) + path.substr(from.size()), moved[now] = name;
      else
        moved[path] = name;
      movedContents[now] = contents[path];
    }
    entries = moved;
    contents = movedContents;
    return true;
  }
  std::string Content(const std::wstring& path) const {
    auto it = contents.find(Fold(path));
    return it == contents.end() || !entries.count(Fold(path)) ? "<none>" : it->second;
  }
  // The folder's listing (the folder ends in a backslash): an entry is a
  // folder when something lies below it. Each read is counted.
  std::map<std::wstring, int> reads;
  FolderScan Scan() {
    return [this](const std::wstring& folder, const std::function<void(FolderEntry &&)>& each) {
      ++reads[Fold(folder)];
      const std::wstring in = Fold(folder);
      for (const auto& [path, name] : entries) {
        if (path.rfind(in, 0) != 0 || path.find(L'\\', in.size()) != std::wstring::npos) continue;
        auto below = entries.upper_bound(path + L"\\");
        each(FolderEntry{name, below != entries.end() && below->first.rfind(path + L"\\", 0) == 0, {}});
      }
      return true;
    };
  }
  NameOnDisk Port() const {
    return [this](const std::wstring& p) { return Name(p); };
  }
  // A Recycle Bin of its own: deleted path -> content.
  std::map<std::wstring, std::string> bin;
  RecoveryPorts Ports() {
    RecoveryPorts ports;
    ports.nameOnDisk = Port();
    ports.renameBack = [this](const std::wstring& f, const std::wstring& t) { return Rename(f, t); };
    ports.putBack = [this](const std::wstring& path, const std::wstring& kept) {
      if (Name(path)) return false;
      if (!kept.empty()) return Rename(kept, path);
      auto it = bin.find(Fold(path));
      if (it == bin.end()) return false;
      Put(path, it->second);
      bin.erase(it);
      return true;
    };
    ports.sameFile = [](const std::wstring&, const std::wstring&) { return true; };
    ports.removeName = [this](const std::wstring& path) { return entries.erase(Fold(path)) > 0; };
    return ports;
  }
};

std::string Text(std::initializer_list<std::string> lines) {
  std::string out = "Rename undo journal 1\n";
  for (const auto& l : lines) out += l + "\n";
  return out;
}

}  // namespace

TEST(UndoJournal, WhatTheWriterWritesReadsBackWithOddNamesAndMarks) {
  std::string file;
  JournalFilePorts ports;
  ports.append = [&](const std::string& b, bool) { return file += b, true; };
  ports.replace = [&](const std::string& b) { return file = b, true; };
  ports.remove = [&] { file.clear(); };
  JournalWriter w(ports);
  const std::wstring odd = L"100%\tnew\nline \u65e5\u672c.txt";
  w.BeginRun(1, L"2024-05-01 12:00:00",
             {{L"C:\\d\\a.txt", L"~t", false, JournalStep::Park},
              {L"C:\\d\\c.txt", odd},
              {L"C:\\d\\~t", L"b.txt", false, JournalStep::Unpark}});
  EXPECT_EQ(w.Aside({1, L"C:\\d\\x", L"C:\\d\\~link", L"C:\\keep\\x"}), 0u);
  w.AsideWent(0, JournalAside::Went::RecycleBin);
  w.MarkDone(1);
  w.EndRun();
  Journal j = ReadJournal(file);
  ASSERT_TRUE(j.readable);
  ASSERT_EQ(j.runs.size(), 1u);
  EXPECT_EQ(j.runs[0].began, L"2024-05-01 12:00:00");
  EXPECT_EQ(j.runs[0].pairs[1].newName, odd);
  EXPECT_EQ(j.runs[0].pairs[1].NewPath(), L"C:\\d\\" + odd);
  EXPECT_EQ(j.runs[0].pairs[0].kind, JournalStep::Park);
  EXPECT_EQ(j.runs[0].pairs[2].kind, JournalStep::Unpark);
  EXPECT_FALSE(j.runs[0].pairs[0].done);
  EXPECT_TRUE(j.runs[0].pairs[1].done);
  ASSERT_EQ(j.runs[0].asides.size(), 1u);
  EXPECT_EQ(j.runs[0].asides[0].went, JournalAside::Went::RecycleBin);
  EXPECT_TRUE(j.runs[0].closed && !j.runs[0].Unfinished());
  EXPECT_EQ(ReadJournal(WriteJournal(j)).runs[0].asides[0].kept, L"C:\\keep\\x") << "a rewrite reads back";

  // An undo starts the file afresh with its own steps and the files it puts back.
  w.BeginUndo(1, L"t", {{L"C:\\d\\b.txt", L"a.txt"}}, {{L"C:\\d\\x", L"", L"y", false}});
  w.MarkDone(1);
  j = ReadJournal(file);
  ASSERT_EQ(j.runs.size(), 1u);
  EXPECT_TRUE(j.runs[0].isUndo && j.runs[0].Unfinished());
  ASSERT_EQ(j.runs[0].restores.size(), 1u);
  EXPECT_TRUE(j.runs[0].restores[0].done) << "the restores are numbered after the steps";
  EXPECT_EQ(j.runs[0].restores[0].returnTo, L"y");
  w.EndUndo(1);
  EXPECT_FALSE(ReadJournal(file).runs[0].Unfinished());

  // A failed append (which may leave part of a line) leaves the run
  // uninsured; the next run writes the file afresh.
  ports.append = [](const std::string&, bool) { return false; };
  JournalWriter broken(ports);
  broken.BeginRun(1, L"t", {{L"C:\\d\\a.txt", L"b.txt"}});
  file += "do";
  broken.MarkDone(0);
  broken.BeginRun(2, L"t", {{L"C:\\d\\b.txt", L"c.txt"}});
  j = ReadJournal(file);
  EXPECT_TRUE(j.readable);
  ASSERT_EQ(j.runs.size(), 1u);
  EXPECT_EQ(j.runs[0].level, 2);
  broken.End();
  EXPECT_TRUE(file.empty());
}

TEST(UndoJournal, TornEndsAreLeftOutAndDamageIsNotTrusted) {
  const std::string good = Text({"run 1 1 t", "pair C:\\a\tb", "done 0"});
  struct Case {
    const char* what;
    std::string bytes;
    bool readable;
    size_t pairs;
  } cases[] = {
      {"whole", good, true, 1},
      {"CR LF", "Rename undo journal 1\r\nrun 1 1 t\r\npair C:\\a\tb\r\n", true, 1},
      {"torn pair", good + "pair C:\\c\td", true, 1},
      {"zeros at the end", good + std::string(40, '\0'), true, 1},
      {"torn first line", "Rename undo jour", true, 0},
      {"empty", "", true, 0},
      {"not a journal", "[Options]\nDonated=1\n", false, 0},
      {"damaged line", good + "pai C:\\c\td\n" + "closed\n", false, 0},
      {"mark out of range", good + "done 1\n", false, 0},
      {"pair before any run", Text({"pair C:\\a\tb"}), false, 0},
      {"aside of a step not there", good + "aside 1\tC:\\x\t\t\n", false, 0},
      {"restore in a run", good + "restore C:\\x\t\t\n", false, 0},
      {"an older journal's undo mark", good + "undo 1\nundone 1\n", true, 1},
      {"bad escape", Text({"run 1 1 t", "pair C:\\%G1\tb"}), false, 0},
      {"not UTF-8", Text({"run 1 1 t", "pair C:\\\xff\tb"}), false, 0},
  };
  for (const Case& c : cases) {
    const Journal j = ReadJournal(c.bytes);
    EXPECT_EQ(j.readable, c.readable) << c.what;
    EXPECT_EQ(j.runs.empty() ? 0 : j.runs[0].pairs.size(), c.pairs) << c.what;
  }
}

TEST(UndoJournal, RecoveryTakesBackWhatCarriesItsNewNameAndReportsOnlyMarkedMismatches) {
  enum State { Renamed, AsBefore, Neither, Both, CaseRenamed, CaseAsBefore };
  struct Case {
    const char* what;
    State state;
    bool done;
    bool closed;
    int takenBack;
    size_t reported;
  } cases[] = {
      {"renamed", Renamed, true, false, 1, 0},
      {"renamed, the mark lost", Renamed, false, false, 1, 0},
      {"never renamed", AsBefore, false, false, 0, 0},
      {"back already", AsBefore, true, false, 0, 0},
      {"renamed again behind the program's back", Neither, true, false, 0, 1},
      {"gone, never renamed", Neither, false, false, 0, 0},
      {"old name taken", Both, true, false, 0, 1},
      {"case only, renamed", CaseRenamed, true, false, 1, 0},
      {"case only, as before", CaseAsBefore, true, false, 0, 0},
      {"a closed run", Renamed, true, true, 0, 0},
  };
  for (const Case& c : cases) {
    const bool caseOnly = c.state == CaseRenamed || c.state == CaseAsBefore;
    const std::wstring oldPath = L"C:\\d\\old.txt", newName = caseOnly ? L"OLD.txt" : L"new.txt";
    Disk disk;
    if (c.state == Renamed || c.state == Both || c.state == CaseRenamed) disk.Put(L"C:\\d\\" + newName);
    if (c.state == AsBefore || c.state == Both || c.state == CaseAsBefore) disk.Put(oldPath);
    Journal j;
    j.runs.push_back({1, L"t", {{oldPath, newName, c.done}}, c.closed});
    const auto before = disk.entries;
    const RecoveryOutcome preview = PreviewRecovery(j, disk.Port());
    EXPECT_EQ(disk.entries, before) << c.what << ": the preview changes nothing";
    const RecoveryOutcome out = Recover(j, disk.Ports());
    EXPECT_EQ(out.takenBack, c.takenBack) << c.what;
    EXPECT_EQ(out.leftAlone.size(), c.reported) << c.what;
    EXPECT_EQ(preview.takenBack, out.takenBack) << c.what;
    if (c.takenBack) {
      EXPECT_EQ(disk.Name(oldPath), L"old.txt") << c.what;
    }
  }
}

TEST(UndoJournal, ChainsFoldersAndInterruptedUndosComeBackInReverseOrder) {
  // One run: b -> c, then a -> b, then the folder F -> G; crash after all three.
  Disk disk;
  for (const wchar_t* p : {L"C:\\G", L"C:\\G\\c", L"C:\\G\\b"}) disk.Put(p);
  Journal j;
  j.runs.push_back({1, L"t", {{L"C:\\F\\b", L"c", true}, {L"C:\\F\\a", L"b", true}, {L"C:\\F", L"G", false}}});
  RecoveryOutcome out = Recover(j, disk.Ports());
  EXPECT_EQ(out.takenBack, 3);
  EXPECT_TRUE(out.leftAlone.empty());
  EXPECT_TRUE(disk.Name(L"C:\\F\\a") && disk.Name(L"C:\\F\\b") && !disk.Name(L"C:\\F\\c"));

  // A closed run whose undo stopped half way: the undo is finished; one ended is not.
  Disk half;
  half.Put(L"C:\\d\\a");
  half.Put(L"C:\\d\\y");
  Journal k;
  k.runs.push_back({1, L"t", {{L"C:\\d\\a", L"x", true}, {L"C:\\d\\b", L"y", true}}, true, true});
  EXPECT_EQ(PreviewRecovery(k, half.Port()).takenBack, 1);
  k.runs[0].undone = true;
  EXPECT_EQ(Recover(k, half.Ports()).takenBack, 0);
}

TEST(UndoJournal, ARecoveryOverListingsReadsEachFolderOnceAndFollowsItsOwnRenames) {
  // One run, cut off before its end: a swap of a.txt and b.txt through a
  // temporary name, a change of letter case, then y in folder F and F itself.
  Journal j;
  j.runs.push_back({1,
                    L"t",
                    {{L"C:\\d\\a.txt", L"~t", true, JournalStep::Park},
                     {L"C:\\d\\b.txt", L"a.txt", true},
                     {L"C:\\d\\~t", L"b.txt", true, JournalStep::Unpark},
                     {L"C:\\d\\c.txt", L"C.TXT", true},
                     {L"C:\\F\\x", L"y", true},
                     {L"C:\\F", L"G", true}}});
  auto crashed = [] {
    Disk disk;
    disk.Put(L"C:\\d\\a.txt", "b");
    disk.Put(L"C:\\d\\b.txt", "a");
    disk.Put(L"C:\\d\\C.TXT", "c");
    disk.Put(L"C:\\G");
    disk.Put(L"C:\\G\\y", "x");
    return disk;
  };
  Disk direct = crashed();
  const int previewed = PreviewRecovery(j, direct.Port()).takenBack;
  const RecoveryOutcome expected = Recover(j, direct.Ports());
  ASSERT_EQ(expected.takenBack, 6);

  // As the window does it: the check and the taking back on the same listings.
  Disk disk = crashed();
  FolderNames listed(disk.Scan());
  EXPECT_EQ(PreviewRecovery(j, ListedNames(listed)).takenBack, previewed);
  const RecoveryOutcome out = Recover(j, ListedRecoveryPorts(listed, disk.Ports()));
  EXPECT_EQ(out.takenBack, expected.takenBack);
  EXPECT_EQ(out.leftAlone, expected.leftAlone);
  EXPECT_EQ(disk.entries, direct.entries);
  EXPECT_EQ(disk.Content(L"C:\\d\\a.txt"), "a");
  EXPECT_EQ(disk.Name(L"C:\\d\\c.txt"), L"c.txt") << "the listing spells the name as the disk does";
  EXPECT_EQ(disk.reads[L"c:\\d\\"], 1) << "one listing for all the folder's entries";
  EXPECT_EQ(disk.reads[L"c:\\f\\"], 2) << "read again once the folder came back to its name";
}

TEST(UndoJournal, TheSummaryCountsAndNamesTheFirstTenLeftAlone) {
  RecoveryOutcome out{999, {}};
  EXPECT_EQ(RecoverySummary(out), L"999 file(s) got their former names back.");
  for (int i = 0; i < 12; ++i) out.leftAlone.push_back(L"C:\\d\\f" + std::to_wstring(i));
  const std::wstring text = RecoverySummary(out);
  EXPECT_NE(text.find(L"\r\r12 file(s) no longer match the record"), std::wstring::npos);
  EXPECT_NE(text.find(L"\rC:\\d\\f9\r..."), std::wstring::npos);
  EXPECT_EQ(text.find(L"f10"), std::wstring::npos);
}
