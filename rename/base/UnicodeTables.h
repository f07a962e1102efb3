// The tables behind Unicode.h, made by cmake/unicode_tables.py: each is
// sorted by code point, and its runs never overlap.
#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "base/Unicode.h"

namespace rn::unicode {

// Every code point from first to last is of that kind (unassigned ones inside
// a run included).
struct KindRun {
  char32_t first, last;
  CharKind kind;
};
// The code points first, first + step, ... up to last map to themselves plus
// delta.
struct CaseRun {
  char32_t first, last;
  int32_t delta;
  uint8_t step;
};

extern const KindRun kKindRuns[];
extern const size_t kKindRunCount;
// The simple lower-case mapping.
extern const CaseRun kLowerRuns[];
extern const size_t kLowerRunCount;
// Where simple case folding differs from the lower case (U+03C2 final sigma
// folds to U+03C3, the micro sign to mu, Cherokee to its capitals).
extern const CaseRun kFoldOnlyRuns[];
extern const size_t kFoldOnlyRunCount;
// The lower-case letters (delta 0).
extern const CaseRun kLowercaseRuns[];
extern const size_t kLowercaseRunCount;

}  // namespace rn::unicode
