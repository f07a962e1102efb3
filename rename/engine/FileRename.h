// Every rename on disk goes through here: the run, undo, the CD clean-up and
// the command line's pairs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace rn {

// Renames (or moves within its volume) `from` to `to`. An existing entry is
// replaced only when asked, and then in the same call, so that a rename that
// fails leaves both as they were. A change of letter case only is made
// through a temporary name in the same folder where the file system ignores
// the direct rename, and the result is checked. Returns 0 or the Win32 error.
uint32_t RenameEntry(const std::wstring& from, const std::wstring& to, bool replaceExisting = false);

// A whole path in the folder (ending in a backslash) that no entry has, for
// an entry to wait under while others take its name; `serial` keeps the
// names given out for one plan apart before any of them exists.
std::wstring TemporaryName(const std::wstring& folder, size_t serial);

}  // namespace rn
