#include "engine/RenamePreview.h"

#include <utility>

#include "base/Text.h"
#include "base/Texts.h"
#include "engine/RenameRun.h"
#include "engine/RunChecks.h"
#include "engine/Transforms.h"

namespace rn {

bool IsRefusal(PreviewMark mark) {
  return mark == PreviewMark::Refused || mark == PreviewMark::TooLong || mark == PreviewMark::ZeroSize ||
         mark == PreviewMark::NoName || mark == PreviewMark::Fails;
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
  renames_.clear();
  steps_.clear();
  nextStep_ = 0;
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
    if (rows_[r].mark == PreviewMark::Change) Alone(row, rows_[r]);
    state_[r] = 1;
  }
  return rows_[r];
}

bool RenamePreview::Exact(int row) const {
  return row >= 0 && row < RowCount() && state_[static_cast<size_t>(row)] == 2;
}

void RenamePreview::Count(int row, RowPreview decided) {
  switch (decided.mark) {
    case PreviewMark::Change: ++counts_.change; break;
    case PreviewMark::Collides: ++counts_.collide; break;
    case PreviewMark::Missing: ++counts_.missing; break;
    default: counts_.refused += IsRefusal(decided.mark) ? 1 : 0; break;
  }
  rows_[static_cast<size_t>(row)] = std::move(decided);
  state_[static_cast<size_t>(row)] = 2;
}

