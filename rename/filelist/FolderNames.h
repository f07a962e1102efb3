// What the list's folders hold, read once per folder and kept until it is
// forgotten: the preview of a run asks here instead of the disk, so that a
// keystroke costs no file-system call. Names are compared without regard to
// letter case, as the file system compares them.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rn {

struct FolderEntry {
  std::wstring name;
  bool isDir = false;
  // The file system's stamps as it keeps them (last write, creation, last
  // access), turned into local date-times by StampFromTicks when needed.
  std::array<uint64_t, 3> ticks{};
  uint64_t size = 0;  // bytes; with the last write, tells that a file changed
};

// Every entry of the folder (ending in a backslash); false when it cannot be read.
using FolderScan = std::function<bool(const std::wstring& folder, const std::function<void(FolderEntry&&)>& each)>;

class FolderNames {
 public:
  explicit FolderNames(FolderScan scan) : scan_(std::move(scan)) {}
  // The entry of that name in the folder, or nothing; the folder is read at
  // its first question. A folder that cannot be read holds nothing.
  const FolderEntry* Find(const std::wstring& folder, const std::wstring& name);
  // A folder's whole listing, read by someone else just now (the intake's
  // walk): the folder is not read again until forgotten.
  void Adopt(const std::wstring& folder, std::vector<FolderEntry>&& entries);
  // Everything read so far is read again when next asked.
  void Forget() {
    folders_.clear();
    last_ = nullptr;
  }
  // A change the program made itself, told to a folder read already so that
  // it need not be read again: an entry came into it, or left it. A folder
  // not read yet is read as it is when first asked.
  void Came(const std::wstring& folder, FolderEntry entry);
  void Left(const std::wstring& folder, const std::wstring& name);
  // The folders read at `path` (ending in a backslash) and below it are read
  // again when next asked: a folder there has moved.
  void ForgetBelow(const std::wstring& path);
  size_t FoldersRead() const { return folders_.size(); }

 private:
  struct ViewHash {
    using is_transparent = void;
    size_t operator()(std::wstring_view s) const { return std::hash<std::wstring_view>()(s); }
  };
  // Folded names; lookups take a view of a buffer kept between calls.
  using Entries = std::unordered_map<std::wstring, FolderEntry, ViewHash, std::equal_to<>>;
  std::wstring_view Folded(const std::wstring& text);
  Entries* Read(const std::wstring& folder);  // the folder's entries when read already

  FolderScan scan_;
  std::unordered_map<std::wstring, std::unique_ptr<Entries>, ViewHash, std::equal_to<>> folders_;
  // Rows of one folder come together: the last folder asked for is kept at hand.
  std::wstring lastFolder_;
  Entries* last_ = nullptr;
  std::wstring folded_;
};

// The folder's entries as the file system lists them. Implemented by the
// platform layer.
bool ScanFolder(const std::wstring& folder, const std::function<void(FolderEntry&&)>& each);

}  // namespace rn
