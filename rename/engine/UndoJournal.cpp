#include "engine/UndoJournal.h"

#include <string_view>
#include <unordered_map>
#include <utility>

#include "base/Path.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "engine/RenameOrder.h"
#include "filelist/FileList.h"
#include "filelist/FolderNames.h"

namespace rn {

namespace {

constexpr std::string_view kFirstLine = "Rename undo journal 1";

std::string Escape(const std::wstring& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : Utf8FromWide(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32 || c == '%') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::wstring> Unescape(std::string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) < 32) return std::nullopt;  // written escaped, always
    if (text[i] != '%') {
      bytes += text[i];
      continue;
    }
    const int high = i + 1 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
    i += 2;
  }
  bool ok = true;
  std::wstring wide = WideFromUtf8(bytes, &ok);
  if (!ok) return std::nullopt;
  return wide;
}

// A non-negative decimal number of at most nine digits.
std::optional<long> Number(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Splits "word rest" at the first space.
std::pair<std::string_view, std::string_view> Word(std::string_view line) {
  const size_t space = line.find(' ');
  if (space == std::string_view::npos) return {line, {}};
  return {line.substr(0, space), line.substr(space + 1)};
}

std::wstring NameOf(const std::wstring& path) {
  std::wstring folder, name;
  SplitPath(path, folder, name);
  return name;
}

// Splits at every tab.
std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> out;
  for (size_t tab; (tab = text.find('\t')) != std::string_view::npos; text.remove_prefix(tab + 1))
    out.push_back(text.substr(0, tab));
  out.push_back(text);
  return out;
}

JournalRun* LastRun(Journal& journal) { return journal.runs.empty() ? nullptr : &journal.runs.back(); }

JournalRun* LiveRunOfLevel(Journal& journal, long level) {
  for (auto it = journal.runs.rbegin(); it != journal.runs.rend(); ++it)
    if (it->level == level && !it->undone && !it->isUndo) return &*it;
  return nullptr;
}

constexpr std::pair<std::string_view, JournalStep> kStepWords[] = {
    {"pair", JournalStep::Direct}, {"park", JournalStep::Park}, {"unpark", JournalStep::Unpark}};

// "run|undo <level> <count> <began>"; an older journal's "undo <level>" marks a run.
bool ReadHeader(Journal& journal, std::string_view word, std::string_view rest) {
  const auto [levelText, more] = Word(rest);
  const auto level = Number(levelText);
  if (!level) return false;
  if (word == "undo" && more.empty()) {
    if (JournalRun* run = LiveRunOfLevel(journal, *level)) run->undoing = true;
    return true;
  }
  const auto [countText, began] = Word(more);
  const auto count = Number(countText);
  const auto when = Unescape(began);
  if (*level < 1 || !count || !when) return false;
  JournalRun run;
  run.level = static_cast<int>(*level);
  run.began = *when;
  run.isUndo = word == "undo";
  journal.runs.push_back(std::move(run));
  return true;
}

bool ReadAside(JournalRun& run, std::string_view rest) {
  const std::vector<std::string_view> f = Fields(rest);
  if (f.size() != 4) return false;
  const auto step = Number(f[0]);
  auto path = Unescape(f[1]), link = Unescape(f[2]), kept = Unescape(f[3]);
  if (!step || static_cast<size_t>(*step) >= run.pairs.size() || !path || !link || !kept || path->empty())
    return false;
  run.asides.push_back({static_cast<size_t>(*step), std::move(*path), std::move(*link), std::move(*kept)});
  return true;
}

bool ReadRestore(JournalRun& run, std::string_view rest) {
  const std::vector<std::string_view> f = Fields(rest);
  if (f.size() != 3 || !run.isUndo) return false;
  auto path = Unescape(f[0]), kept = Unescape(f[1]), returnTo = Unescape(f[2]);
  if (!path || !kept || !returnTo || path->empty()) return false;
  run.restores.push_back({std::move(*path), std::move(*kept), std::move(*returnTo), false});
  return true;
}

