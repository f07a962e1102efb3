// The clean-up for CD recording: every name of the list made short enough
// and free of the characters CD file systems refuse, one row at a time, as
// one run that undo can take back.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "filelist/FileList.h"

namespace rn {

// CD names: a base of at most 31 characters (code points) less the extension's, and
// "_" for each of [ ] , { } space & ; ^ ( ) in the base.
bool CdBaseTooLong(const std::wstring& base, const std::wstring& extension);
std::wstring CdCleanBase(const std::wstring& base);

struct CdPorts {
  std::function<bool(const std::wstring& folder)> enterFolder;  // the working directory
  std::function<void(const std::wstring& folder)> folderGone;   // told once; the clean-up ends
  // A shorter base for a name that is too long; nothing when the user cancels,
  // which ends the clean-up.
  std::function<std::optional<std::wstring>(const std::wstring& base)> askShorterBase;
  std::function<bool(const std::wstring& path)> fileExists;
  std::function<bool(const std::wstring& newName)> askReplace;  // another file has the clean name
  // Told just before each rename (the journal writes the pair); may be empty.
  std::function<void(const std::wstring& from, const std::wstring& newName)> aboutToRename;
  std::function<bool(const std::wstring& from, const std::wstring& to, bool replace)> rename;
  std::function<void(const std::wstring& name)> renameFailed;  // told; the clean-up goes on
  std::function<void(int row)> renamed;                        // after the row's history is written
};

// Visits every row (checked or not) top to bottom as run number `run`.
// Returns how many rows were renamed.
int CleanNamesForCd(FileList& list, int run, const CdPorts& ports);

}  // namespace rn
