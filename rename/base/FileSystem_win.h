// Every call the program makes on the file system, each given a path as rows
// and messages spell it: the extended-length form that lifts the old length
// limit (LongPath.h) is made here, at the call, and nowhere else. A failure
// leaves GetLastError() set. The one listing of a folder lives here too.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "base/Handle_win.h"

namespace rn {

// INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD FileAttributes(const std::wstring& path);
bool FileAttributeData(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& data);
bool SetFileAttributesOf(const std::wstring& path, DWORD attributes);

bool MoveEntry(const std::wstring& from, const std::wstring& to, DWORD flags = 0);
bool DeleteFileAt(const std::wstring& path);
bool MakeFolder(const std::wstring& path);
bool CopyFileTo(const std::wstring& from, const std::wstring& to, bool failIfExists);
bool MakeHardLink(const std::wstring& link, const std::wstring& existing);
FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD share, DWORD disposition, DWORD flags);

// The working directory takes the plain spelling: an extended one would leak
// into every relative path the system resolves later. A folder past the old
// limit cannot become it on systems that keep that limit for it.
bool SetWorkingFolder(const std::wstring& folder);
// The path made whole against the working directory (itself when it cannot be).
std::wstring WholePath(const std::wstring& path);

// The one listing of a folder: every entry matching the pattern (a folder +
// "*", or a mask), hidden and system ones included, "." and ".." left out,
// in the file system's order, until `each` answers false. False when the
// folder cannot be read (last error set). The search handle is closed
// however `each` ends, an error included.
bool ListFolder(const std::wstring& pattern, const std::function<bool(const WIN32_FIND_DATAW&)>& each);
// The entry's name as the file system spells it; nothing when no entry is
// there (a wildcard in the path finds nothing: no name holds one).
std::optional<std::wstring> SpellingOnDisk(const std::wstring& path);

}  // namespace rn
