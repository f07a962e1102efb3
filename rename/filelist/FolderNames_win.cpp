#include <windows.h>

#include "base/FileSystem_win.h"
#include "filelist/FileTicks_win.h"
#include "filelist/FolderNames.h"

namespace rn {

bool ScanFolder(const std::wstring& folder, const std::function<void(FolderEntry&&)>& each) {
  return ListFolder(folder + L"*", [&](const WIN32_FIND_DATAW& data) {
    FolderEntry e;
    e.name = data.cFileName;
    e.isDir = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.ticks = {FileTimeTicks(data.ftLastWriteTime), FileTimeTicks(data.ftCreationTime),
               FileTimeTicks(data.ftLastAccessTime)};
    e.size = (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    each(std::move(e));
    return true;
  });
}

}  // namespace rn
