// The undo journal is read at start-up after a crash or a power cut, whatever
// they left of it. Reading must never read outside the bytes; what it reads
// must write back and read again the same, and the recovery's decisions on
// it must run to their end.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/UndoJournal.h"

using namespace rn;

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "journal check failed: %s\n", what);
  std::abort();
}

size_t DonePairs(const Journal& journal) {
  size_t n = 0;
  for (const JournalRun& run : journal.runs)
    if (!run.undone)
      for (const JournalPair& pair : run.pairs) n += pair.done;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Journal journal = ReadJournal(std::string(reinterpret_cast<const char*>(data), size));
  Check(journal.readable || journal.runs.empty(), "nothing is trusted of a damaged journal");
  const Journal again = ReadJournal(WriteJournal(journal));
  Check(again.readable, "a rewritten journal reads");
  Check(DonePairs(again) == DonePairs(journal), "the renamed pairs survive a rewrite");
  const RecoveryOutcome outcome = PreviewRecovery(journal, [](const std::wstring& path) {
    return path.size() % 3 == 0 ? std::optional<std::wstring>(L"x") : std::nullopt;
  });
  Check(outcome.takenBack >= 0, "the recovery ends");
  return 0;
}
