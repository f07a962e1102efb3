// Paths past the system's old length limit. The file-system calls of the
// ports take them in the extended-length form ("\\?\C:\...",
// "\\?\UNC\server\share\..."), which lifts the limit; rows, captions and
// messages keep the normal spelling, so the extended form is made at the
// call and never kept.
#pragma once
#include <cstddef>
#include <string>

namespace rn {

// From this length on a path takes the extended form at a file-system call.
// The folder calls refuse a plain path already 12 characters short of the
// old limit of 260 (room for an 8.3 name), hence 248.
inline constexpr size_t kPlainPathLimit = 248;

// The extended-length form of an absolute path: "C:\a\b" gives "\\?\C:\a\b",
// "\\server\share\x" gives "\\?\UNC\server\share\x". Slashes become
// backslashes, runs of separators one, and "." and ".." components are
// resolved, since the extended form takes every character as it stands.
// Relative and drive-relative paths, paths already in the extended form and
// device paths ("\\.\") come back unchanged.
std::wstring ExtendedLengthPath(const std::wstring& path);

// What a file-system call is given: the path itself while it is shorter than
// kPlainPathLimit (the system reads it as it always did), its extended form
// from there on.
std::wstring SystemPath(const std::wstring& path);

// The normal spelling of an extended-length drive or UNC path ("\\?\C:\a"
// gives "C:\a", "\\?\UNC\s\x" gives "\\s\x"); any other path unchanged.
std::wstring NormalPath(const std::wstring& path);

}  // namespace rn
