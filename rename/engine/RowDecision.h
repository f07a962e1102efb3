// What the rename run decides for one row, in the pieces that the run
// (VisitRows) and the preview of the new names share, so that the two
// cannot disagree: which rows the run visits, the proposal for a row, what
// becomes of the proposal, and when a taken name makes the run ask.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/DateLocale.h"
#include "base/DateTime.h"
#include "engine/CaseConvert.h"
#include "engine/Operation.h"
#include "filelist/FileList.h"
#include "filelist/MediaFields.h"

namespace rn {

// What a name in a folder stands for on disk.
enum class EntryKind { None, File, Folder };

// The run visits a row when it is checked and its entry is found: a file, or
// for a folder entry a file or a folder. Only visited rows move the counter.
bool RunVisits(const FileRow& row, EntryKind onDisk);

// Where the values of a row's fields come from (FieldText.h): the file's own
// data, asked only when the request's texts name a field of it, and the
// entry's time stamps. Without them those fields are missing.
struct RowFieldPorts {
  std::function<const MediaFields*(const FileRow& row)> media;
  std::function<std::optional<DateTime>(const FileRow& row, DateType type)> stamp;
};

// The proposal for a visited row: the transform of the request for the row's
// name, with its counter (operations 12 and 18) and, for operations 16 and 17
// only, its time stamp (`stamp` is asked then; nothing read counts as the
// first day of 1980), the fields of its texts filled in for the row. Nothing
// for operations that rename nothing. Throws RowRefused (Transforms.h) when
// the operation makes no name for the row, or the row lacks a field.
std::optional<std::wstring> ProposeForRow(const RenameTask& task, const FileRow& row, int64_t counter,
                                          const std::function<std::optional<DateTime>()>& stamp,
                                          const CaseConverter& cases, const DateLocale& dates,
                                          const RowFieldPorts* fields = nullptr);

enum class NameVerdict {
  None,       // no proposal: the counter stays where it is
  Unchanged,  // the name itself, or only spaces: nothing to do, nothing said
  TooLong,    // longer than Windows allows: the run says so, the entry keeps its name
  ZeroSize,   // nothing in front of the extension: likewise
  Rename,     // the run renames (a name that is taken may still ask or fail)
};
NameVerdict JudgeProposal(const FileRow& row, const std::optional<std::wstring>& proposal);
inline bool MovesCounter(NameVerdict verdict) { return verdict != NameVerdict::None; }

// The characters of a proposal that no file name may hold, in order ("" when
// none). The run hands no such name to the file system, which might take a
// backslash in it for a folder and move the entry there: the rename fails.
std::wstring RefusedNameCharacters(const std::wstring& proposal);

// The new name is taken in the folder: the run asks before replacing a file,
// unless only the letter case of the entry's own name changes. Any other taken
// name (a folder's) makes the rename fail.
bool AsksBeforeReplacing(const std::wstring& proposal, const std::wstring& old, EntryKind taken);

}  // namespace rn
