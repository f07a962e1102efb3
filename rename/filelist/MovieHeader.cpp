#include "filelist/MovieHeader.h"

#include <algorithm>
#include <array>

namespace rn {

namespace {

// Boxes looked at in all, top level and inside "moov": a real file has a few
// dozen; a hostile one may claim millions of tiny boxes.
constexpr int kMaxBoxes = 4096;
// 1904-01-01 to 1970-01-01 in seconds.
constexpr uint64_t kMacEpochOffset = 2082844800;
// 9999-12-31 23:59:59 UTC: beyond it a creation time is damage, not a date.
constexpr int64_t kLatestUnixSeconds = 253402300799;

uint64_t BigEndian(const unsigned char* p, size_t bytes) {
  uint64_t v = 0;
  for (size_t i = 0; i < bytes; ++i) v = (v << 8) | p[i];
  return v;
}

struct Box {
  uint64_t start = 0;  // offset of its header
  uint64_t body = 0;   // offset of what follows the header
  uint64_t end = 0;    // offset one past its last byte
  std::array<unsigned char, 4> type{};
  bool Is(const char (&name)[5]) const {
    for (size_t i = 0; i < 4; ++i)
      if (type[i] != static_cast<unsigned char>(name[i])) return false;
    return true;
  }
};

// The box whose header starts at `at`, which must end by `limit`; nothing
// when the header cannot be read or its length is impossible.
std::optional<Box> ReadBox(const ReadAt& read, uint64_t at, uint64_t limit) {
  unsigned char header[16];
  if (limit - at < 8 || read(at, header, 8) != 8) return std::nullopt;
  Box box;
  box.start = at;
  std::copy(header + 4, header + 8, box.type.begin());
  uint64_t size = BigEndian(header, 4);
  uint64_t headerSize = 8;
  if (size == 1) {  // the length follows as 64 bits
    if (limit - at < 16 || read(at + 8, header + 8, 8) != 8) return std::nullopt;
    size = BigEndian(header + 8, 8);
    headerSize = 16;
  } else if (size == 0) {  // up to the end of what holds it
    size = limit - at;
  }
  // A length shorter than its own header would never move on; one past the
  // end claims bytes that are not there.
  if (size < headerSize || size > limit - at) return std::nullopt;
  box.body = at + headerSize;
  box.end = at + size;
  return box;
}

// The creation time of the movie header in `mvhd`, in Unix seconds.
std::optional<int64_t> CreationOf(const ReadAt& read, const Box& mvhd) {
  // version (1 byte), flags (3), then the creation time: 32 bits in version
  // 0, 64 bits in version 1.
  unsigned char bytes[12];
  const uint64_t length = mvhd.end - mvhd.body;
  if (length < 8 || read(mvhd.body, bytes, 8) != 8) return std::nullopt;
  uint64_t created = 0;
  if (bytes[0] == 0) {
    created = BigEndian(bytes + 4, 4);
  } else if (bytes[0] == 1) {
    if (length < 12 || read(mvhd.body + 8, bytes + 8, 4) != 4) return std::nullopt;
    created = BigEndian(bytes + 4, 8);
  } else {
    return std::nullopt;
  }
  if (created == 0) return std::nullopt;  // never set
  if (created > kMacEpochOffset + static_cast<uint64_t>(kLatestUnixSeconds)) return std::nullopt;
  return static_cast<int64_t>(created) - static_cast<int64_t>(kMacEpochOffset);
}

}  // namespace

std::optional<int64_t> MovieCreationUtc(const ReadAt& read, uint64_t fileSize) {
  int budget = kMaxBoxes;
  // The top level: "ftyp", "mdat", "free", "wide" ... passed over by their
  // lengths, never read; the media data may well come before "moov".
  for (uint64_t at = 0; at < fileSize && budget-- > 0;) {
    const std::optional<Box> box = ReadBox(read, at, fileSize);
    if (!box) return std::nullopt;
    if (box->Is("moov")) {
      // "mvhd" stands directly inside "moov", usually first.
      for (uint64_t in = box->body; in < box->end && budget-- > 0;) {
        const std::optional<Box> child = ReadBox(read, in, box->end);
        if (!child) return std::nullopt;
        if (child->Is("mvhd")) return CreationOf(read, *child);
        in = child->end;
      }
      return std::nullopt;  // one movie per file: a second "moov" is not looked for
    }
    at = box->end;
  }
  return std::nullopt;
}

}  // namespace rn
