#include <windows.h>

#include "base/FileSystem_win.h"
#include "base/Path.h"
#include "engine/FileRename.h"

namespace rn {

namespace {

std::wstring NameOf(const std::wstring& path) {
  std::wstring folder, name;
  SplitPath(path, folder, name);
  return name;
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// A name in the folder that nothing uses yet.
std::wstring FreeTemporaryName(const std::wstring& folder) {
  for (unsigned n = GetTickCount() & 0xFFFF, tries = 0; tries < 1000; ++n, ++tries) {
    std::wstring candidate = folder + L"~rename" + std::to_wstring(n) + L".tmp";
    if (FileAttributes(candidate) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND)
      return candidate;
  }
  return L"";
}

}  // namespace

std::wstring TemporaryName(const std::wstring& folder, size_t serial) {
  const std::wstring base = folder + L"~rename" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(serial);
  std::wstring candidate = base + L".tmp";
  for (unsigned n = 2; FileAttributes(candidate) != INVALID_FILE_ATTRIBUTES && n < 100000; ++n)
    candidate = base + L"-" + std::to_wstring(n) + L".tmp";
  return candidate;
}

uint32_t RenameEntry(const std::wstring& from, const std::wstring& to, bool replaceExisting) {
  if (from == to) return 0;
  if (!SameIgnoringCase(from, to)) {
    const DWORD flags = replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0;
    return MoveEntry(from, to, flags) ? 0 : GetLastError();
  }

  // Only the letter case changes: try the direct way, then look at the result.
  const std::wstring wanted = NameOf(to);
  if (!MoveEntry(from, to)) return GetLastError();
  if (SpellingOnDisk(to) == wanted) return 0;

  const std::wstring temp = FreeTemporaryName(FolderOf(to));
  if (temp.empty()) return ERROR_FILE_EXISTS;
  if (!MoveEntry(from, temp)) return GetLastError();
  if (!MoveEntry(temp, to)) {
    const DWORD error = GetLastError();
    MoveEntry(temp, from);  // back under its old name
    return error;
  }
  return SpellingOnDisk(to) == wanted ? 0 : ERROR_GEN_FAILURE;
}

}  // namespace rn
