// The one way a path enters the file list: the type filter, the duplicate
// test, the folder question and the folder walks, for every source alike
// (open dialog, drop, search, command line, hand-off).
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <unordered_set>

#include "filelist/FileList.h"

namespace rn {

// What the user chose for a folder; Cancel also stands for a closed prompt.
enum class FolderChoice { Folder, Files, AllFiles, Cancel };
// What to do with folders, remembered through one batch of additions.
enum class FolderAnswer { Ask, Recursive, Skip };

// An entry a folder scan found, with what the scan already knows of it.
struct FoundEntry {
  std::wstring name;
  std::wstring date;  // FileDate text
  bool isDir = false;
  bool isLink = false;              // a reparse point: listed, never walked into
  std::array<uint64_t, 3> ticks{};  // the stamps as a folder's listing keeps them (FolderEntry)
  uint64_t size = 0;
};

// The file system and the user, as the intake sees them.
struct IntakePorts {
  // What the file system says of one path: whether it is a folder (a path that
  // cannot be found is not) and its FileDate text (empty when not found).
  std::function<FoundEntry(const std::wstring& path)> lookup;
  std::function<FolderChoice(const std::wstring& path)> askFolder;
  // Calls `each` for the entries matching pattern (folder + mask) in the file
  // system's order; "." and ".." may come and are ignored. Stops early when
  // `each` returns false. An unreadable folder gives nothing.
  std::function<void(const std::wstring& pattern, const std::function<bool(const FoundEntry&)>& each)> scan;
  // Lets the window handle its messages during long walks; false stops the
  // addition (the program is ending).
  std::function<bool()> pump;
};

struct Intake {
  FileList* list = nullptr;
  IntakePorts ports;
  std::wstring typeFilter = L"*.*";  // the filter box's text
  FolderAnswer folderAnswer = FolderAnswer::Ask;
  bool busy = false;     // a batch is running
  bool stopped = false;  // the pump asked to stop

  // Every batch starts here (the folder question is asked again).
  void ResetFolderAnswer() { folderAnswer = FolderAnswer::Ask; }
  void BeginBatch();
  void EndBatch() { busy = false; }

  // Adds at most one row, or a folder's contents; refusals are silent. A path
  // in the extended-length form ("\\?\C:\...") enters in its normal spelling.
  void AddPath(const std::wstring& path);
  // The search dialog's walk: every file of `folder` (ending in a backslash)
  // and, when recursive, of its whole tree, through AddPath.
  void Search(const std::wstring& folder, bool recursive);

 private:
  void AddFound(const std::wstring& path, const FoundEntry* found);
  // Scans one pattern; subfolders go to `queue` when it is given.
  void ScanFolder(const std::wstring& pattern, std::deque<std::wstring>* queue);
  // Breadth-first walk of the tree whose first pattern is given.
  void Walk(const std::wstring& firstPattern);

  // Folders queued or walked in the current walk (folded), so that a folder
  // reached twice is scanned once.
  std::unordered_set<std::wstring> seen_;
};

}  // namespace rn
