// The undo journal: the crash insurance of the undo log. The undo log lives
// in the rows' history cells and dies with the program; the journal keeps the
// same pairs in a small text file beside Rename.ini, so that renames left
// half done by a crash or a power cut can be taken back at the next start.
//
// The file is UTF-8 text, one record a line (LF; a CR before it is ignored):
//   Rename undo journal 1              the first line, always
//   run <level> <pairs> <began>        a run (or CD clean-up) as undo level <level>
//   pair <old full path>TAB<new name>  one planned rename of that run
//   done <index>                       pair <index> (from 0) of that run was renamed
//   closed                             that run ended normally
//   undo <level> / undone <level>      an undo of that level began / ended
// In paths and names "%" and characters below 32 are written as %XX. A run's
// pairs are on the disk before its first rename; its marks follow each rename.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rn {

struct JournalPair {
  std::wstring oldPath;  // the entry's full path before the rename
  std::wstring newName;  // the name it was given in the same folder
  bool done = false;     // marked as renamed
  std::wstring NewPath() const;
};

struct JournalRun {
  int level = 0;       // the undo level (RunCount) it was recorded as
  std::wstring began;  // local time, as written
  std::vector<JournalPair> pairs;
  bool closed = false;   // the run ended normally
  bool undoing = false;  // an undo of it began and did not end
  bool undone = false;   // undo took it back: nothing of it is left to insure
  // Interrupted work: a run that did not end, or an undo of it that did not.
  bool Unfinished() const { return !undone && (!closed || undoing); }
};

struct Journal {
  std::vector<JournalRun> runs;
  // False when the text is not a journal, or a line before its last one
  // cannot be read: nothing of it is trusted. A torn last line (cut by a
  // crash or a power cut while it was written) is only left out.
  bool readable = true;
};

Journal ReadJournal(const std::string& bytes);

// The lines, each ending in LF.
std::string JournalFirstLine();
// A run's header (with the number of its pairs) and its pairs.
std::string JournalRunLines(int level, const std::wstring& began, const std::vector<JournalPair>& pairs);
std::string JournalPairLine(const JournalPair& pair);
std::string JournalDoneLine(size_t index);
std::string JournalClosedLine();
std::string JournalUndoLine(int level);
std::string JournalUndoneLine(int level);

// Whether a rename of level `level` that renamed an entry from `oldName` is
// still held by a row of the list (its history cell of that level).
using ListedPair = std::function<bool(int level, const std::wstring& oldName)>;

// The journal again with only what undo can still take back: runs below
// `belowLevel` that were not undone, and of those only the pairs that were
// renamed and are still listed. Every run in it is closed.
std::string CompactJournal(const Journal& journal, int belowLevel, const ListedPair& listed);

// Where the journal is kept: appended to (flushed to the disk when asked),
// replaced whole (flushed), read and removed. False on failure.
struct JournalFilePorts {
  std::function<bool(const std::string& bytes, bool flush)> append;
  std::function<bool(const std::string& bytes)> replace;
  std::function<bool(std::string& bytes)> read;
  std::function<void()> remove;
};

// Writes the journal while the program runs. A write that fails leaves the
// run without insurance (it goes on as it would without a journal) and the
// next run writes the file afresh.
class JournalWriter {
 public:
  explicit JournalWriter(JournalFilePorts ports);

  // A run as undo level `level` begins with its planned pairs, flushed before
  // it returns. With no pairs (the CD clean-up) the run is written with its
  // first AddPair. `listed` is asked only when the file is rewritten.
  void BeginRun(int level, const std::wstring& began, const std::vector<JournalPair>& plan, const ListedPair& listed);
  // One more pair of the run, flushed (the CD clean-up plans as it goes).
  void AddPair(const JournalPair& pair);
  // Pair `index` of the run was renamed. Not flushed: the marks only sharpen
  // the report after a crash; the recovery reads the disk to know.
  void MarkDone(size_t index);
  void EndRun();
  void BeginUndo(int level);
  void EndUndo(int level);
  // Rows insured by the journal left the list: the next run rewrites it.
  void RowsDropped() { rewrite_ = true; }
  // Nothing left to insure (the list cleared or emptied, the window closed).
  void End();

 private:
  bool Write(const std::string& bytes, bool flush);
  void StartRun(const std::string& lines, int level, const ListedPair& listed);

  JournalFilePorts ports_;
  bool fresh_ = true;       // no file of this program's life yet
  bool broken_ = false;     // a write failed: the file may end in part of a line
  bool rewrite_ = false;    // the file may hold what undo can no longer take back
  int topLevel_ = 0;        // the highest level written
  bool inRun_ = false;      // a run is going on and its lines reach the file
  std::string pendingRun_;  // the header of a run that has no pair yet
  int pendingLevel_ = 0;
  ListedPair pendingListed_;
};

// What the disk says about a path: the entry's name as the file system spells
// it, or nothing when no entry is there.
using NameOnDisk = std::function<std::optional<std::wstring>(const std::wstring& path)>;
// Renames from to to; never replaces an entry. True on success.
using RenameBack = std::function<bool(const std::wstring& from, const std::wstring& to)>;

struct RecoveryOutcome {
  int takenBack = 0;
  // The new paths of renamed entries the disk no longer matches (renamed,
  // moved or deleted since, or their old name taken), and of those whose
  // rename back failed: left alone.
  std::vector<std::wstring> leftAlone;
};

// Takes back the unfinished runs, the latest first and each pair in reverse
// order: an entry that carries its new name while its old name is free gets
// its old name back; one that already carries its old name is left as it is.
// Anything else is left alone, and reported when the pair was marked done.
RecoveryOutcome Recover(const Journal& journal, const NameOnDisk& nameOnDisk, const RenameBack& renameBack);
// The same decisions against a picture of the disk that only reads it: what
// Recover would do now.
RecoveryOutcome PreviewRecovery(const Journal& journal, const NameOnDisk& nameOnDisk);

// The report of a recovery: how many entries got their old names back, and
// the entries left alone (the first ten of them by path).
std::wstring RecoverySummary(const RecoveryOutcome& outcome);

}  // namespace rn
