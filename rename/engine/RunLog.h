// What a rename run leaves in the list for undo: each row's PrevName and its
// History cells (cell 7 + n holds the name before run n), the files its
// overwrites replaced, and the folder rows' follow-up for the entries lying
// directly in a renamed folder.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "engine/RenameOrder.h"
#include "filelist/FileList.h"

namespace rn {

// After run `run` renamed the row from `oldName` to `newName` (or tried to):
// the row shows the new name and remembers the old one.
void RecordRename(FileList& list, int row, int run, const std::wstring& oldName, const std::wstring& newName);

// Every row lying directly in a folder entry that was renamed (its Folder is
// that entry's Folder + PrevName + "\") takes the folder's new name. Linear in
// the number of rows.
void FollowRenamedFolders(FileList& list);

// A file that an overwrite the user accepted replaced: never deleted, but
// sent to the Recycle Bin or kept in a folder of the program's own, so that
// undo can put it back.
struct ReplacedFile {
  std::wstring path;      // where it was
  std::wstring keptAt;    // where it is kept; empty: in the Recycle Bin
  std::wstring returnTo;  // the name it had before the run, when a rename of the same run gave it `path`
};

struct UndoPorts {
  // Never over an existing entry.
  std::function<RenameResult(const std::wstring& from, const std::wstring& to)> rename;
  std::function<std::wstring(const std::wstring& folder, size_t cycle)> temporaryName;
  // The renames back and the files to put back, before the first is made
  // (may be empty); each made, by its index (the files follow the renames).
  std::function<void(const MovePlan& plan, const std::vector<ReplacedFile>& files)> planned;
  std::function<void(size_t index)> done;
  // A replaced file back at its path; false when it cannot come back.
  std::function<bool(const ReplacedFile& file)> putBack;
  std::function<void(int row)> progress;  // each row renamed back, as it is
};

struct UndoOutcome {
  int leftAlone = 0;                // rows that could not be renamed back
  std::vector<std::wstring> notPutBack;  // replaced files that could not come back (their paths)
  int putBack = 0;
};

// Takes back run `run`: every row with a PrevName and a name in History cell
// 7 + run is renamed back (in an order that lets swaps and chains through)
// and shows its old name again; then the files the run replaced come back,
// the latest first, each to its place and then to its own name.
UndoOutcome UndoRun(FileList& list, int run, const std::vector<ReplacedFile>& replaced, const UndoPorts& ports);

}  // namespace rn
