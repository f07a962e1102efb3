#include "engine/RunLog.h"

#include <cstdint>
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

UndoOutcome UndoRun(FileList& list, int run, const std::vector<ReplacedFile>& replaced, const UndoPorts& ports) {
  UndoOutcome out;
  if (run < 1) return out;
  struct Back {
    int row;
    std::wstring name, back;
  };
  std::vector<Back> rows;
  std::vector<MoveRequest> requests;
  std::vector<size_t> requestOf;  // [rows index] -> request, or none
  if (!list.Empty()) {
    for (int row = 0; row < list.RowCount(); ++row) {
      const FileRow& r = std::as_const(list).Row(row);
      if (r.names.empty() || OnlySpaces(r.names[0])) continue;
      const std::wstring back = list.Cell(ColPrevName + run, row);
      if (back.empty()) continue;  // run `run` did not rename this row
      const std::wstring cur = r.Folder() + r.name, target = r.Folder() + back;
      requestOf.push_back(cur == target ? SIZE_MAX : requests.size());
      if (cur != target) requests.push_back({cur, target});
      rows.push_back({row, r.name, back});
    }
  }
  const MovePlan plan = PlanMoves(std::move(requests), ports.temporaryName);
  // The latest replaced first: a file replaced twice comes back as it was first.
  const std::vector<ReplacedFile> files(replaced.rbegin(), replaced.rend());
  if (ports.planned) ports.planned(plan, files);

  std::vector<int> rowOfRequest(plan.requests.size());
  for (size_t i = 0; i < rows.size(); ++i)
    if (requestOf[i] != SIZE_MAX) rowOfRequest[requestOf[i]] = rows[i].row;
  MovePorts moves;
  moves.rename = ports.rename;
  moves.starting = [&](size_t request) {
    if (ports.progress) ports.progress(rowOfRequest[request]);
  };
  moves.stepDone = ports.done;
  const std::vector<MoveOutcome> made = MakeMoves(plan, moves);

  for (size_t i = 0; i < rows.size(); ++i) {
    if (requestOf[i] != SIZE_MAX && made[requestOf[i]] != MoveOutcome::Done) {
      ++out.leftAlone;
      continue;
    }
    list.SetCell(ColFileName, rows[i].row, rows[i].back);
    list.SetCell(ColPrevName, rows[i].row, rows[i].name);
  }
  FollowRenamedFolders(list);
  list.SetColumnCount(std::max(kBaseColumnCount, list.ColumnCount() - 1));

  for (size_t i = 0; i < files.size(); ++i) {
    const ReplacedFile& f = files[i];
    if (!ports.putBack || !ports.putBack(f)) {
      out.notPutBack.push_back(f.path);
      continue;
    }
    ++out.putBack;
    if (ports.done) ports.done(plan.steps.size() + i);
    if (!f.returnTo.empty()) ports.rename(f.path, f.path.substr(0, f.path.find_last_of(L'\\') + 1) + f.returnTo);
  }
  return out;
}

}  // namespace rn
