#include "engine/RenameRun.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "base/Text.h"
#include "base/Texts.h"
#include "engine/RowDecision.h"
#include "engine/RunLog.h"
#include "engine/Transforms.h"

namespace rn {

std::wstring TooLongMessage(const std::wstring& oldName) {
  return Text(TextId::MsgNameTooLong) + L"\r'" + ShortenPath(oldName, 80) + L"'\r" + Text(TextId::MsgKeepsName);
}

std::wstring ZeroSizeMessage(const std::wstring& oldName) {
  return Text(TextId::MsgZeroSizeName) + L"\r'" + ShortenPath(oldName, 80) + L"'\r" + Text(TextId::MsgKeepsName);
}

std::wstring NoNameMessage(const std::wstring& reason, const std::wstring& oldName) {
  return reason + L"\r'" + ShortenPath(oldName, 80) + L"'\r" + Text(TextId::MsgKeepsName);
}

std::wstring CollisionMessage(const std::wstring& proposal) {
  return Text(TextId::MsgDuplicateNames) + L"\r ( '" + proposal + L"' and '" + proposal + L"' )\r\r" +
         Text(TextId::MsgOverwrite) + proposal + L"?";
}

namespace {

// The proposals of the checked rows that exist, less those refused. A row
// that is gone (or whose folder cannot be entered) is marked as dropped.
std::vector<PlannedRename> PlanRows(const FileList& list, int64_t counter, const RunPorts& ports,
                                    std::vector<bool>& dropped, RunOutcome& outcome) {
  std::vector<PlannedRename> plan;
  std::wstring entered;
  for (int r = 0; r < list.RowCount(); ++r) {
    const FileRow& row = list.Row(r);
    if (!row.checked) continue;
    const std::wstring folder = row.Folder(), old = row.name;
    const EntryKind onDisk = ports.fileExists(folder + old)                  ? EntryKind::File
                             : row.isDir && ports.folderExists(folder + old) ? EntryKind::Folder
                                                                             : EntryKind::None;
    if (!RunVisits(row, onDisk)) {
      dropped[static_cast<size_t>(r)] = true;
      continue;
    }
    // The working directory stays where the last row left it.
    if (folder != entered) {
      if (!ports.enterFolder(folder)) {  // gone between the test and now: as a failed rename
        dropped[static_cast<size_t>(r)] = true;
        entered.clear();
        continue;
      }
      entered = folder;
    }
    std::optional<std::wstring> proposal;
    try {
      proposal = ports.propose(row, counter);
    } catch (const RowRefused& refused) {  // as a name too long: said, and the counter moves on
      ++counter;
      if (refused.lacksField)
        outcome.lackingField.emplace_back(r, refused.reason);
      else
        ports.tell(NoNameMessage(refused.reason, old));
      continue;
    }
    const NameVerdict verdict = JudgeProposal(row, proposal);
    if (verdict == NameVerdict::None) {  // the entry was changed where it is
      if (ports.progress) ports.progress(r + 1);
      continue;
    }
    if (MovesCounter(verdict)) ++counter;
    if (verdict == NameVerdict::TooLong) ports.tell(TooLongMessage(old));
    if (verdict == NameVerdict::ZeroSize) ports.tell(ZeroSizeMessage(old));
    if (verdict == NameVerdict::Rename) plan.push_back({r, folder, old, *proposal});
  }
  return plan;
}

}  // namespace

RunOutcome VisitRows(FileList& list, int run, int64_t counter, const RunPorts& ports) {
  RunOutcome out;
  if (list.Empty()) return out;
  std::vector<bool> dropped(static_cast<size_t>(list.RowCount())), replaced(dropped.size()),
      renamedNow(dropped.size());
  const std::vector<PlannedRename> planned = PlanRows(list, counter, ports, dropped, out);

  // The renames the file system is asked for; a name no file may hold fails
  // without being asked (it might take a backslash for a folder and move the
  // entry there).
  std::vector<MoveRequest> requests;
  std::vector<const PlannedRename*> pairOf;
  for (const PlannedRename& p : planned) {
    if (!RefusedNameCharacters(p.newName).empty()) continue;
    requests.push_back({p.folder + p.oldName, p.folder + p.newName});
    pairOf.push_back(&p);
  }
  const MovePlan plan = PlanMoves(std::move(requests), ports.temporaryName);
  if (!plan.requests.empty() && ports.planned) ports.planned(plan);
  std::vector<size_t> stepOf(plan.requests.size());
  for (size_t k = 0; k < plan.steps.size(); ++k) stepOf[plan.steps[k].request] = k;

  auto record = [&](size_t request) {
    const PlannedRename& p = *pairOf[request];
    RecordRename(list, p.row, run, p.oldName, p.newName);
    renamedNow[static_cast<size_t>(p.row)] = true;
    out.renamedAny = true;
  };
  bool yesToAll = false;
  MovePorts moves;
  moves.rename = ports.rename;
  moves.gone = [&](size_t request) { return replaced[static_cast<size_t>(pairOf[request]->row)]; };
  moves.starting = [&](size_t request) {
    if (ports.progress) ports.progress(pairOf[request]->row + 1);
  };
  moves.taken = [&](size_t request) {
    const PlannedRename& p = *pairOf[request];
    const std::wstring to = p.folder + p.newName;
    if (!AsksBeforeReplacing(p.newName, p.oldName, ports.fileExists(to) ? EntryKind::File : EntryKind::Folder))
      return TakenAnswer::Fail;
    CollisionAnswer answer = yesToAll ? CollisionAnswer::Yes : ports.askCollision(p.newName);
    if (answer == CollisionAnswer::Cancel) return TakenAnswer::Stop;
    if (answer == CollisionAnswer::No) return TakenAnswer::Keep;
    if (answer == CollisionAnswer::YesToAll) yesToAll = true;
    ReplacedFile where;
    if (!ports.setAside || !ports.setAside(to, stepOf[request], where)) return TakenAnswer::Fail;
    // The rows of the file that went: one this run renamed there gives the
    // file its name from before the run when undo brings it back.
    for (int gone : list.RowsWithPath(to)) {
      if (gone == p.row) continue;
      replaced[static_cast<size_t>(gone)] = true;
      if (renamedNow[static_cast<size_t>(gone)]) where.returnTo = list.Cell(ColPrevName + run, gone);
    }
    out.replacedFiles.push_back(std::move(where));
    return TakenAnswer::Freed;
  };
  moves.stepDone = [&](size_t k) {
    const MoveStep& step = plan.steps[k];
    // A cycle's renames count once the cycle is whole.
    if (step.cycle == 0) record(step.request);
    if (step.kind == StepKind::FromTemporary)
      for (size_t j = k + 1; j-- > 0 && plan.steps[j].cycle == step.cycle;)
        if (plan.steps[j].kind != StepKind::ToTemporary) record(plan.steps[j].request);
    if (ports.stepDone) ports.stepDone(k);
  };
  const std::vector<MoveOutcome> made = MakeMoves(plan, moves);

  // A rename that failed is written back as if made, and its row dropped.
  for (size_t i = 0; i < made.size(); ++i) {
    if (made[i] != MoveOutcome::Failed) continue;
    record(i);
    dropped[static_cast<size_t>(pairOf[i]->row)] = true;
  }
  for (const PlannedRename& p : planned) {
    if (RefusedNameCharacters(p.newName).empty()) continue;
    RecordRename(list, p.row, run, p.oldName, p.newName);
    out.renamedAny = true;
    dropped[static_cast<size_t>(p.row)] = true;
  }
  FollowRenamedFolders(list);
  for (size_t i = 0; i < dropped.size(); ++i) {
    if (replaced[i])
      out.replaced.push_back(static_cast<int>(i));
    else if (dropped[i])
      out.notRenamed.push_back(static_cast<int>(i));
  }
  return out;
}

}  // namespace rn
