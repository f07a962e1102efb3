#include "engine/RenamePreview.h"

#include <utility>

#include "base/Text.h"
#include "base/Texts.h"
#include "engine/RenameRun.h"
#include "engine/RunChecks.h"

namespace rn {

bool IsRefusal(PreviewMark mark) {
  return mark == PreviewMark::Refused || mark == PreviewMark::TooLong || mark == PreviewMark::ZeroSize ||
         mark == PreviewMark::Fails;
}

std::wstring PreviewSummary(const PreviewCounts& counts) {
  std::wstring out = Text(TextId::PreviewWillChange, {std::to_wstring(counts.change)});
  const std::pair<int, TextId> others[] = {{counts.collide, TextId::PreviewCollide},
                                           {counts.refused, TextId::PreviewRefused},
                                           {counts.missing, TextId::PreviewMissing}};
  for (const auto& [count, text] : others)
    if (count > 0) out += L", " + Text(text, {std::to_wstring(count)});
  return out;
}

void RenamePreview::Start(const RenameTask& request, const FileList& list, PreviewPorts ports) {
  Stop();
  if (KindOf(request.Operation) != OperationKind::Name || list.Empty()) return;
  const CheckResult check = CheckRenameTask(request, list, ports.dates);
  list_ = &list;
  revision_ = list.Revision();
  ports_ = std::move(ports);
  if (!ports_.cases) ports_.cases = &PortableCaseConverter();
  task_ = check.task;
  firstCounter_ = check.firstCounter;
  counter_ = check.firstCounter;
  if (check.stop && !check.messages.empty()) refusal_ = check.messages.front();
  const size_t n = static_cast<size_t>(list.RowCount());
  if (rows_.size() != n) rows_.resize(n);
  state_.assign(n, 0);
}

void RenamePreview::Stop() {
  list_ = nullptr;
  refusal_.clear();
  next_ = 0;
  overlay_.reset();  // the keys' memory goes with the arena, in a few blocks
  arena_ = std::make_unique<std::pmr::monotonic_buffer_resource>();
  overlay_ = std::make_unique<Overlay>(arena_.get());
  movedFolders_.clear();
  counts_ = {};
}

int RenamePreview::RowCount() const { return list_ ? static_cast<int>(state_.size()) : 0; }

const RowPreview& RenamePreview::Row(int row) {
  if (row < 0 || row >= RowCount() || Stale()) return none_;
  const size_t r = static_cast<size_t>(row);
  if (state_[r] == 0) {
    // From the row alone: every checked row above it is taken to be there.
    rows_[r] = Decide(row, firstCounter_ + list_->CheckedBefore(row), false);
    state_[r] = 1;
  }
  return rows_[r];
}

bool RenamePreview::Exact(int row) const { return row >= 0 && row < next_; }

bool RenamePreview::Advance(int rows) {
  for (int done = 0; done < rows && !Done(); ++done, ++next_) {
    const size_t r = static_cast<size_t>(next_);
    RowPreview decided = Decide(next_, counter_, true);
    Follow(next_, decided);
    switch (decided.mark) {
      case PreviewMark::Change: ++counts_.change; break;
      case PreviewMark::Collides: ++counts_.collide; break;
      case PreviewMark::Missing: ++counts_.missing; break;
      default: counts_.refused += IsRefusal(decided.mark) ? 1 : 0; break;
    }
    rows_[r] = std::move(decided);
    state_[r] = 2;
  }
  return Done();
}

std::wstring_view RenamePreview::Key(const std::wstring& folder, const std::wstring& name) {
  key_.assign(folder).append(name);
  for (wchar_t& c : key_) c = FoldCase(c);
  return key_;
}

RenamePreview::Taken RenamePreview::Lookup(const std::wstring& folder, const std::wstring& name, bool inPass) {
  if (inPass && !overlay_->empty()) {
    if (auto it = overlay_->find(Key(folder, name)); it != overlay_->end()) return it->second;
  }
  return Taken{ports_.entry ? ports_.entry(folder, name) : EntryKind::None, -1};
}

bool RenamePreview::InMovedFolder(const std::wstring& folder) {
  if (movedFolders_.empty()) return false;
  const std::wstring folded(Key(folder, L""));
  for (size_t at = folded.find(L'\\'); at != std::wstring::npos; at = folded.find(L'\\', at + 1))
    if (movedFolders_.count(folded.substr(0, at + 1))) return true;
  return false;
}

// The run's decisions for the row, in the run's order: found (before any
// rename), proposal, verdict; then, as the renames come in the order of the
// rows, whether its folder is still where it was and what has the new name
// by the time the row's turn comes.
RowPreview RenamePreview::Decide(int row, int64_t counter, bool inPass) {
  const FileRow& r = list_->Row(row);
  RowPreview out;
  if (!r.checked) return out;
  const auto stamp = [&]() -> std::optional<DateTime> { return ports_.stamp ? ports_.stamp(r) : std::nullopt; };
  const std::wstring& folder = r.Folder();
  if (!refusal_.empty()) {
    out.mark = PreviewMark::Refused;
    out.reason = refusal_;
    out.name = ProposeForRow(task_, r, counter, stamp, *ports_.cases, ports_.dates).value_or(r.name);
    return out;
  }
  // The run looks for every entry before it renames the first.
  if (!RunVisits(r, ports_.entry ? ports_.entry(folder, r.name) : EntryKind::None)) {
    out.mark = PreviewMark::Missing;
    out.reason = Text(TextId::MsgNotFound);
    return out;
  }
  const std::optional<std::wstring> proposal = ProposeForRow(task_, r, counter, stamp, *ports_.cases, ports_.dates);
  const NameVerdict verdict = JudgeProposal(r, proposal);
  if (inPass && MovesCounter(verdict)) ++counter_;
  out.name = proposal.value_or(L"");
  switch (verdict) {
    case NameVerdict::None: return out;
    case NameVerdict::Unchanged:
      out.mark = PreviewMark::Unchanged;
      out.reason = Text(TextId::PreviewUnchanged);
      return out;
    case NameVerdict::TooLong:
      out.mark = PreviewMark::TooLong;
      out.reason = TooLongMessage(r.name);
      return out;
    case NameVerdict::ZeroSize:
      out.mark = PreviewMark::ZeroSize;
      out.reason = ZeroSizeMessage(r.name);
      return out;
    case NameVerdict::Rename: break;
  }
  if (const std::wstring bad = RefusedNameCharacters(out.name); !bad.empty()) {
    out.mark = PreviewMark::Fails;
    out.reason = Text(TextId::PreviewIllegalName, {bad});
    return out;
  }
  if (inPass && InMovedFolder(folder)) {  // gone from where the run looks for it
    out.mark = PreviewMark::Fails;
    out.reason = Text(TextId::PreviewFolderRenamedFirst);
    return out;
  }
  const Taken taken = Lookup(folder, out.name, inPass);
  out.mark = PreviewMark::Change;
  if (AsksBeforeReplacing(out.name, r.name, taken.kind)) {
    out.mark = PreviewMark::Collides;
    out.reason = taken.byRow >= 0 ? Text(TextId::PreviewTakenByRow, {std::to_wstring(taken.byRow + 1), out.name})
                                  : Text(TextId::PreviewTakenByFile, {out.name});
  } else if (taken.kind == EntryKind::Folder && !EqualsNoCase(out.name, r.name)) {
    out.mark = PreviewMark::Fails;
    out.reason = Text(TextId::PreviewTakenByFolder, {out.name});
  }
  return out;
}

// What the row's rename leaves in its folder for the rows below it. A row
// that collides is taken to keep its name (the run's "No").
void RenamePreview::Follow(int row, const RowPreview& decided) {
  if (decided.mark != PreviewMark::Change) return;
  const FileRow& r = list_->Row(row);
  const std::wstring& folder = r.Folder();
  const EntryKind kind = Lookup(folder, r.name, true).kind;
  auto put = [&](std::wstring_view key, Taken taken) {
    if (auto it = overlay_->find(key); it != overlay_->end())
      it->second = taken;
    else
      overlay_->emplace(std::pmr::wstring(key, arena_.get()), taken);
  };
  put(Key(folder, r.name), Taken{EntryKind::None, row});
  put(Key(folder, decided.name), Taken{kind, row});
  // The renames of rows below a folder renamed earlier fail (a change of
  // case only leaves their paths good).
  if (r.isDir && !EqualsNoCase(decided.name, r.name)) movedFolders_.insert(std::wstring(Key(folder, r.name + L"\\")));
}

}  // namespace rn