// One line after the first; false when it cannot be read.
bool ReadLine(Journal& journal, std::string_view line) {
  const auto [word, rest] = Word(line);
  if (word == "run" || word == "undo") return ReadHeader(journal, word, rest);
  JournalRun* run = LastRun(journal);
  if (!run) return word == "undone" && Number(rest);
  for (const auto& [stepWord, kind] : kStepWords) {
    if (word != stepWord) continue;
    const size_t tab = rest.find('\t');
    if (tab == std::string_view::npos || !run->restores.empty()) return false;
    auto oldPath = Unescape(rest.substr(0, tab));
    auto newName = Unescape(rest.substr(tab + 1));
    if (!oldPath || !newName || oldPath->empty() || newName->empty()) return false;
    run->pairs.push_back({std::move(*oldPath), std::move(*newName), false, kind});
    return true;
  }
  if (word == "aside") return ReadAside(*run, rest);
  if (word == "restore") return ReadRestore(*run, rest);
  if (word == "binned" || word == "kept") {
    const auto index = Number(rest);
    if (!index || static_cast<size_t>(*index) >= run->asides.size()) return false;
    run->asides[static_cast<size_t>(*index)].went =
        word == "binned" ? JournalAside::Went::RecycleBin : JournalAside::Went::Kept;
    return true;
  }
  if (word == "done") {
    const auto index = Number(rest);
    if (!index) return false;
    const size_t i = static_cast<size_t>(*index);
    if (i < run->pairs.size())
      run->pairs[i].done = true;
    else if (i - run->pairs.size() < run->restores.size())
      run->restores[i - run->pairs.size()].done = true;
    else
      return false;
    return true;
  }
  if (word == "closed" && rest.empty()) {
    run->closed = true;
    return true;
  }
  if (word == "undone") {
    const auto level = Number(rest);
    if (!level) return false;
    if (run->isUndo && run->level == *level) run->closed = true;
    // A level the journal no longer holds is no error.
    if (JournalRun* undone = LiveRunOfLevel(journal, *level)) {
      undone->undoing = false;
      undone->undone = true;
    }
    return true;
  }
  return false;
}

std::string Line(std::string text) {
  text += '\n';
  return text;
}

std::string StepLine(const JournalPair& pair) {
  const char* word = pair.kind == JournalStep::Park ? "park " : pair.kind == JournalStep::Unpark ? "unpark " : "pair ";
  return Line(word + Escape(pair.oldPath) + "\t" + Escape(pair.newName));
}

std::string HeaderLines(const char* word, int level, const std::wstring& began, const std::vector<JournalPair>& steps) {
  std::string out =
      Line(std::string(word) + " " + std::to_string(level) + " " + std::to_string(steps.size()) + " " + Escape(began));
  for (const JournalPair& pair : steps) out += StepLine(pair);
  return out;
}

std::string AsideLine(const JournalAside& a) {
  return Line("aside " + std::to_string(a.step) + "\t" + Escape(a.path) + "\t" + Escape(a.link) + "\t" +
              Escape(a.kept));
}

std::string WentLine(size_t index, JournalAside::Went went) {
  return Line((went == JournalAside::Went::RecycleBin ? "binned " : "kept ") + std::to_string(index));
}

std::string RestoreLine(const JournalRestore& r) {
  return Line("restore " + Escape(r.path) + "\t" + Escape(r.kept) + "\t" + Escape(r.returnTo));
}

std::string DoneLine(size_t index) { return Line("done " + std::to_string(index)); }

}  // namespace

std::wstring JournalPair::NewPath() const { return FolderOf(oldPath) + newName; }

std::vector<JournalPair> JournalSteps(const MovePlan& plan) {
  std::vector<JournalPair> steps;
  steps.reserve(plan.steps.size());
  for (const MoveStep& step : plan.steps) {
    const JournalStep kind = step.kind == StepKind::ToTemporary     ? JournalStep::Park
                             : step.kind == StepKind::FromTemporary ? JournalStep::Unpark
                                                                    : JournalStep::Direct;
    std::wstring folder, name;
    SplitPath(plan.To(step), folder, name);
    steps.push_back({plan.From(step), std::move(name), false, kind});
  }
  return steps;
}

Journal ReadJournal(const std::string& bytes) {
  Journal journal;
  std::string_view rest(bytes);
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
  bool first = true;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    if (end == std::string_view::npos) break;  // torn: the crash came while it was written
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (first) {
      first = false;
      if (line != kFirstLine) {
        journal.readable = false;
        break;
      }
      continue;
    }
    if (line.empty()) continue;
    if (!ReadLine(journal, line)) {
      journal.readable = false;
      break;
    }
  }
  if (first && !rest.empty()) journal.readable = rest == kFirstLine.substr(0, rest.size());
  if (!journal.readable) journal.runs.clear();
  return journal;
}

