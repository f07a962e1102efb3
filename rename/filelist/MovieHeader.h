// The recording date of an MP4 or QuickTime file, from the creation time of
// its movie header ("mvhd" inside "moov"), which neither library we use reads.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace rn {

// Reads up to `size` bytes at `offset` into `buffer`; returns how many it read
// (fewer at the end of the file or on an error).
using ReadAt = std::function<size_t(uint64_t offset, void* buffer, size_t size)>;

// Seconds since 1970-01-01 00:00 UTC, or nothing when the file has no movie
// header, its creation time is zero, or the boxes on the way are damaged.
// Bounded: walks at most a fixed number of boxes and reads only their headers
// and the movie header itself, whatever the lengths in the file claim.
std::optional<int64_t> MovieCreationUtc(const ReadAt& read, uint64_t fileSize);

}  // namespace rn
