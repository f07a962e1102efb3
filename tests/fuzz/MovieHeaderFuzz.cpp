// The fuzzer's bytes as a movie file, read for its recording date. Every read
// must lie inside the file and take a box header or less, and the walk must
// end within its bound of boxes, whatever the lengths in the file claim.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "filelist/MovieHeader.h"

using namespace rn;

namespace {

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "movie header check failed: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t reads = 0;
  const ReadAt read = [&](uint64_t offset, void* buffer, size_t n) -> size_t {
    ++reads;
    Check(offset < size, "reads inside the file");
    Check(n <= 16, "reads headers only");
    n = n < size - offset ? n : static_cast<size_t>(size - offset);
    std::memcpy(buffer, data + offset, n);
    return n;
  };
  const std::optional<int64_t> created = MovieCreationUtc(read, size);
  Check(reads <= 2 * 4096 + 2, "a header (two reads at most) per box walked");
  Check(!created || *created != -2082844800, "a zero creation time is no date");
  Check(MovieCreationUtc(read, size) == created, "the same bytes give the same date");
  return 0;
}
