// The recording date from a movie's header: one table of files built box by
// box, read through a callback that serves them sparsely (a claimed 5 GiB of
// media data is never there), and one real MP4 made by ffmpeg.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "filelist/MovieHeader.h"
#include "support/TempFolder.h"

using namespace rn;

namespace {

constexpr int64_t kJune2021 = 1622865782;  // 2021-06-05 04:03:02 UTC
constexpr uint64_t kToMac = 2082844800;    // 1904 to 1970

std::string BigEndian(uint64_t v, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}
std::string Box(const char* type, const std::string& body) { return BigEndian(8 + body.size(), 4) + type + body; }
std::string LargeBox(const char* type, const std::string& body) {
  return BigEndian(1, 4) + type + BigEndian(16 + body.size(), 8) + body;
}
// The header's start as the writers leave it: version, flags, creation and
// modification times; the rest (time scale, duration, matrix ...) zeros.
std::string Mvhd(int version, uint64_t created) {
  const int width = version == 1 ? 8 : 4;
  return Box("mvhd", std::string(1, static_cast<char>(version)) + std::string(3, '\0') + BigEndian(created, width) +
                         BigEndian(created, width) + std::string(version == 1 ? 88 : 80, '\0'));
}
const std::string kFtyp = Box("ftyp", "isom" + BigEndian(512, 4) + "isomiso2mp41");

// Pieces of a file at their offsets; between them zeros, as in a sparse file.
struct Piece {
  uint64_t at;
  std::string bytes;
};

struct Case {
  const char* what;
  std::vector<Piece> pieces;
  std::optional<int64_t> expected;
  uint64_t failsFrom = ~0ull;  // reads from there on give nothing, as a disk giving up
};

// A first box claiming `claimed` bytes in all, then `rest` right after it.
std::vector<Piece> After(const std::string& head, uint64_t claimed, const std::string& rest) {
  return {{0, head}, {claimed, rest}};
}

}  // namespace

