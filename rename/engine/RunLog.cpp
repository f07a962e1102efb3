#include "engine/RunLog.h"

#include <memory>
#include <unordered_map>
#include <utility>

#include "base/Text.h"

namespace rn {

void RecordRename(FileList& list, int row, int run, const std::wstring& oldName, const std::wstring& newName) {
  list.SetCell(ColPrevName, row, oldName);
  list.SetCell(ColPrevName + run, row, oldName);
  list.SetColumnCount(std::max(list.ColumnCount(), ColPrevName + run + 1));
  list.SetCell(ColFileName, row, newName);
}

void FollowRenamedFolders(FileList& list) {
  if (list.Empty()) return;
  // Old folder text -> new folder text, one shared string per renamed folder.
  std::unordered_map<std::wstring, std::shared_ptr<const std::wstring>> moved;
  for (const FileRow& f : std::as_const(list).Rows()) {
    if (!f.isDir || f.names.empty() || f.names[0].empty() || f.names[0] == f.name) continue;
    moved.emplace(f.Folder() + f.names[0] + L"\\", std::make_shared<const std::wstring>(f.Folder() + f.name + L"\\"));
  }
  if (moved.empty()) return;
  for (FileRow& r : list.Rows()) {
    auto it = moved.find(r.Folder());
    if (it != moved.end()) r.folder = it->second;
  }
}

int UndoRun(FileList& list, int run, const std::function<bool(const std::wstring&, const std::wstring&)>& renameBack,
            const std::function<void(int row)>& progress) {
  if (list.Empty() || run < 1) return 0;
  int leftAlone = 0;
  for (int row = 0; row < list.RowCount(); ++row) {
    const FileRow& r = std::as_const(list).Row(row);
    if (r.names.empty() || OnlySpaces(r.names[0])) continue;
    if (progress) progress(row);
    const std::wstring back = list.Cell(ColPrevName + run, row);
    if (back.empty()) continue;  // run `run` did not rename this row
    const std::wstring name = r.name;
    const std::wstring cur = r.Folder() + name, target = r.Folder() + back;
    if (cur != target && !renameBack(cur, target)) {
      ++leftAlone;
      continue;
    }
    list.SetCell(ColFileName, row, back);
    list.SetCell(ColPrevName, row, name);
  }
  FollowRenamedFolders(list);
  list.SetColumnCount(std::max(kBaseColumnCount, list.ColumnCount() - 1));
  return leftAlone;
}

}  // namespace rn
