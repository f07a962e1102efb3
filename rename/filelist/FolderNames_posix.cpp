// Native builds exist for the portable tests: names, kinds, sizes and the
// last write as the platform counts it.
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
    if (!e.isDir) e.size = entry.file_size(ec);
    if (auto t = entry.last_write_time(ec); !ec) e.ticks[0] = static_cast<uint64_t>(t.time_since_epoch().count());
    each(std::move(e));
  }
  return true;
}

}  // namespace rn