std::string WriteJournal(const Journal& journal) {
  std::string out = Line(std::string(kFirstLine));
  for (const JournalRun& run : journal.runs) {
    out += HeaderLines(run.isUndo ? "undo" : "run", run.level, run.began, run.pairs);
    for (const JournalRestore& r : run.restores) out += RestoreLine(r);
    for (size_t i = 0; i < run.asides.size(); ++i) {
      out += AsideLine(run.asides[i]);
      if (run.asides[i].went != JournalAside::Went::Unknown) out += WentLine(i, run.asides[i].went);
    }
    for (size_t i = 0; i < run.pairs.size(); ++i)
      if (run.pairs[i].done) out += DoneLine(i);
    for (size_t i = 0; i < run.restores.size(); ++i)
      if (run.restores[i].done) out += DoneLine(run.pairs.size() + i);
    if (run.isUndo && run.closed) out += Line("undone " + std::to_string(run.level));
    if (!run.isUndo && run.closed) out += Line("closed");
    if (run.undoing) out += Line("undo " + std::to_string(run.level));
    if (run.undone) out += Line("undone " + std::to_string(run.level));
  }
  return out;
}

// ---------------------------------------------------------------------------

JournalWriter::JournalWriter(JournalFilePorts ports) : ports_(std::move(ports)) {}

bool JournalWriter::Write(const std::string& bytes, bool flush) {
  if (ports_.append(bytes, flush)) return true;
  // The file may end in part of a line now: nothing more is appended to it.
  inRun_ = false;
  return false;
}

void JournalWriter::Start(const std::string& lines) {
  asides_ = 0;
  inRun_ = ports_.replace(std::string(kFirstLine) + "\n" + lines);
  written_ = written_ || inRun_;
}

void JournalWriter::BeginRun(int level, const std::wstring& began, const std::vector<JournalPair>& steps) {
  inRun_ = false;
  pendingRun_.clear();
  if (steps.empty()) {
    pendingRun_ = HeaderLines("run", level, began, {});
    return;
  }
  Start(HeaderLines("run", level, began, steps));
}

void JournalWriter::AddPair(const JournalPair& pair) {
  if (pendingRun_.empty()) {
    if (inRun_) Write(StepLine(pair), true);
    return;
  }
  const std::string header = std::move(pendingRun_);
  pendingRun_.clear();
  Start(header + StepLine(pair));
}

void JournalWriter::BeginUndo(int level, const std::wstring& began, const std::vector<JournalPair>& steps,
                              const std::vector<JournalRestore>& restores) {
  pendingRun_.clear();
  std::string lines = HeaderLines("undo", level, began, steps);
  for (const JournalRestore& r : restores) lines += RestoreLine(r);
  Start(lines);
}

void JournalWriter::MarkDone(size_t index) {
  if (inRun_) Write(DoneLine(index), false);
}

size_t JournalWriter::Aside(const JournalAside& aside) {
  if (inRun_) Write(AsideLine(aside), true);
  return asides_++;
}

void JournalWriter::AsideWent(size_t aside, JournalAside::Went went) {
  if (inRun_ && aside < asides_ && went != JournalAside::Went::Unknown) Write(WentLine(aside, went), true);
}

void JournalWriter::EndRun() {
  pendingRun_.clear();
  if (inRun_) Write(Line("closed"), true);
  inRun_ = false;
}

void JournalWriter::EndUndo(int level) {
  if (inRun_) Write(Line("undone " + std::to_string(level)), true);
  inRun_ = false;
}

void JournalWriter::End() {
  pendingRun_.clear();
  inRun_ = false;
  if (written_) ports_.remove();
  written_ = false;
}

// ---------------------------------------------------------------------------

