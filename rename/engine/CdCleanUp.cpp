#include "engine/CdCleanUp.h"

#include <string_view>
#include <utility>

#include "base/Path.h"
#include "base/Text.h"
#include "engine/RunLog.h"

namespace rn {

bool CdBaseTooLong(const std::wstring& base, const std::wstring& extension) {
  return static_cast<long long>(CodePointCount(base)) > 31 - static_cast<long long>(CodePointCount(extension));
}

std::wstring CdCleanBase(const std::wstring& base) {
  std::wstring out = base;
  for (auto& c : out)
    if (std::wstring_view(L"[],{} &;^()").find(c) != std::wstring_view::npos) c = L'_';
  return out;
}

int CleanNamesForCd(FileList& list, int run, const CdPorts& ports) {
  int renamed = 0;
  for (int r = 0; r < list.RowCount(); ++r) {
    const FileRow& row = std::as_const(list).Row(r);
    const std::wstring folder = row.Folder(), name = row.name;
    if (!folder.empty() && !ports.enterFolder(folder)) {
      ports.folderGone(folder);
      break;
    }
    const std::wstring ext = ExtensionOf(name);
    std::wstring base = name.substr(0, name.size() - ext.size());
    bool cancelled = false;
    while (CdBaseTooLong(base, ext)) {
      const std::optional<std::wstring> typed = ports.askShorterBase(base);
      if (!typed) {
        cancelled = true;
        break;
      }
      base = *typed;
    }
    if (cancelled) break;
    const std::wstring next = CdCleanBase(base) + ext;
    if (next == name) continue;
    // A change of letter case only is no collision: it is the same file.
    const bool replace = ports.fileExists(folder + next) && !EqualsNoCase(next, name) && ports.askReplace(next);
    if (ports.aboutToRename) ports.aboutToRename(folder + name, next);
    if (!ports.rename(folder + name, folder + next, replace)) {
      ports.renameFailed(name);
      continue;
    }
    RecordRename(list, r, run, name, next);
    ++renamed;
    ports.renamed(r);
  }
  return renamed;
}

}  // namespace rn
