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

#include "filelist/FileList.h"

namespace rn {

enum class CollisionAnswer { Yes, No, Cancel, YesToAll };
enum class RenameResult { Done, TargetExists, Failed };

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
  // 9 and 15 change the entry here and propose nothing).
  std::function<std::optional<std::wstring>(const FileRow& row, int64_t counter)> propose;
  std::function<CollisionAnswer(const std::wstring& proposal)> askCollision;
  std::function<void(const std::wstring& message)> tell;
  // Renames within a folder; `replace` overwrites an existing file in the same
  // step. Without it, an existing entry of the new name is reported as such
  // and nothing changes, so that the run asks only then (no extra lookup of a
  // name that is not there, which costs the folder's size on some systems).
  std::function<RenameResult(const std::wstring& from, const std::wstring& to, bool replace)> rename;
  // Told each row worked on the disk: the rows of the plan as they are
  // renamed, or, for operations that propose nothing, as they are changed.
  std::function<void(int position)> progress;
  // The whole plan, before its first rename (when it has any pair), and each
  // pair of it renamed, by its index in the plan (both may be left empty).
  std::function<void(const std::vector<PlannedRename>& plan)> planned;
  std::function<void(size_t index)> renamed;
};

struct RunOutcome {
  bool renamedAny = false;
  std::vector<int> notRenamed;  // row numbers, ascending, each once
};

// Visits the rows top to bottom as run number `run`, the counter starting at
// `counter` and growing after every entry that got a proposal. The messages
// about refused proposals come while the plan is made, before any rename.
RunOutcome VisitRows(FileList& list, int run, int64_t counter, const RunPorts& ports);

// "...so file" CR "'short path'" CR "will keep it's name as it was." messages.
std::wstring TooLongMessage(const std::wstring& oldName);
std::wstring ZeroSizeMessage(const std::wstring& oldName);
// The collision question for a proposal.
std::wstring CollisionMessage(const std::wstring& proposal);

}  // namespace rn
