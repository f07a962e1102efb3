// Every rename on disk goes through here: the run, undo, the CD clean-up and
// the command line's pairs.
#pragma once
#include <cstdint>
#include <string>

namespace rn {

// Renames (or moves within its volume) `from` to `to`. An existing entry is
// replaced only when asked, and then in the same call, so that a rename that
// fails leaves both as they were. A change of letter case only is made
// through a temporary name in the same folder where the file system ignores
// the direct rename, and the result is checked. Returns 0 or the Win32 error.
uint32_t RenameEntry(const std::wstring& from, const std::wstring& to, bool replaceExisting = false);

}  // namespace rn
