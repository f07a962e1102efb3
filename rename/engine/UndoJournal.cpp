#include "engine/UndoJournal.h"

#include <string_view>
#include <unordered_map>
#include <utility>

#include "base/Path.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "filelist/FileList.h"

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

std::wstring Folded(const std::wstring& path) {
  std::wstring out = path;
  for (auto& c : out) c = FoldCase(c);
  return out;
}

JournalRun* LastRun(Journal& journal) { return journal.runs.empty() ? nullptr : &journal.runs.back(); }

JournalRun* LiveRunOfLevel(Journal& journal, long level) {
  for (auto it = journal.runs.rbegin(); it != journal.runs.rend(); ++it)
    if (it->level == level && !it->undone) return &*it;
  return nullptr;
}

// One line after the first; false when it cannot be read.
bool ReadLine(Journal& journal, std::string_view line) {
  const auto [word, rest] = Word(line);
  if (word == "run") {
    const auto [levelText, more] = Word(rest);
    const auto [countText, began] = Word(more);
    const auto level = Number(levelText);
    const auto count = Number(countText);
    const auto when = Unescape(began);
    if (!level || *level < 1 || !count || !when) return false;
    JournalRun run;
    run.level = static_cast<int>(*level);
    run.began = *when;
    journal.runs.push_back(std::move(run));
    return true;
  }
  if (word == "pair") {
    JournalRun* run = LastRun(journal);
    const size_t tab = rest.find('\t');
    if (!run || tab == std::string_view::npos) return false;
    auto oldPath = Unescape(rest.substr(0, tab));
    auto newName = Unescape(rest.substr(tab + 1));
    if (!oldPath || !newName || oldPath->empty() || newName->empty()) return false;
    run->pairs.push_back({std::move(*oldPath), std::move(*newName), false});
    return true;
  }
  if (word == "done") {
    JournalRun* run = LastRun(journal);
    const auto index = Number(rest);
    if (!run || !index || static_cast<size_t>(*index) >= run->pairs.size()) return false;
    run->pairs[static_cast<size_t>(*index)].done = true;
    return true;
  }
  if (word == "closed" && rest.empty()) {
    JournalRun* run = LastRun(journal);
    if (!run) return false;
    run->closed = true;
    return true;
  }
  if (word == "undo" || word == "undone") {
    const auto level = Number(rest);
    if (!level) return false;
    // A level the journal no longer holds (its rows left the list) is no error.
    if (JournalRun* run = LiveRunOfLevel(journal, *level)) {
      run->undoing = word == "undo";
      run->undone = word == "undone";
    }
    return true;
  }
  return false;
}

std::string Line(std::string text) {
  text += '\n';
  return text;
}

}  // namespace

std::wstring JournalPair::NewPath() const { return FolderOf(oldPath) + newName; }

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

std::string JournalFirstLine() { return Line(std::string(kFirstLine)); }

std::string JournalRunLines(int level, const std::wstring& began, const std::vector<JournalPair>& pairs) {
  std::string out = Line("run " + std::to_string(level) + " " + std::to_string(pairs.size()) + " " + Escape(began));
  for (const JournalPair& pair : pairs) out += JournalPairLine(pair);
  return out;
}

std::string JournalPairLine(const JournalPair& pair) {
  return Line("pair " + Escape(pair.oldPath) + "\t" + Escape(pair.newName));
}

std::string JournalDoneLine(size_t index) { return Line("done " + std::to_string(index)); }
std::string JournalClosedLine() { return Line("closed"); }
std::string JournalUndoLine(int level) { return Line("undo " + std::to_string(level)); }
std::string JournalUndoneLine(int level) { return Line("undone " + std::to_string(level)); }

std::string CompactJournal(const Journal& journal, int belowLevel, const ListedPair& listed) {
  std::string out = JournalFirstLine();
  for (const JournalRun& run : journal.runs) {
    if (run.undone || run.level >= belowLevel) continue;
    std::vector<JournalPair> kept;
    for (const JournalPair& pair : run.pairs) {
      if (!pair.done) continue;
      if (!listed || listed(run.level, NameOf(pair.oldPath))) kept.push_back(pair);
    }
    if (kept.empty()) continue;
    out += JournalRunLines(run.level, run.began, kept);
    for (size_t i = 0; i < kept.size(); ++i) out += JournalDoneLine(i);
    out += JournalClosedLine();
  }
  return out;
}

// ---------------------------------------------------------------------------

JournalWriter::JournalWriter(JournalFilePorts ports) : ports_(std::move(ports)) {}

bool JournalWriter::Write(const std::string& bytes, bool flush) {
  if (ports_.append(bytes, flush)) return true;
  // The file may end in part of a line now: nothing more is appended to it.
  inRun_ = false;
  broken_ = true;
  return false;
}

