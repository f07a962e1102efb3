// What a rename run leaves in the list for undo: each row's PrevName and its
// History cells (cell 7 + n holds the name before run n), and the folder rows'
// follow-up for the entries lying directly in a renamed folder.
#pragma once
#include <functional>
#include <string>

#include "filelist/FileList.h"

namespace rn {

// After run `run` renamed the row from `oldName` to `newName` (or tried to):
// the row shows the new name and remembers the old one.
void RecordRename(FileList& list, int row, int run, const std::wstring& oldName, const std::wstring& newName);

// Every row lying directly in a folder entry that was renamed (its Folder is
// that entry's Folder + PrevName + "\") takes the folder's new name. Linear in
// the number of rows.
void FollowRenamedFolders(FileList& list);

// Takes back run `run`: every row with a PrevName and a name in History cell
// 7 + run is renamed back through `renameBack(from, to)` (true on success)
// and shows its old name again. `progress(row)` is told each visited row.
// Returns the number of rows that could not be renamed back (left alone).
int UndoRun(FileList& list, int run, const std::function<bool(const std::wstring&, const std::wstring&)>& renameBack,
            const std::function<void(int row)>& progress);

}  // namespace rn
