#include "engine/RenameRun.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "base/Text.h"
#include "base/Texts.h"
#include "engine/RunLog.h"

namespace rn {

namespace {

constexpr size_t kLongestName = 230;

std::wstring TrimSpaces(const std::wstring& s) {
  const size_t a = s.find_first_not_of(L' ');
  if (a == std::wstring::npos) return L"";
  return s.substr(a, s.find_last_not_of(L' ') - a + 1);
}

}  // namespace

std::wstring TooLongMessage(const std::wstring& oldName) {
  return Text(TextId::MsgNameTooLong) + L"\r'" + ShortenPath(oldName, 80) + L"'\r" + Text(TextId::MsgKeepsName);
}

std::wstring ZeroSizeMessage(const std::wstring& oldName) {
  return Text(TextId::MsgZeroSizeName) + L"\r'" + ShortenPath(oldName, 80) + L"'\r" + Text(TextId::MsgKeepsName);
}

std::wstring CollisionMessage(const std::wstring& proposal) {
  return Text(TextId::MsgDuplicateNames) + L"\r ( '" + proposal + L"' and '" + proposal + L"' )\r\r" +
         Text(TextId::MsgOverwrite) + proposal + L"?";
}

namespace {

// The proposals of the checked rows that exist, less those refused. A row
// that is gone (or whose folder cannot be entered) is marked as dropped.
std::vector<PlannedRename> PlanRows(const FileList& list, int64_t counter, const RunPorts& ports,
                                    std::vector<bool>& dropped) {
  std::vector<PlannedRename> plan;
  std::wstring entered;
  for (int r = 0; r < list.RowCount(); ++r) {
    const FileRow& row = list.Row(r);
    if (!row.checked) continue;
    const std::wstring folder = row.Folder(), old = row.name;
    if (!ports.fileExists(folder + old) && !(row.isDir && ports.folderExists(folder + old))) {
      dropped[static_cast<size_t>(r)] = true;
      continue;
    }
    // The working directory stays where the last row left it.
    if (folder != entered) {
      if (!ports.enterFolder(folder)) {  // gone between the test and now: as a failed rename
        dropped[static_cast<size_t>(r)] = true;
        entered.clear();
        continue;
      }
      entered = folder;
    }
    const std::optional<std::wstring> proposal = ports.propose(row, counter);
    if (!proposal) {  // the entry was changed where it is
      if (ports.progress) ports.progress(r + 1);
      continue;
    }
    ++counter;
    const std::wstring& next = *proposal;
    if (next == old || OnlySpaces(next)) continue;
    if (Utf16Length(next) > kLongestName) {  // Windows' limit, as Windows measures it
      ports.tell(TooLongMessage(old));
      continue;
    }
    const std::wstring trimmed = TrimSpaces(next);
    if (!row.isDir && trimmed.find_last_of(L'.') == 0) {  // nothing in front of the extension
      ports.tell(ZeroSizeMessage(old));
      continue;
    }
    plan.push_back({r, folder, old, next});
  }
  return plan;
}

}  // namespace

RunOutcome VisitRows(FileList& list, int run, int64_t counter, const RunPorts& ports) {
  RunOutcome out;
  if (list.Empty()) return out;
  std::vector<bool> dropped(static_cast<size_t>(list.RowCount()));
  const std::vector<PlannedRename> plan = PlanRows(list, counter, ports, dropped);
  if (!plan.empty() && ports.planned) ports.planned(plan);
  bool yesToAll = false;
  for (size_t k = 0; k < plan.size(); ++k) {
    const PlannedRename& p = plan[k];
    const int r = p.row;
    // The file of a row replaced earlier in this run is gone: nothing to rename.
    if (dropped[static_cast<size_t>(r)]) continue;
    if (ports.progress) ports.progress(r + 1);
    const std::wstring from = p.folder + p.oldName, to = p.folder + p.newName;
    RenameResult result = ports.rename(from, to, false);
    std::vector<int> replaced;
    if (result == RenameResult::TargetExists && ports.fileExists(to) && !EqualsNoCase(p.newName, p.oldName)) {
      CollisionAnswer answer = yesToAll ? CollisionAnswer::Yes : ports.askCollision(p.newName);
      if (answer == CollisionAnswer::Cancel) break;
      if (answer == CollisionAnswer::No) continue;
      if (answer == CollisionAnswer::YesToAll) yesToAll = true;
      replaced = list.RowsWithPath(to);
      result = ports.rename(from, to, true);
    }
    const bool ok = result == RenameResult::Done;
    if (ok && ports.renamed) ports.renamed(k);
    RecordRename(list, r, run, p.oldName, p.newName);
    out.renamedAny = true;
    if (!ok) dropped[static_cast<size_t>(r)] = true;
    // The replaced file's row goes with it (only when it was replaced).
    if (ok)
      for (int gone : replaced)
        if (gone != r) dropped[static_cast<size_t>(gone)] = true;
  }
  FollowRenamedFolders(list);
  for (size_t i = 0; i < dropped.size(); ++i)
    if (dropped[i]) out.notRenamed.push_back(static_cast<int>(i));
  return out;
}

}  // namespace rn