namespace {

// The entry at `to` came from `from` by one rename; whether it is so on disk now.
struct Seen {
  bool renamed = false;   // carries the new name, the old one free
  bool asBefore = false;  // carries the old name, the new one free
};

Seen Look(const NameOnDisk& nameOnDisk, const std::wstring& from, const std::wstring& to) {
  Seen seen;
  if (EqualsNoCase(from, to)) {
    // A change of letter case only: one entry, told apart by its spelling.
    const std::wstring fromName = NameOf(from), toName = NameOf(to);
    const auto spelled = nameOnDisk(to);
    seen.renamed = spelled && *spelled == toName && toName != fromName;
    seen.asBefore = spelled && *spelled == fromName;
  } else {
    const bool atTo = nameOnDisk(to).has_value(), atFrom = nameOnDisk(from).has_value();
    seen.renamed = atTo && !atFrom;
    seen.asBefore = atFrom && !atTo;
  }
  return seen;
}

// The one step a crash may have cut off from its done mark: the one after the last mark.
size_t StepAfterLastMark(const std::vector<bool>& marks) {
  for (size_t i = marks.size(); i-- > 0;)
    if (marks[i]) return i + 1;
  return 0;
}

void PutAsideBack(const JournalAside& a, const RecoveryPorts& ports, RecoveryOutcome& out) {
  const bool linked = !a.link.empty() && ports.nameOnDisk(a.link).has_value();
  const bool kept = !a.kept.empty() && ports.nameOnDisk(a.kept).has_value();
  if (ports.nameOnDisk(a.path)) {
    // Its name is taken: by itself when it never left (its second name goes),
    // else by another entry, and the file stays where it went.
    if (linked && ports.sameFile(a.link, a.path)) {
      ports.removeName(a.link);
    } else if (linked || kept || a.went == JournalAside::Went::RecycleBin) {
      out.leftAlone.push_back(a.path);
    }
    return;
  }
  bool back = false;
  if (linked)
    back = ports.renameBack(a.link, a.path);
  else if (kept)
    back = ports.putBack(a.path, a.kept);
  else if (a.went != JournalAside::Went::Kept)
    back = ports.putBack(a.path, L"");
  if (back)
    ++out.takenBack;
  else
    out.leftAlone.push_back(a.path);
}

void TakeBackRun(const JournalRun& run, const RecoveryPorts& ports, RecoveryOutcome& out) {
  std::vector<bool> marks;
  for (const JournalPair& p : run.pairs) marks.push_back(p.done);
  const size_t cutOff = StepAfterLastMark(marks);
  for (size_t k = run.pairs.size(); k-- > 0;) {
    const JournalPair& pair = run.pairs[k];
    const std::wstring newPath = pair.NewPath();
    Seen seen = Look(ports.nameOnDisk, pair.oldPath, newPath);
    // Before a cycle and after it the same names are there.
    if (pair.kind == JournalStep::Unpark && !pair.done && k != cutOff) seen.renamed = false;
    if (seen.renamed) {
      if (ports.renameBack(newPath, pair.oldPath))
        ++out.takenBack;
      else
        out.leftAlone.push_back(newPath);
    } else if (!seen.asBefore && pair.done) {
      out.leftAlone.push_back(newPath);
    }
    for (size_t a = run.asides.size(); a-- > 0;)
      if (run.asides[a].step == k) PutAsideBack(run.asides[a], ports, out);
  }
}

void FinishUndo(const JournalRun& undo, const RecoveryPorts& ports, RecoveryOutcome& out) {
  std::vector<bool> marks;
  for (const JournalPair& p : undo.pairs) marks.push_back(p.done);
  for (const JournalRestore& r : undo.restores) marks.push_back(r.done);
  const size_t first = StepAfterLastMark(marks);
  for (size_t k = first; k < undo.pairs.size(); ++k) {
    const JournalPair& pair = undo.pairs[k];
    const Seen seen = Look(ports.nameOnDisk, pair.oldPath, pair.NewPath());
    if (!seen.asBefore) continue;  // made already, or no longer where it was
    if (ports.renameBack(pair.oldPath, pair.NewPath()))
      ++out.takenBack;
    else
      out.leftAlone.push_back(pair.oldPath);
  }
  for (size_t i = 0; i < undo.restores.size(); ++i) {
    const JournalRestore& r = undo.restores[i];
    const bool toFinish = undo.pairs.size() + i >= first;
    if (!r.done && !toFinish) continue;  // tried before the crash, and failed
    if (!ports.nameOnDisk(r.path)) {
      if (r.done || (!r.kept.empty() && !ports.nameOnDisk(r.kept))) continue;  // back and renamed, or gone
      if (!ports.putBack(r.path, r.kept)) {
        out.leftAlone.push_back(r.path);
        continue;
      }
      ++out.takenBack;
    }
    // Back at its place: then to the name it had before the run.
    if (r.returnTo.empty()) continue;
    const std::wstring to = FolderOf(r.path) + r.returnTo;
    if (!ports.nameOnDisk(to)) ports.renameBack(r.path, to);
  }
}

}  // namespace

RecoveryOutcome Recover(const Journal& journal, const RecoveryPorts& ports) {
  RecoveryOutcome out;
  for (auto run = journal.runs.rbegin(); run != journal.runs.rend(); ++run) {
    if (!run->Unfinished()) continue;
    if (run->isUndo)
      FinishUndo(*run, ports, out);
    else
      TakeBackRun(*run, ports, out);
  }
  return out;
}

