#include "engine/RenameOrder.h"

#include <unordered_map>

#include "base/Text.h"

namespace rn {

std::wstring FoldedPath(const std::wstring& path) {
  std::wstring out = path;
  for (wchar_t& c : out) c = FoldCase(c);
  return out;
}

std::vector<MoveStep> OrderMoves(const std::vector<MoveRequest>& requests) {
  return OrderMoves(requests.size(), [&](size_t i, bool to) { return to ? requests[i].to : requests[i].from; });
}

std::vector<MoveStep> OrderMoves(size_t n, const std::function<std::wstring(size_t request, bool to)>& pathOf) {
  constexpr size_t kNone = static_cast<size_t>(-1);
  // The request that gives each name up (the first one, should two name the
  // same entry); a change of case only keeps the name taken.
  std::unordered_map<std::wstring, size_t> giver;
  giver.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    std::wstring from = FoldedPath(pathOf(i, false));
    if (from != FoldedPath(pathOf(i, true))) giver.emplace(std::move(from), i);
  }
  // Each request waits for at most one other: the giver of its new name.
  std::vector<size_t> waitsFor(n, kNone);
  for (size_t i = 0; i < n && !giver.empty(); ++i) {
    auto it = giver.find(FoldedPath(pathOf(i, true)));
    if (it != giver.end() && it->second != i) waitsFor[i] = it->second;
  }

  enum : unsigned char { kNew, kOnPath, kPlaced };
  std::vector<unsigned char> state(n, kNew);
  std::vector<size_t> path;
  std::vector<MoveStep> steps;
  steps.reserve(n + 2);
  size_t cycles = 0;
  for (size_t start = 0; start < n; ++start) {
    if (state[start] != kNew) continue;
    // Follow the waits to a request already placed, to none, or around a cycle.
    path.clear();
    size_t at = start;
    while (at != kNone && state[at] == kNew) {
      state[at] = kOnPath;
      path.push_back(at);
      at = waitsFor[at];
    }
    size_t chainEnd = path.size();  // path[0, chainEnd) is placed from its end
    if (at != kNone && state[at] == kOnPath) {
      // path[c] ... path.back() form a cycle: path.back() waits for path[c].
      size_t c = 0;
      while (path[c] != at) ++c;
      ++cycles;
      steps.push_back({path[c], StepKind::ToTemporary, cycles});
      for (size_t k = path.size(); k-- > c + 1;) steps.push_back({path[k], StepKind::Direct, cycles});
      steps.push_back({path[c], StepKind::FromTemporary, cycles});
      for (size_t k = c; k < path.size(); ++k) state[path[k]] = kPlaced;
      chainEnd = c;
    }
    for (size_t k = chainEnd; k-- > 0;) {
      steps.push_back({path[k], StepKind::Direct, 0});
      state[path[k]] = kPlaced;
    }
  }
  return steps;
}

}  // namespace rn

namespace rn {

const std::wstring& MovePlan::From(const MoveStep& step) const {
  return step.kind == StepKind::FromTemporary ? temporaries[step.cycle - 1] : requests[step.request].from;
}

const std::wstring& MovePlan::To(const MoveStep& step) const {
  return step.kind == StepKind::ToTemporary ? temporaries[step.cycle - 1] : requests[step.request].to;
}

MovePlan PlanMoves(std::vector<MoveRequest> requests,
                   const std::function<std::wstring(const std::wstring& folder, size_t cycle)>& temporaryName) {
  MovePlan plan;
  plan.requests = std::move(requests);
  plan.steps = OrderMoves(plan.requests);
  for (const MoveStep& step : plan.steps) {
    if (step.kind != StepKind::ToTemporary) continue;
    const std::wstring& from = plan.requests[step.request].from;
    plan.temporaries.push_back(temporaryName(from.substr(0, from.find_last_of(L'\\') + 1), step.cycle));
  }
  return plan;
}

std::vector<MoveOutcome> MakeMoves(const MovePlan& plan, const MovePorts& ports) {
  std::vector<MoveOutcome> out(plan.requests.size(), MoveOutcome::NotMade);
  const auto& steps = plan.steps;
  auto done = [&](size_t k) {
    if (ports.stepDone) ports.stepDone(k);
  };
  for (size_t k = 0; k < steps.size();) {
    const MoveStep& step = steps[k];
    if (step.cycle == 0) {
      if (ports.gone && ports.gone(step.request)) {
        ++k;
        continue;
      }
      if (ports.starting) ports.starting(step.request);
      RenameResult result = ports.rename(plan.From(step), plan.To(step));
      if (result == RenameResult::TargetExists) {
        const TakenAnswer answer = ports.taken ? ports.taken(step.request) : TakenAnswer::Fail;
        if (answer == TakenAnswer::Stop) break;
        if (answer == TakenAnswer::Keep) {
          ++k;
          continue;
        }
        result = answer == TakenAnswer::Freed ? ports.rename(plan.From(step), plan.To(step)) : RenameResult::Failed;
      }
      out[step.request] = result == RenameResult::Done ? MoveOutcome::Done : MoveOutcome::Failed;
      if (result == RenameResult::Done) done(k);
      ++k;
      continue;
    }
    // A cycle, whole or not at all.
    size_t end = k;
    while (end < steps.size() && steps[end].cycle == step.cycle) ++end;
    size_t made = k;
    for (; made < end; ++made) {
      const MoveStep& s = steps[made];
      if (s.kind != StepKind::FromTemporary && ports.starting) ports.starting(s.request);
      if (ports.rename(plan.From(s), plan.To(s)) != RenameResult::Done) break;
      done(made);
    }
    if (made == end) {
      for (size_t j = k; j < end; ++j) out[steps[j].request] = MoveOutcome::Done;
    } else {
      out[steps[made].request] = MoveOutcome::Failed;
      // Back the way it came; an entry that cannot go back keeps the name it has.
      for (size_t j = made; j-- > k;)
        if (ports.rename(plan.To(steps[j]), plan.From(steps[j])) != RenameResult::Done)
          out[steps[j].request] = steps[j].kind == StepKind::Direct ? MoveOutcome::Done : MoveOutcome::Failed;
    }
    k = end;
  }
  return out;
}

}  // namespace rn
