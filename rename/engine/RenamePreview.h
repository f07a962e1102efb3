// The preview of a rename run: for every row, the name the run would give it
// and whether the run would refuse it or stop at it, and why. It is decided
// by the run's own rules (RunChecks.h, RowDecision.h) and never touches the
// disk: what lies on disk comes through a port that the window answers from
// its cache of the folders' names.
//
// A row asked for is answered at once from the row alone (its place among
// the checked rows gives its counter; a name another row gives up counts as
// free). A pass then goes over the rows a slice at a time, first in the
// rows' order for the proposals, then in the order the run makes its renames
// (RenameOrder.h), following what every rename frees or takes in its folder;
// a row it has decided shows exactly what the run will do, and the counts are
// there once it has reached the end.
#pragma once
#include <cstdint>
#include <functional>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/DateLocale.h"
#include "engine/CaseConvert.h"
#include "engine/Operation.h"
#include "engine/RenameOrder.h"
#include "engine/RowDecision.h"
#include "filelist/FileList.h"

namespace rn {

enum class PreviewMark {
  None,       // unchecked, or the operation renames nothing: no new name
  Change,     // the run renames the entry to the name shown (a swap or a cycle says so)
  Unchanged,  // the proposal is the name itself: the run leaves the entry
  Refused,    // the request's checks stop the run before it touches a row
  TooLong,    // the run refuses the name and says so
  ZeroSize,   // likewise
  NoName,     // the operation makes no name for it (RowRefused): likewise
  Collides,   // a file has the name by then: the run asks before overwriting it
  Fails,      // a folder has the name, no name may hold its characters, or its folder moved first
  Missing,    // not found on disk when the run starts: it drops the row
};

// Marks the status counts as refused.
bool IsRefusal(PreviewMark mark);

struct RowPreview {
  PreviewMark mark = PreviewMark::None;
  std::wstring name;    // the proposal; empty without one
  std::wstring reason;  // why the row is marked (lines end in CR); empty for a plain change
};

struct PreviewCounts {
  int change = 0;
  int collide = 0;
  int refused = 0;
  int missing = 0;
  bool operator==(const PreviewCounts&) const = default;
};

struct PreviewPorts {
  // What has the name in the folder (the folder ends in a backslash).
  std::function<EntryKind(const std::wstring& folder, const std::wstring& name)> entry;
  // The row's time stamp of the date type in force (operations 16 and 17).
  std::function<std::optional<DateTime>(const FileRow& row)> stamp;
  // The values of the fields the request's texts name.
  RowFieldPorts fields;
  const CaseConverter* cases = nullptr;
  DateLocale dates;
};

// "12 will change, 2 collide, 1 refused, 3 not found": the changes always,
// the others when there are any.
std::wstring PreviewSummary(const PreviewCounts& counts);

class RenamePreview {
 public:
  RenamePreview() { Stop(); }
  // Starts over for the request as the panel holds it, on the list as it is:
  // the request's checks run here as at the start of a run. Operations that
  // rename nothing (none chosen, 9, 15) show nothing.
  void Start(const RenameTask& request, const FileList& list, PreviewPorts ports);
  // Nothing is shown until the next start.
  void Stop();
  bool Active() const { return list_ != nullptr; }

  // The row's preview (an inactive preview, a row outside the list or a list
  // changed since the start: None).
  const RowPreview& Row(int row);
  // Whether the pass has decided the row.
  bool Exact(int row) const;
  // Carries the pass on by up to `rows` rows; true once it has reached the end
  // (or the list has changed since the start: nothing to do until the next).
  bool Advance(int rows);
  bool Done() const { return !Active() || (next_ >= RowCount() && nextStep_ >= steps_.size()) || Stale(); }
  // Meaningful once done.
  const PreviewCounts& Counts() const { return counts_; }
  // The first message of the check that stops the run; empty when none does.
  const std::wstring& Refusal() const { return refusal_; }

 private:
  struct Taken {
    EntryKind kind = EntryKind::None;
    int byRow = -1;  // the row whose rename put it there; -1: on disk before the run
  };
  struct ViewHash {
    using is_transparent = void;
    size_t operator()(std::wstring_view s) const { return std::hash<std::wstring_view>()(s); }
  };
  // Keys live in an arena, so that starting over frees a pass of any length at once.
  using Overlay = std::pmr::unordered_map<std::pmr::wstring, Taken, ViewHash, std::equal_to<>>;

  int RowCount() const;
  bool Stale() const { return list_ && list_->Revision() != revision_; }
  // What the row's own proposal makes of it; Change for a rename still to be
  // placed among the others.
  RowPreview Decide(int row, int64_t counter, bool inPass);
  // A rename decided from the row alone: what has its new name on disk now,
  // unless another row gives that name up.
  void Alone(int row, RowPreview& p);
  bool GivenUpAlone(int row, const std::wstring& folder, const std::wstring& name);
  void DecideStep(size_t k);
  void DecideCycle(size_t first, size_t end);
  void Count(int row, RowPreview decided);
  Taken Lookup(const std::wstring& folder, const std::wstring& name, bool inPass);
  bool InMovedFolder(const std::wstring& folder);
  void Follow(int row, const std::wstring& newName, EntryKind kind);
  void Put(std::wstring_view key, Taken taken);
  // The whole path folded for comparing, in a buffer kept between calls.
  std::wstring_view Key(const std::wstring& folder, const std::wstring& name);

  const FileList* list_ = nullptr;
  uint64_t revision_ = 0;
  PreviewPorts ports_;
  RenameTask task_;
  int64_t firstCounter_ = 0;
  std::wstring refusal_;
  std::vector<RowPreview> rows_;
  std::vector<uint8_t> state_;  // 0 not yet, 1 from the row alone, 2 decided by the pass
  RowPreview none_;

  // The pass: first the rows in order with the counter, collecting the
  // renames; then the renames in the run's order, with what they did so far
  // in their folders (keys are whole paths without regard to case).
  int next_ = 0;
  int64_t counter_ = 0;
  std::vector<int> renames_;  // rows, in the rows' order
  std::vector<MoveStep> steps_;
  size_t nextStep_ = 0;
  std::unique_ptr<std::pmr::monotonic_buffer_resource> arena_;
  std::unique_ptr<Overlay> overlay_;
  std::unordered_set<std::wstring> movedFolders_;  // old paths of renamed folders, with backslash
  std::wstring key_;
  PreviewCounts counts_;
};

}  // namespace rn