RecoveryOutcome PreviewRecovery(const Journal& journal, const NameOnDisk& nameOnDisk) {
  // The changes it would make, by path without regard to case (as the file
  // systems it runs on compare): the name given, or nothing for a name
  // freed. Entries inside a folder it would rename are not followed.
  std::unordered_map<std::wstring, std::optional<std::wstring>> changed;
  RecoveryPorts ports;
  ports.nameOnDisk = [&](const std::wstring& path) -> std::optional<std::wstring> {
    auto it = changed.find(FoldedPath(path));
    return it != changed.end() ? it->second : nameOnDisk(path);
  };
  ports.renameBack = [&](const std::wstring& from, const std::wstring& to) {
    changed[FoldedPath(from)] = std::nullopt;
    changed[FoldedPath(to)] = NameOf(to);
    return true;
  };
  ports.putBack = [&](const std::wstring& path, const std::wstring& kept) {
    if (!kept.empty()) changed[FoldedPath(kept)] = std::nullopt;
    changed[FoldedPath(path)] = NameOf(path);
    return true;
  };
  ports.sameFile = [](const std::wstring&, const std::wstring&) { return true; };
  ports.removeName = [&](const std::wstring& path) {
    changed[FoldedPath(path)] = std::nullopt;
    return true;
  };
  return Recover(journal, ports);
}

NameOnDisk ListedNames(FolderNames& folders) {
  return [&folders](const std::wstring& path) -> std::optional<std::wstring> {
    std::wstring folder, name;
    SplitPath(path, folder, name);
    const FolderEntry* entry = name.empty() ? nullptr : folders.Find(folder, name);
    if (!entry) return std::nullopt;
    return entry->name;
  };
}

RecoveryPorts ListedRecoveryPorts(FolderNames& folders, RecoveryPorts onDisk) {
  RecoveryPorts ports;
  ports.nameOnDisk = ListedNames(folders);
  ports.sameFile = std::move(onDisk.sameFile);
  // A change that fails has changed nothing: the listings stay as they are.
  ports.renameBack = [&folders, rename = std::move(onDisk.renameBack)](const std::wstring& from,
                                                                       const std::wstring& to) {
    std::wstring fromFolder, fromName, toFolder, toName;
    SplitPath(from, fromFolder, fromName);
    SplitPath(to, toFolder, toName);
    const FolderEntry* listed = folders.Find(fromFolder, fromName);
    FolderEntry entry = listed ? *listed : FolderEntry{};
    const bool mayBeFolder = !listed || entry.isDir;
    if (!rename(from, to)) return false;
    folders.Left(fromFolder, fromName);
    entry.name = toName;
    folders.Came(toFolder, std::move(entry));
    // What lies below a folder that moved is found under its new path.
    if (mayBeFolder) {
      folders.ForgetBelow(from + L"\\");
      folders.ForgetBelow(to + L"\\");
    }
    return true;
  };
  ports.putBack = [&folders, putBack = std::move(onDisk.putBack)](const std::wstring& path, const std::wstring& kept) {
    if (!putBack(path, kept)) return false;
    std::wstring folder, name;
    if (!kept.empty()) {
      SplitPath(kept, folder, name);
      folders.Left(folder, name);
    }
    SplitPath(path, folder, name);
    folders.Came(folder, FolderEntry{name, false, {}});
    return true;
  };
  ports.removeName = [&folders, remove = std::move(onDisk.removeName)](const std::wstring& path) {
    if (!remove(path)) return false;
    std::wstring folder, name;
    SplitPath(path, folder, name);
    folders.Left(folder, name);
    return true;
  };
  return ports;
}

std::wstring RecoverySummary(const RecoveryOutcome& outcome) {
  constexpr size_t kNamed = 10;
  std::wstring text;
  if (outcome.takenBack > 0 || outcome.leftAlone.empty())
    text = Text(TextId::MsgJournalTakenBack, {std::to_wstring(outcome.takenBack)});
  if (outcome.leftAlone.empty()) return text;
  if (!text.empty()) text += L"\r\r";
  text += Text(TextId::MsgJournalLeftAlone, {std::to_wstring(outcome.leftAlone.size())});
  for (size_t i = 0; i < outcome.leftAlone.size() && i < kNamed; ++i)
    text += L"\r" + ShortenPath(outcome.leftAlone[i], 80);
  if (outcome.leftAlone.size() > kNamed) text += L"\r...";
  return text;
}

}  // namespace rn
