// The order in which a set of renames is made so that no rename meets a name
// that another rename of the same set gives up: a rename waits for the one
// that frees its new name (a chain such as 1 -> 2, 2 -> 3 starts at its end),
// and a cycle (a swap of two names, or more) starts by moving one of its
// entries to a temporary name in its folder and ends by moving it from there.
// Renames that do not depend on each other keep the order they were given in.
// The rename run and undo make their renames through here.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace rn {

enum class RenameResult { Done, TargetExists, Failed };

// One rename: the entry at `from` gets the whole path `to` (same folder).
struct MoveRequest {
  std::wstring from, to;
};

enum class StepKind {
  Direct,         // from -> to
  ToTemporary,    // from -> a temporary name: the first step of a cycle
  FromTemporary,  // the temporary name -> to: the last step of that cycle
};

struct MoveStep {
  size_t request = 0;
  StepKind kind = StepKind::Direct;
  // Steps of one cycle share a number (from 1); 0 outside cycles.
  size_t cycle = 0;
};

// Paths are compared without regard to case, as the file systems compare
// them. A rename that changes only the letter case of its name frees nothing.
// Linear in the number of requests.
std::vector<MoveStep> OrderMoves(const std::vector<MoveRequest>& requests);
// The same for `count` requests whose paths are made on demand (`to` false:
// the path renamed from), for callers that keep them in other forms.
std::vector<MoveStep> OrderMoves(size_t count, const std::function<std::wstring(size_t request, bool to)>& path);

// The requests, their order and a temporary name (whole path) for each cycle.
struct MovePlan {
  std::vector<MoveRequest> requests;
  std::vector<MoveStep> steps;
  std::vector<std::wstring> temporaries;  // [cycle - 1]
  // The paths a step renames from and to.
  const std::wstring& From(const MoveStep& step) const;
  const std::wstring& To(const MoveStep& step) const;
};

// `temporaryName(folder, cycle)` gives a name in the folder (ending in a
// backslash) that no entry has and no other cycle of the plan is given.
MovePlan PlanMoves(std::vector<MoveRequest> requests,
                   const std::function<std::wstring(const std::wstring& folder, size_t cycle)>& temporaryName);

// What the one who makes the renames answers when a step's new name is taken
// by an entry the plan does not move away.
enum class TakenAnswer {
  Freed,  // the entry there was set aside: the rename is tried again
  Keep,   // the request is left undone, its entry keeps its name
  Fail,   // the request failed
  Stop,   // no further step is made
};

enum class MoveOutcome {
  NotMade,  // left undone: kept, its cycle broke elsewhere, or the renames stopped first
  Done,
  Failed,
};

struct MovePorts {
  // Never over an existing entry: a taken name answers TargetExists.
  std::function<RenameResult(const std::wstring& from, const std::wstring& to)> rename;
  std::function<TakenAnswer(size_t request)> taken;  // empty: the request fails
  // A request whose entry is gone (replaced by an earlier step) is not made.
  std::function<bool(size_t request)> gone;
  std::function<void(size_t request)> starting;      // before each request's first step
  std::function<void(size_t step)> stepDone;         // by index in the plan's steps
};

// Makes the steps in order. A cycle is made whole or not at all: when one of
// its renames fails, those already made are taken back and the entry at the
// temporary name returns to its own name; that request fails, the others of
// the cycle are left undone. An outcome per request.
std::vector<MoveOutcome> MakeMoves(const MovePlan& plan, const MovePorts& ports);

// The whole path folded for comparing.
std::wstring FoldedPath(const std::wstring& path);

}  // namespace rn
