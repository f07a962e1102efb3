// Native builds exist for the portable tests: names and kinds only.
#include <filesystem>
#include <system_error>

#include "filelist/FolderNames.h"

namespace rn {

bool ScanFolder(const std::wstring& folder, const std::function<void(FolderEntry&&)>& each) {
  std::error_code ec;
  std::filesystem::directory_iterator it(std::filesystem::path(folder), ec);
  if (ec) return false;
  for (const auto& entry : it) {
    FolderEntry e;
    e.name = entry.path().filename().wstring();
    e.isDir = entry.is_directory(ec);
    each(std::move(e));
  }
  return true;
}

}  // namespace rn
