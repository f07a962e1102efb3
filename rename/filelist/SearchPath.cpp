#include "filelist/SearchPath.h"

#include "base/Path.h"
#include "base/Text.h"
#include "filelist/FileList.h"

namespace rn {

std::wstring SearchFolderOf(const std::wstring& searchPath) {
  std::wstring folder, name;
  SplitPath(searchPath, folder, name);
  return folder;
}

std::wstring AsFolder(const std::wstring& folder) {
  const std::wstring f = Trim(folder);
  if (f.empty()) return f;
  return (f.back() == L'\\' || f.back() == L'/') ? f : f + L'\\';
}

std::wstring ShownSearchPath(const std::wstring& current, const std::wstring& lastFolder, const std::wstring& mask) {
  // The last folder is a folder even without its backslash: "C:\data" means
  // C:\data\, not its parent.
  if (Trim(current).empty()) return AsFolder(lastFolder) + mask;
  return SearchFolderOf(current) + mask;
}

}  // namespace rn
