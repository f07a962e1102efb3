// Whole-file reading and replacing, used for the settings file: a replace
// either leaves the new contents or the old ones on disk, never a mix. And a
// file only ever appended to, for the undo journal.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace rn {

// False when the file cannot be opened or read (bytes then undefined).
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Writes bytes to a temporary file in the target's own folder, flushes it
// to disk and then renames it over the target in one step. On any failure
// the temporary file is removed and the target is left as it was.
bool ReplaceFileContents(const std::wstring& path, const std::string& bytes);

// What is needed to notice that a file changed since it was last read.
// id is the file's identity (file index / inode), which changes with every
// replace even when size and time stay the same; 0 where unknown.
struct FileStamp {
  uint64_t size = 0;
  uint64_t mtime = 0;  // platform units, only compared for equality
  uint64_t id = 0;
  bool exists = false;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
FileStamp GetFileStamp(const std::wstring& path);

// A file written only at its end, kept open from the first append until
// Close (or the end of the object).
class AppendFile {
 public:
  explicit AppendFile(std::wstring path) : path_(std::move(path)) {}
  ~AppendFile() { Close(); }
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // Appends the bytes, creating the file when it is missing; with `flush`
  // they are on the disk when it returns. False on any failure.
  bool Append(std::string_view bytes, bool flush);
  // Lets the file go, so that it can be replaced or deleted.
  void Close();
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
  intptr_t handle_ = -1;
};

}  // namespace rn
