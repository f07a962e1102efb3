// A file an overwrite replaces is never deleted: it goes to the Recycle Bin
// of its volume, or, where the Recycle Bin cannot have it, into a folder of
// the program's own, and it comes back from there.
//
// The shell may delete a file for good when its volume has no Recycle Bin
// (or the file does not fit in it), without a word when asked for no
// questions. So the file first gets a second name in its folder (a hard
// link); only when that name still shares the file after the shell's delete
// did the file reach the Recycle Bin. Otherwise the second name holds the
// file, and it goes to the program's folder.
#pragma once
#include <cstdint>
#include <string>

namespace rn {

// The names a setting aside uses, chosen before anything moves (for the
// undo journal): a free second name beside the file, and a free place in
// `keepFolder` (a folder ending in a backslash, made when first needed).
struct AsideNames {
  std::wstring link;
  std::wstring kept;
};
AsideNames PlanAside(const std::wstring& path, const std::wstring& keepFolder);

enum class AsideResult { RecycleBin, Kept, Failed };

// Puts the file at `path` aside as planned. `error` gets the Win32 error of a
// failure; the file is then where it was.
AsideResult SetAside(const std::wstring& path, const AsideNames& names, uint32_t& error);

// Puts a file set aside back at `path`, never over an existing entry: from
// `kept` (which may lie on another volume), or, with `kept` empty, from the
// Recycle Bin (the latest file deleted from that path). 0 or the Win32 error.
uint32_t PutBack(const std::wstring& path, const std::wstring& kept);

// Whether two paths name one file (hard links), and the removal of a file's
// second name.
bool SameFile(const std::wstring& a, const std::wstring& b);
bool RemoveName(const std::wstring& path);

}  // namespace rn