void JournalWriter::StartRun(const std::string& lines, int level, const ListedPair& listed) {
  // A level at or below one written before was undone (or left no trace):
  // what the file holds of it goes before the level is used again.
  if (fresh_ || broken_ || rewrite_ || level <= topLevel_) {
    std::string text;
    if (!fresh_) {
      std::string old;
      if (ports_.read(old)) text = CompactJournal(ReadJournal(old), level, listed);
    }
    if (text.empty()) text = JournalFirstLine();
    inRun_ = ports_.replace(text + lines);
    if (inRun_) fresh_ = broken_ = rewrite_ = false;
  } else {
    inRun_ = Write(lines, true);
  }
  topLevel_ = level;
}

void JournalWriter::BeginRun(int level, const std::wstring& began, const std::vector<JournalPair>& plan,
                             const ListedPair& listed) {
  inRun_ = false;
  pendingRun_.clear();
  pendingListed_ = nullptr;
  if (plan.empty()) {
    pendingRun_ = JournalRunLines(level, began, {});
    pendingLevel_ = level;
    pendingListed_ = listed;
    return;
  }
  StartRun(JournalRunLines(level, began, plan), level, listed);
}

void JournalWriter::AddPair(const JournalPair& pair) {
  if (pendingRun_.empty()) {
    if (inRun_) Write(JournalPairLine(pair), true);
    return;
  }
  const std::string header = std::move(pendingRun_);
  pendingRun_.clear();
  StartRun(header + JournalPairLine(pair), pendingLevel_, pendingListed_);
  pendingListed_ = nullptr;
}

void JournalWriter::MarkDone(size_t index) {
  if (inRun_) Write(JournalDoneLine(index), false);
}

void JournalWriter::EndRun() {
  pendingRun_.clear();
  pendingListed_ = nullptr;
  if (inRun_) Write(JournalClosedLine(), true);
  inRun_ = false;
}

void JournalWriter::BeginUndo(int level) {
  if (!fresh_ && !broken_) Write(JournalUndoLine(level), true);
}

void JournalWriter::EndUndo(int level) {
  if (!fresh_ && !broken_) Write(JournalUndoneLine(level), true);
  rewrite_ = true;  // the undone level is dead weight now
}

void JournalWriter::End() {
  ports_.remove();
  fresh_ = true;
  broken_ = rewrite_ = inRun_ = false;
  topLevel_ = 0;
  pendingRun_.clear();
  pendingListed_ = nullptr;
}

// ---------------------------------------------------------------------------

RecoveryOutcome Recover(const Journal& journal, const NameOnDisk& nameOnDisk, const RenameBack& renameBack) {
  RecoveryOutcome out;
  for (auto run = journal.runs.rbegin(); run != journal.runs.rend(); ++run) {
    if (!run->Unfinished()) continue;
    for (auto pair = run->pairs.rbegin(); pair != run->pairs.rend(); ++pair) {
      const std::wstring newPath = pair->NewPath();
      const std::wstring newName = NameOf(newPath), oldName = NameOf(pair->oldPath);
      bool renamed = false, asBefore = false;
      if (EqualsNoCase(newPath, pair->oldPath)) {
        // A change of letter case only: one entry, told apart by its spelling.
        const auto spelled = nameOnDisk(newPath);
        renamed = spelled && *spelled == newName && newName != oldName;
        asBefore = spelled && *spelled == oldName;
      } else {
        const bool atNew = nameOnDisk(newPath).has_value(), atOld = nameOnDisk(pair->oldPath).has_value();
        renamed = atNew && !atOld;
        asBefore = atOld && !atNew;
      }
      if (renamed) {
        if (renameBack(newPath, pair->oldPath))
          ++out.takenBack;
        else
          out.leftAlone.push_back(newPath);
      } else if (!asBefore && pair->done) {
        out.leftAlone.push_back(newPath);
      }
    }
  }
  return out;
}

RecoveryOutcome PreviewRecovery(const Journal& journal, const NameOnDisk& nameOnDisk) {
  // The renames back it would make, by path without regard to case (as the
  // file systems it runs on compare): the name given, or nothing for a name
  // freed. Entries inside a folder it would rename are not followed.
  std::unordered_map<std::wstring, std::optional<std::wstring>> changed;
  auto look = [&](const std::wstring& path) -> std::optional<std::wstring> {
    auto it = changed.find(Folded(path));
    return it != changed.end() ? it->second : nameOnDisk(path);
  };
  auto pretend = [&](const std::wstring& from, const std::wstring& to) {
    changed[Folded(from)] = std::nullopt;
    changed[Folded(to)] = NameOf(to);
    return true;
  };
  return Recover(journal, look, pretend);
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
