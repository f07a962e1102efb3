// The undo journal: the crash insurance of the undo log. The undo log lives
// in the rows' history cells and dies with the program; the journal keeps
// the renames of the run (or undo) in progress in a small text file beside
// Rename.ini, so that work left half done by a crash or a power cut can be
// taken back at the next start.
//
// The file is UTF-8 text, one record a line (LF; a CR before it is ignored):
//   Rename undo journal 1                the first line, always
//   run <level> <steps> <began>          a run (or CD clean-up) as undo level <level>
//   undo <level> <steps> <began>         an undo of level <level>
//   pair <old full path>TAB<new name>    a rename of that run or undo, in the order made
//   park <old full path>TAB<temp name>   the first rename of a cycle: to a temporary name
//   unpark <temp full path>TAB<new name> the last rename of that cycle: from it
//   aside <step>TAB<path>TAB<link>TAB<kept>  the file at <path> is put out of the
//                                        way before step <step> takes its name: a
//                                        second name <link> made, the file sent to
//                                        the Recycle Bin, or else moved to <kept>
//   binned <aside> / kept <aside>        where that file went
//   restore <path>TAB<kept or empty>TAB<return name>  an undo puts a replaced file
//                                        back (from <kept>, or the Recycle Bin),
//                                        then renames it to <return name> if any
//   done <index>                         step <index> (from 0; the restores follow
//                                        the steps) was made
//   closed / undone <level>              the run / that undo ended normally
// In paths and names "%" and characters below 32 are written as %XX. A
// record's steps are on the disk before its first rename; each "aside" is on
// the disk before its file moves; the done marks follow each step.
#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rn {

enum class JournalStep { Direct, Park, Unpark };

struct JournalPair {
  std::wstring oldPath;  // the entry's full path before the rename
  std::wstring newName;  // the name it was given in the same folder
  bool done = false;     // marked as made
  JournalStep kind = JournalStep::Direct;
  std::wstring NewPath() const;
};

// A file a run put out of the way so that a rename could take its name.
struct JournalAside {
  size_t step = 0;    // the pair whose rename took the name
  std::wstring path;  // where the file was
  std::wstring link;  // its second name while it went to the Recycle Bin; may be empty
  std::wstring kept;  // where it goes when the Recycle Bin cannot have it
  enum class Went { Unknown, RecycleBin, Kept } went = Went::Unknown;
};

// A replaced file an undo puts back, then gives back the name it had.
struct JournalRestore {
  std::wstring path;      // where it goes back to
  std::wstring kept;      // where it is; empty: in the Recycle Bin
  std::wstring returnTo;  // a name in the same folder, or empty
  bool done = false;
};

struct JournalRun {
  int level = 0;       // the undo level (RunCount) it was recorded as
  std::wstring began;  // local time, as written
  std::vector<JournalPair> pairs;
  bool closed = false;     // the run (or undo) ended normally
  bool undoing = false;    // an undo of it began and did not end (an older journal's mark)
  bool undone = false;     // undo took it back: nothing of it is left to insure
  bool isUndo = false;     // the record of an undo, not of a run
  std::vector<JournalAside> asides{};
  std::vector<JournalRestore> restores{};  // an undo's
  // Interrupted work: a run or undo that did not end, or a run whose undo
  // began in an older journal and did not end.
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

struct MovePlan;
// A plan's renames as the journal records them, in the order they are made.
std::vector<JournalPair> JournalSteps(const MovePlan& plan);
// The whole journal as text that reads back the same.
std::string WriteJournal(const Journal& journal);

// Where the journal is kept: appended to (flushed to the disk when asked),
// replaced whole (flushed), and removed. False on failure.
struct JournalFilePorts {
  std::function<bool(const std::string& bytes, bool flush)> append;
  std::function<bool(const std::string& bytes)> replace;
  std::function<void()> remove;
};

// Writes the journal while the program runs. Only the run or undo in
// progress needs insuring: each starts the file afresh. A write that fails
// leaves that run without insurance (it goes on as it would without a
// journal).
class JournalWriter {
 public:
  explicit JournalWriter(JournalFilePorts ports);

