#include "base/Unicode.h"

#include <algorithm>

#include "base/UnicodeTables.h"

namespace rn {

namespace {

using unicode::CaseRun;

// The run that may hold c: the last one starting at or before it.
template <class Run>
const Run* RunOf(const Run* runs, size_t count, char32_t c) {
  const Run* end = runs + count;
  const Run* after = std::upper_bound(runs, end, c, [](char32_t v, const Run& r) { return v < r.first; });
  if (after == runs) return nullptr;
  const Run* run = after - 1;
  return c <= run->last ? run : nullptr;
}

// The run's mapping of c, when c is one of its steps.
const CaseRun* StepOf(const CaseRun* runs, size_t count, char32_t c) {
  const CaseRun* run = RunOf(runs, count, c);
  return run && (c - run->first) % run->step == 0 ? run : nullptr;
}

char32_t Moved(char32_t c, const CaseRun* run) {
  return run ? static_cast<char32_t>(static_cast<int64_t>(c) + run->delta) : c;
}

}  // namespace

CharKind CharKindOf(char32_t c) {
  const unicode::KindRun* run = RunOf(unicode::kKindRuns, unicode::kKindRunCount, c);
  return run ? run->kind : CharKind::Unassigned;
}

char32_t LowerCodePoint(char32_t c) { return Moved(c, StepOf(unicode::kLowerRuns, unicode::kLowerRunCount, c)); }

char32_t FoldCodePoint(char32_t c) {
  if (const CaseRun* run = StepOf(unicode::kFoldOnlyRuns, unicode::kFoldOnlyRunCount, c)) return Moved(c, run);
  return LowerCodePoint(c);
}

bool IsUpperCodePoint(char32_t c) { return LowerCodePoint(c) != c && CharKindOf(c) == CharKind::Letter; }

bool IsLowerCodePoint(char32_t c) { return StepOf(unicode::kLowercaseRuns, unicode::kLowercaseRunCount, c) != nullptr; }

}  // namespace rn
