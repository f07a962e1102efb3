// The rename run's visit of the rows: for every checked entry the proposal
// and the refusals, which together make the run's plan; then for every pair
// of the plan the collision question, the rename and the write-back. The
// checks before a run and the window around it belong to the main window.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/RenameOrder.h"
#include "engine/RunLog.h"
#include "filelist/FileList.h"

namespace rn {

enum class CollisionAnswer { Yes, No, Cancel, YesToAll };

// One rename the run means to make: row `row` from `oldName` to `newName`
// within `folder`.
struct PlannedRename {
  int row = 0;
  std::wstring folder, oldName, newName;
};

struct RunPorts {
  std::function<bool(const std::wstring& path)> fileExists;     // a file, not a folder
  std::function<bool(const std::wstring& path)> folderExists;   // a folder
  std::function<bool(const std::wstring& folder)> enterFolder;  // the working directory
  // The row's proposal for the counter; nothing when there is none (operations
  // 9 and 15 change the entry here and propose nothing). A RowRefused thrown
  // here is told, and the entry keeps its name.
  std::function<std::optional<std::wstring>(const FileRow& row, int64_t counter)> propose;
  std::function<CollisionAnswer(const std::wstring& proposal)> askCollision;
  std::function<void(const std::wstring& message)> tell;
  // Renames within a folder, never over an existing entry: an entry of the
  // new name is reported as such and nothing changes, so that the run asks
  // only then (no extra lookup of a name that is not there, which costs the
  // folder's size on some systems).
  std::function<RenameResult(const std::wstring& from, const std::wstring& to)> rename;
  // A name in the folder that no entry has, for the cycle `cycle` of the plan.
  std::function<std::wstring(const std::wstring& folder, size_t cycle)> temporaryName;
  // Puts the file at `path` out of the way, recoverably, before step `step`
  // of the plan takes its name; true, with where it went, when it has left.
  std::function<bool(const std::wstring& path, size_t step, ReplacedFile& where)> setAside;
  // Told each row worked on the disk: the rows of the plan as they are
  // renamed, or, for operations that propose nothing, as they are changed.
  std::function<void(int position)> progress;
  // The whole plan, before its first rename (when it has any), and each step
  // of it made, by its index in the plan's steps (both may be left empty).
  std::function<void(const MovePlan& plan)> planned;
  std::function<void(size_t step)> stepDone;
};

struct RunOutcome {
  bool renamedAny = false;
  std::vector<int> notRenamed;  // row numbers, ascending, each once: not found or failed
  std::vector<int> replaced;    // rows whose files an overwrite replaced, ascending
  std::vector<ReplacedFile> replacedFiles;  // in the order they were replaced
  // Entries that keep their names because they lack a field the text needs,
  // with the reason each: in the run's one report, not a box each, and left
  // in the list.
  std::vector<std::pair<int, std::wstring>> lackingField;
};

// Visits the rows top to bottom as run number `run`, the counter starting at
// `counter` and growing after every entry that got a proposal. The messages
// about refused proposals come while the plan is made, before any rename.
// The renames are then made in the order RenameOrder.h gives them, so that a
// name another row gives up is never an overwrite; the question comes only
// for a file that is really there when the rename's turn comes.
RunOutcome VisitRows(FileList& list, int run, int64_t counter, const RunPorts& ports);

// "...so file" CR "'short path'" CR "will keep it's name as it was." messages.
std::wstring TooLongMessage(const std::wstring& oldName);
std::wstring ZeroSizeMessage(const std::wstring& oldName);
// The same for a row the operation makes no name for (RowRefused's reason).
std::wstring NoNameMessage(const std::wstring& reason, const std::wstring& oldName);
// The collision question for a proposal.
std::wstring CollisionMessage(const std::wstring& proposal);

}  // namespace rn
