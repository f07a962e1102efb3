// The file system as the intake and the runs see it: entry tests, the
// working directory and directory scans.
#pragma once
#include <functional>
#include <string>

#include "base/DateTime.h"
#include "filelist/Intake.h"

namespace rn {

// True when the path names a directory; a path that cannot be found is not one.
bool IsFolder(const std::wstring& path);
// True when the path names a file (not a directory).
bool IsFile(const std::wstring& path);

// Makes the folder the working directory. A folder that exists but cannot
// become it still counts as entered: on systems that keep the old length
// limit for the working directory a deep folder never can, and every file
// call takes full paths anyway. False (last error set) when it is not there.
bool EnterFolder(const std::wstring& folder);

// One path's folder flag and FileDate text, from a single query of its attributes.
FoundEntry LookupPath(const std::wstring& path, DateType type, const std::wstring& dateSeparator);

// Every entry matching the pattern (hidden and system ones included), in the
// file system's order, with its FileDate text for the given date type.
void ScanDirectory(const std::wstring& pattern, DateType type, const std::wstring& dateSeparator,
                   const std::function<bool(const FoundEntry&)>& each);

}  // namespace rn