bool RenamePreview::Advance(int rows) {
  for (int done = 0; done < rows && !Done(); ++done) {
    if (next_ < RowCount()) {
      RowPreview decided = Decide(next_, counter_, true);
      if (decided.mark == PreviewMark::Change) {
        // Placed among the others once every proposal is known.
        rows_[static_cast<size_t>(next_)] = std::move(decided);
        state_[static_cast<size_t>(next_)] = std::max<uint8_t>(state_[static_cast<size_t>(next_)], 1);
        renames_.push_back(next_);
      } else {
        Count(next_, std::move(decided));
      }
      if (++next_ == RowCount())
        steps_ = OrderMoves(renames_.size(), [this](size_t i, bool to) {
          const FileRow& r = list_->Row(renames_[i]);
          return r.Folder() + (to ? rows_[static_cast<size_t>(renames_[i])].name : r.name);
        });
      continue;
    }
    if (steps_[nextStep_].cycle == 0) {
      DecideStep(nextStep_++);
      continue;
    }
    size_t end = nextStep_;
    while (end < steps_.size() && steps_[end].cycle == steps_[nextStep_].cycle) ++end;
    DecideCycle(nextStep_, end);
    nextStep_ = end;
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

// The run's decisions for the row that need no other row: found (before any
// rename), proposal, verdict, a name no file may hold. What remains a
// Change depends on the renames made before it.
RowPreview RenamePreview::Decide(int row, int64_t counter, bool inPass) {
  const FileRow& r = list_->Row(row);
  RowPreview out;
  if (!r.checked) return out;
  const auto stamp = [&]() -> std::optional<DateTime> { return ports_.stamp ? ports_.stamp(r) : std::nullopt; };
  const std::wstring& folder = r.Folder();
  if (!refusal_.empty()) {
    // The run stops before any row: the names stay as they are.
    out.mark = PreviewMark::Refused;
    out.reason = refusal_;
    out.name = r.name;
    return out;
  }
  // The run looks for every entry before it renames the first.
  if (!RunVisits(r, ports_.entry ? ports_.entry(folder, r.name) : EntryKind::None)) {
    out.mark = PreviewMark::Missing;
    out.reason = Text(TextId::MsgNotFound);
    return out;
  }
  std::optional<std::wstring> proposal;
  try {
    proposal = ProposeForRow(task_, r, counter, stamp, *ports_.cases, ports_.dates, &ports_.fields);
  } catch (const RowRefused& refused) {  // the run says why, and the counter moves on
    if (inPass) ++counter_;
    out.mark = PreviewMark::NoName;
    out.name = r.name;
    out.reason = NoNameMessage(refused.reason, r.name);
    return out;
  }
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
  out.mark = PreviewMark::Change;
  return out;
}

// Whether a checked row listed under the name renames it away, judged from
// that row alone.
bool RenamePreview::GivenUpAlone(int row, const std::wstring& folder, const std::wstring& name) {
  for (int g : list_->RowsWithPath(folder + name)) {
    if (g == row || !list_->Row(g).checked) continue;
    const FileRow& other = list_->Row(g);
    const auto stamp = [&]() -> std::optional<DateTime> { return ports_.stamp ? ports_.stamp(other) : std::nullopt; };
    std::optional<std::wstring> proposal;
    try {
      proposal =
          ProposeForRow(task_, other, firstCounter_ + list_->CheckedBefore(g), stamp, *ports_.cases, ports_.dates,
                        &ports_.fields);
    } catch (const RowRefused&) {
      continue;  // it keeps its name
    }
    if (JudgeProposal(other, proposal) == NameVerdict::Rename && RefusedNameCharacters(*proposal).empty() &&
        !EqualsNoCase(*proposal, other.name))
      return true;
  }
  return false;
}

void RenamePreview::Alone(int row, RowPreview& p) {
  const FileRow& r = list_->Row(row);
  Taken taken = Lookup(r.Folder(), p.name, false);
  if (taken.kind != EntryKind::None && GivenUpAlone(row, r.Folder(), p.name)) taken.kind = EntryKind::None;
  if (AsksBeforeReplacing(p.name, r.name, taken.kind)) {
    p.mark = PreviewMark::Collides;
    p.reason = Text(TextId::PreviewTakenByFile, {p.name});
  } else if (taken.kind == EntryKind::Folder && !EqualsNoCase(p.name, r.name)) {
    p.mark = PreviewMark::Fails;
    p.reason = Text(TextId::PreviewTakenByFolder, {p.name});
  }
}

// A rename outside cycles, at its turn: whether its folder is still where it
// was and what has the new name by then.
void RenamePreview::DecideStep(size_t k) {
  const int row = renames_[steps_[k].request];
  const FileRow& r = list_->Row(row);
  RowPreview out = rows_[static_cast<size_t>(row)];
  out.reason.clear();
  const std::wstring& folder = r.Folder();
  if (InMovedFolder(folder)) {  // gone from where the run looks for it
    out.mark = PreviewMark::Fails;
    out.reason = Text(TextId::PreviewFolderRenamedFirst);
    Count(row, std::move(out));
    return;
  }
  const Taken taken = Lookup(folder, out.name, true);
  out.mark = PreviewMark::Change;
  if (AsksBeforeReplacing(out.name, r.name, taken.kind)) {
    // Taken to stay where it is: the run's "No".
    out.mark = PreviewMark::Collides;
    out.reason = taken.byRow >= 0 ? Text(TextId::PreviewTakenByRow, {std::to_wstring(taken.byRow + 1), out.name})
                                  : Text(TextId::PreviewTakenByFile, {out.name});
  } else if (taken.kind == EntryKind::Folder && !EqualsNoCase(out.name, r.name)) {
    out.mark = PreviewMark::Fails;
    out.reason = Text(TextId::PreviewTakenByFolder, {out.name});
  } else {
    Follow(row, out.name, Lookup(folder, r.name, true).kind);
  }
  Count(row, std::move(out));
}

// A cycle is made whole: each of its renames takes a name another of it
// gives up. Its entries share a folder; when that folder was renamed
// earlier, its first rename fails and the others are left as they are.
void RenamePreview::DecideCycle(size_t first, size_t end) {
  std::vector<int> rows;
  for (size_t k = first; k < end; ++k)
    if (steps_[k].kind != StepKind::FromTemporary) rows.push_back(renames_[steps_[k].request]);
  const std::wstring& folder = list_->Row(rows[0]).Folder();
  const bool moved = InMovedFolder(folder);
  std::vector<RowPreview> decided;
  for (size_t i = 0; i < rows.size(); ++i) {
    RowPreview out = rows_[static_cast<size_t>(rows[i])];
    out.mark = moved && i > 0 ? PreviewMark::Unchanged : moved ? PreviewMark::Fails : PreviewMark::Change;
    if (moved)
      out.reason = Text(i > 0 ? TextId::PreviewCycleLeft : TextId::PreviewFolderRenamedFirst);
    else if (rows.size() == 2)
      out.reason = Text(TextId::PreviewSwapped, {std::to_wstring(rows[1 - i] + 1)});
    else
      out.reason = Text(TextId::PreviewCycle, {std::to_wstring(rows.size())});
    decided.push_back(std::move(out));
  }
  if (!moved) {
    // Every name of the cycle is freed before any is taken.
    std::vector<EntryKind> kinds;
    for (int row : rows) kinds.push_back(Lookup(folder, list_->Row(row).name, true).kind);
    for (int row : rows) Put(Key(folder, list_->Row(row).name), Taken{EntryKind::None, row});
    for (size_t i = 0; i < rows.size(); ++i) {
      Put(Key(folder, decided[i].name), Taken{kinds[i], rows[i]});
      if (list_->Row(rows[i]).isDir) movedFolders_.insert(std::wstring(Key(folder, list_->Row(rows[i]).name + L"\\")));
    }
  }
  for (size_t i = 0; i < rows.size(); ++i) Count(rows[i], std::move(decided[i]));
}

void RenamePreview::Put(std::wstring_view key, Taken taken) {
  if (auto it = overlay_->find(key); it != overlay_->end())
    it->second = taken;
  else
    overlay_->emplace(std::pmr::wstring(key, arena_.get()), taken);
}

// What the row's rename leaves in its folder for the renames after it.
void RenamePreview::Follow(int row, const std::wstring& newName, EntryKind kind) {
  const FileRow& r = list_->Row(row);
  const std::wstring& folder = r.Folder();
  Put(Key(folder, r.name), Taken{EntryKind::None, row});
  Put(Key(folder, newName), Taken{kind, row});
  // The renames of rows below a folder renamed earlier fail (a change of
  // case only leaves their paths good).
  if (r.isDir && !EqualsNoCase(newName, r.name)) movedFolders_.insert(std::wstring(Key(folder, r.name + L"\\")));
}

}  // namespace rn
