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

RunOutcome VisitRows(FileList& list, int run, int64_t counter, const RunPorts& ports) {
  RunOutcome out;
  if (list.Empty()) return out;
  std::vector<bool> dropped(static_cast<size_t>(list.RowCount()));
  bool yesToAll = false;
  std::wstring entered;
  for (int r = 0; r < list.RowCount(); ++r) {
    const FileRow& row = std::as_const(list).Row(r);
    if (!row.checked) continue;
    // The file of a row replaced earlier in this run is gone: nothing to rename.
    if (dropped[static_cast<size_t>(r)]) continue;
    const std::wstring folder = row.Folder(), old = row.name;
    if (!ports.fileExists(folder + old) && !(row.isDir && ports.folderExists(folder + old))) {
      dropped[static_cast<size_t>(r)] = true;
      continue;
    }
    if (ports.progress) ports.progress(r + 1);
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
    if (!proposal) continue;
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
    RenameResult result = ports.rename(folder + old, folder + next, false);
    std::vector<int> replaced;
    if (result == RenameResult::TargetExists && ports.fileExists(folder + next) && !EqualsNoCase(next, old)) {
      CollisionAnswer answer = yesToAll ? CollisionAnswer::Yes : ports.askCollision(next);
      if (answer == CollisionAnswer::Cancel) break;
      if (answer == CollisionAnswer::No) continue;
      if (answer == CollisionAnswer::YesToAll) yesToAll = true;
      replaced = list.RowsWithPath(folder + next);
      result = ports.rename(folder + old, folder + next, true);
    }
    const bool ok = result == RenameResult::Done;
    RecordRename(list, r, run, old, next);
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
