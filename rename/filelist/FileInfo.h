// The file information panel's texts and the character position counter's
// rule, apart from any window so that they are tested on every platform.
#pragma once
#include <cstdint>
#include <string>

#include "filelist/MediaFields.h"

namespace rn {

// Attribute bits as the file system reports them.
namespace attr {
inline constexpr uint32_t kReadOnly = 0x1;
inline constexpr uint32_t kHidden = 0x2;
inline constexpr uint32_t kSystem = 0x4;
inline constexpr uint32_t kDirectory = 0x10;
inline constexpr uint32_t kArchive = 0x20;
inline constexpr uint32_t kNormal = 0x80;
inline constexpr uint32_t kTemporary = 0x100;
inline constexpr uint32_t kCompressed = 0x800;
inline constexpr uint32_t kOffline = 0x1000;
}  // namespace attr

// "Get File's Attr": the names of the bits that are set, each followed by a
// space: Archive, Compressed, Directory, Hidden, Normal, OffLine, ReadOnly,
// System, Temporary.
std::wstring AttributeNames(uint32_t attributes);

// What the file-name field shows for a path that is no existing file.
inline constexpr const wchar_t* kFileMissingText = L"  [ file doesn't exist ]";

// The value fields of the panel, as they stand: the seven of every file, and
// what a photo or a song says about itself.
struct FileInfoFields {
  std::wstring name, folder, size, attributes, created, modified, accessed;
  std::wstring media;
  bool operator==(const FileInfoFields&) const = default;
};

// "H "/"- ", "A "/"- ", "R "/"- ", "S "/"- ", then "C ", "D ", "N ", "O ", "T "
// for those that are set.
std::wstring AttributeLetters(uint32_t attributes);

// Kilobytes with at most two decimals, no trailing zeros, halves rounded away
// from zero, then "  Kb": 256 bytes give "0.25  Kb".
std::wstring FileSizeText(uint64_t bytes, const std::wstring& decimalSeparator);

// One line of what the file says about itself: the date taken (`taken`, as
// the panel shows dates), the camera, the lens, the ISO and the size of a
// photo; the artist, the album and its year, the track and its title, the
// genre of a song. Empty when it says nothing.
std::wstring MediaSummary(const MediaFields& media, const std::wstring& taken);

// Seven lines, each ending in CR LF, for the clipboard, and an eighth for a
// file that says something about itself.
std::wstring InfoClipboardText(const FileInfoFields& fields);

// The name's length in characters without its extension (from the last dot on).
int NameLengthWithoutExtension(const std::wstring& fileName);
// The counter after the pointer or caret reached unit offset `unitIndex` of
// the name (what the edit box reports: UTF-16 units on Windows): the number
// of characters before it when that lies within the name before its
// extension, otherwise the previous value.
int CharPositionCounter(int previous, int unitIndex, const std::wstring& fileName);

}  // namespace rn