  // A run as undo level `level` begins with its steps, flushed before it
  // returns. With no steps (the CD clean-up) the run is written with its
  // first AddPair.
  void BeginRun(int level, const std::wstring& began, const std::vector<JournalPair>& steps);
  // One more step of the run, flushed (the CD clean-up plans as it goes).
  void AddPair(const JournalPair& pair);
  // An undo of level `level` begins with its steps and the replaced files it
  // puts back, flushed.
  void BeginUndo(int level, const std::wstring& began, const std::vector<JournalPair>& steps,
                 const std::vector<JournalRestore>& restores);
  // Step `index` was made. Not flushed: a crash of the program keeps what it
  // wrote; after a power cut the recovery reads the disk to know.
  void MarkDone(size_t index);
  // A file is about to be put out of the way for step `step` (flushed), and
  // where it went (flushed). Asides are numbered from 0 in each run: the
  // number is returned.
  size_t Aside(const JournalAside& aside);
  void AsideWent(size_t aside, JournalAside::Went went);
  void EndRun();
  void EndUndo(int level);
  // Nothing left to insure (the list cleared or emptied, the window closed).
  void End();

 private:
  bool Write(const std::string& bytes, bool flush);
  void Start(const std::string& lines);

  JournalFilePorts ports_;
  bool inRun_ = false;      // a run or undo is going on and its lines reach the file
  bool written_ = false;    // the file exists
  std::string pendingRun_;  // the header of a run that has no step yet
  size_t asides_ = 0;
};

// What the disk says about a path: the entry's name as the file system spells
// it, or nothing when no entry is there.
using NameOnDisk = std::function<std::optional<std::wstring>(const std::wstring& path)>;
// Renames from to to; never replaces an entry. True on success.
using RenameBack = std::function<bool(const std::wstring& from, const std::wstring& to)>;

struct RecoveryPorts {
  NameOnDisk nameOnDisk;
  RenameBack renameBack;
  // A replaced file back at `path`: from `kept` (which may lie on another
  // volume), or, with `kept` empty, from the Recycle Bin. Never replaces.
  std::function<bool(const std::wstring& path, const std::wstring& kept)> putBack;
  // Whether two names are one file (a second name made before it went to the
  // Recycle Bin), and the removal of such a second name.
  std::function<bool(const std::wstring& a, const std::wstring& b)> sameFile;
  std::function<bool(const std::wstring& path)> removeName;
};

struct RecoveryOutcome {
  int takenBack = 0;  // renames taken back and replaced files put back
  // The paths the disk no longer matches (renamed, moved or deleted since,
  // or their old name taken), and those whose rename back failed: left alone.
  std::vector<std::wstring> leftAlone;
};

// Takes the unfinished work back, the latest first. A run is taken back step
// by step in reverse order: an entry that carries its new name while its old
// name is free gets its old name back, one that already carries its old name
// is left as it is, anything else is left alone (and reported when the step
// was marked done); a file it put out of the way comes back once its name is
// free. The last rename of a cycle counts only when marked done (or when it
// is the one rename a crash may have cut off from its mark), since before the
// cycle and after it the same names are there. An undo is finished: its
// steps not yet made are made where the disk still allows them.
RecoveryOutcome Recover(const Journal& journal, const RecoveryPorts& ports);
// The same decisions against a picture of the disk that only reads it: what
// Recover would do now.
RecoveryOutcome PreviewRecovery(const Journal& journal, const NameOnDisk& nameOnDisk);

class FolderNames;
// What a recovery sees of the disk through listings, one per folder, each
// read at its first question instead of a look-up per path: the name as the
// listing spells it.
NameOnDisk ListedNames(FolderNames& folders);
// The ports a recovery over listings works through: every change made on
// the disk through `onDisk` is told to the listings as it is made, so that
// none is read twice (a folder that moves is read again below it).
// `folders` must outlive the ports.
RecoveryPorts ListedRecoveryPorts(FolderNames& folders, RecoveryPorts onDisk);

// The report of a recovery: how many entries got their old names back, and
// the entries left alone (the first ten of them by path).
std::wstring RecoverySummary(const RecoveryOutcome& outcome);

}  // namespace rn