TEST(MovieHeader, EveryCaseOfTheTable) {
  const uint64_t june = kJune2021 + kToMac;
  const std::string movie = Box("moov", Mvhd(0, june));
  const uint64_t fiveGiB = 5ull << 30;
  const std::string bigMdat = LargeBox("mdat", "").substr(0, 8) + BigEndian(fiveGiB, 8);
  std::string manyBoxes;
  for (int i = 0; i < 5000; ++i) manyBoxes += Box("free", "");
  const Case cases[] = {
      {"version 0", {{0, kFtyp + movie}}, kJune2021},
      {"version 1", {{0, kFtyp + Box("moov", Mvhd(1, june))}}, kJune2021},
      {"version 1 past 2040", {{0, Box("moov", Mvhd(1, 4102444800 + kToMac))}}, 4102444800},
      {"before 1970", {{0, Box("moov", Mvhd(0, 1))}}, 1 - static_cast<int64_t>(kToMac)},
      {"header after other boxes of the movie",
       {{0, Box("moov", Box("udta", "xyz") + Box("trak", "") + Mvhd(0, june))}},
       kJune2021},
      {"after 5 GiB of media data", After(kFtyp + bigMdat, kFtyp.size() + fiveGiB, movie), kJune2021},
      {"movie with a 64-bit length", {{0, kFtyp + LargeBox("moov", Mvhd(1, june))}}, kJune2021},
      {"movie up to the end of the file", {{0, kFtyp + BigEndian(0, 4) + "moov" + Mvhd(0, june)}}, kJune2021},
      {"header up to the end of the movie",
       {{0, Box("moov", BigEndian(0, 4) + "mvhd" + Mvhd(0, june).substr(8))}},
       kJune2021},
      {"media data up to the end hides the movie", {{0, kFtyp + BigEndian(0, 4) + "mdat" + movie}}, std::nullopt},
      {"file cut in a box header", {{0, kFtyp + movie.substr(0, 5)}}, std::nullopt},
      {"file cut in a 64-bit length", {{0, kFtyp + LargeBox("mdat", "").substr(0, 12)}}, std::nullopt},
      {"file cut in the movie header",
       {{0, kFtyp + BigEndian(0, 4) + "moov" + Mvhd(0, june).substr(0, 14)}},
       std::nullopt},
      {"header too short for its version", {{0, Box("moov", Box("mvhd", "\1" + std::string(7, '\0')))}}, std::nullopt},
      {"box claiming more than the file", {{0, kFtyp + BigEndian(1000, 4) + "mdat" + movie}}, std::nullopt},
      {"movie claiming more than the file", {{0, BigEndian(movie.size() + 1, 4) + movie.substr(4)}}, std::nullopt},
      {"child claiming more than the movie",
       {{0, Box("moov", BigEndian(200, 4) + "mvhd" + Mvhd(0, june).substr(8)) + Box("free", std::string(200, 'x'))}},
       std::nullopt},
      {"length shorter than a header", {{0, kFtyp + BigEndian(4, 4) + "free" + movie}}, std::nullopt},
      {"64-bit length shorter than its header",
       {{0, BigEndian(1, 4) + "free" + BigEndian(8, 8) + movie}},
       std::nullopt},
      {"zero creation time", {{0, kFtyp + Box("moov", Mvhd(0, 0))}}, std::nullopt},
      {"creation time past the year 9999", {{0, Box("moov", Mvhd(1, ~0ull))}}, std::nullopt},
      {"unknown version", {{0, Box("moov", Mvhd(2, june))}}, std::nullopt},
      {"header inside a track", {{0, Box("moov", Box("trak", Mvhd(0, june)))}}, std::nullopt},
      {"movie inside another box", {{0, Box("free", movie)}}, std::nullopt},
      {"movie without a header", {{0, kFtyp + Box("moov", Box("trak", ""))}}, std::nullopt},
      {"no movie", {{0, kFtyp + Box("mdat", "data")}}, std::nullopt},
      {"empty file", {}, std::nullopt},
      {"disk failing after the first box", {{0, kFtyp + movie}}, std::nullopt, kFtyp.size()},
      {"more boxes than are ever walked", {{0, manyBoxes + movie}}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const uint64_t size = c.pieces.empty() ? 0 : c.pieces.back().at + c.pieces.back().bytes.size();
    uint64_t bytesRead = 0;
    const ReadAt read = [&](uint64_t offset, void* buffer, size_t n) -> size_t {
      EXPECT_LE(n, 16u) << "only headers are read";
      EXPECT_LT(offset, size);
      if (offset >= c.failsFrom) return 0;
      n = static_cast<size_t>(std::min<uint64_t>(n, size - std::min(offset, size)));
      std::memset(buffer, 0, n);
      for (const Piece& p : c.pieces)
        for (size_t i = 0; i < n; ++i)
          if (offset + i >= p.at && offset + i < p.at + p.bytes.size())
            static_cast<char*>(buffer)[i] = p.bytes[static_cast<size_t>(offset + i - p.at)];
      bytesRead += n;
      return n;
    };
    EXPECT_EQ(MovieCreationUtc(read, size), c.expected);
    EXPECT_LE(bytesRead, 8u * 5000) << "at most a header per box walked";
  }
}

// A real file from a real writer, when ffmpeg is at hand.
TEST(MovieHeader, ReadsTheDateFfmpegWrites) {
#ifdef _WIN32
  GTEST_SKIP() << "ffmpeg is run by the native build only";
#else
  if (std::system("ffmpeg -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ffmpeg is not installed";
  rntest::TempFolder folder;
  const std::string path = (folder.path / "x.mp4").string();
  const std::string command =
      "ffmpeg -nostdin -hide_banner -loglevel error -f lavfi -i color=c=black:s=16x16:d=0.1 "
      "-metadata creation_time=2021-06-05T04:03:02Z '" +
      path + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(path, std::ios::binary);
  in.seekg(0, std::ios::end);
  const uint64_t size = static_cast<uint64_t>(in.tellg());
  const ReadAt read = [&](uint64_t offset, void* buffer, size_t n) -> size_t {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(static_cast<char*>(buffer), static_cast<std::streamsize>(n));
    return static_cast<size_t>(in.gcount());
  };
  EXPECT_EQ(MovieCreationUtc(read, size), kJune2021);
#endif
}
