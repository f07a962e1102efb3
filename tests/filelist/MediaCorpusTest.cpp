// ReadMediaFields held to ExifTool: every photo, song and video that
// media-corpus.sh makes (CTest runs it first, into the folder named by
// RENAME_MEDIA_CORPUS) gives the fields ExifTool read of it, from the file
// and from its bytes alike, and is left as it was. The same files damaged
// give no field they do not hold, and no crash.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <type_traits>

#include "base/Text.h"
#include "filelist/MediaReaders.h"
#include "support/TempFolder.h"

namespace rn {
// Failures name the fields.
void PrintTo(const MediaFields& f, std::ostream* os) {
  auto text = [&](const char* name, const std::wstring& s) { *os << name << " \"" << Utf8FromWide(s) << "\" "; };
  auto number = [&](const char* name, const std::optional<int64_t>& n) { *os << name << " " << (n ? *n : -1) << " "; };
  if (f.Taken) {
    *os << "Taken " << f.Taken->year << "-" << f.Taken->month << "-" << f.Taken->day << " " << f.Taken->hour << ":"
        << f.Taken->minute << ":" << f.Taken->second << " ";
  }
  text("Make", f.Make), text("Model", f.Model), text("Lens", f.Lens), number("Width", f.Width);
  number("Height", f.Height), number("Iso", f.Iso), text("Artist", f.Artist), text("AlbumArtist", f.AlbumArtist);
  text("Album", f.Album), text("Title", f.Title), text("Genre", f.Genre), number("Track", f.Track);
  number("Disc", f.Disc), number("Year", f.Year);
}
}  // namespace rn

using namespace rn;
namespace fs = std::filesystem;

namespace {

// ExifTool's tags of one file, "Group:Tag" -> value.
using Record = std::map<std::string, std::string>;

struct CorpusFile {
  std::string name;
  fs::path path;
  MediaKind kind;
  Record exiftool;
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The corpus, each file with ExifTool's reading of it (X.args beside X, a
// line "-Group:Tag=value" per tag), or a failure saying why there is none.
std::vector<CorpusFile> Corpus() {
  const char* env = std::getenv("RENAME_MEDIA_CORPUS");
  if (!env) {
    ADD_FAILURE() << "RENAME_MEDIA_CORPUS is not set: run through CTest, which makes the corpus first";
    return {};
  }
  std::string folder = env;
#ifdef _WIN32
  if (!folder.empty() && folder[0] == '/') folder = "Z:" + folder;  // a Unix path from CTest: Wine maps / to Z:
#endif
  std::vector<CorpusFile> files;
  for (const auto& entry : fs::directory_iterator(fs::path(WideFromUtf8(folder)))) {
    if (entry.path().extension() != ".args") continue;
    const fs::path media = entry.path().parent_path() / entry.path().stem();
    CorpusFile file{Utf8FromWide(media.filename().wstring()), media, MediaKindOf(media.extension().wstring()), {}};
    std::istringstream lines(ReadBytes(entry.path()));
    for (std::string line; std::getline(lines, line);) {
      const size_t equals = line.find('=');
      if (line.size() > 1 && line[0] == '-' && equals != std::string::npos)
        file.exiftool[line.substr(1, equals - 1)] = line.substr(equals + 1);
    }
    files.push_back(std::move(file));
  }
  EXPECT_GE(files.size(), 26u) << "ExifTool's readings in " << folder << " are too few";
  return files;
}

std::string First(const Record& r, std::initializer_list<const char*> keys) {
  for (const char* key : keys)
    if (const auto found = r.find(key); found != r.end()) return found->second;
  return {};
}

// The oracle's own reading of ExifTool's texts, apart from the program's:
// "3/12", "3 of 12" and "1964" are numbers, "YYYY:MM:DD HH:MM:SS" with
// whatever follows (a zone) a date, when the calendar holds it.
std::optional<int64_t> Positive(const std::string& text) {
  long long n = 0;
  return std::sscanf(text.c_str(), "%lld", &n) == 1 && n > 0 ? std::optional<int64_t>(n) : std::nullopt;
}
std::optional<DateTime> Date(const std::string& text) {
  DateTime d;
  char s[5] = {};
  if (std::sscanf(text.c_str(), "%4d%c%2d%c%2d%c%2d%c%2d%c%2d", &d.year, &s[0], &d.month, &s[1], &d.day, &s[4], &d.hour,
                  &s[2], &d.minute, &s[3], &d.second) != 11 ||
      std::string(s, 5) != ":::: " || d.year < 1 || d.hour > 23 || d.minute > 59 || d.second > 59)
    return std::nullopt;
  using namespace std::chrono;
  if (!year_month_day(year(d.year), month(d.month), day(d.day)).ok()) return std::nullopt;
  return d;
}
std::optional<DateTime> LocalOfUtc(const DateTime& utc) {
  using namespace std::chrono;
  const sys_seconds at = sys_days{year_month_day{year(utc.year), month(utc.month), day(utc.day)}} + hours(utc.hour) +
                         minutes(utc.minute) + seconds(utc.second);
  const std::time_t t = static_cast<std::time_t>(at.time_since_epoch().count());
  const std::tm* l = std::localtime(&t);
  return DateTime{l->tm_year + 1900, l->tm_mon + 1, l->tm_mday, l->tm_hour, l->tm_min, l->tm_sec};
}

// What the program should read, by ExifTool: the same sources in the same
// order of preference.
MediaFields Expected(const Record& r, MediaKind kind) {
  MediaFields f;
  auto text = [&](std::initializer_list<const char*> keys) { return WideFromUtf8(First(r, keys)); };
  if (kind == MediaKind::Photo) {
    for (const char* key : {"ExifIFD:DateTimeOriginal", "XMP-exif:DateTimeOriginal", "ExifIFD:CreateDate",
                            "XMP-xmp:CreateDate", "XMP-photoshop:DateCreated"})
      if ((f.Taken = Date(First(r, {key})))) break;
    f.Make = text({"IFD0:Make"}), f.Model = text({"IFD0:Model"}), f.Lens = text({"ExifIFD:LensModel"});
    f.Iso = Positive(First(r, {"ExifIFD:ISO"}));
    const std::string size = First(r, {"Composite:ImageSize"});  // "W H"
    if (size.find(' ') != std::string::npos)
      f.Width = Positive(size.substr(0, size.find(' '))), f.Height = Positive(size.substr(size.find(' ') + 1));
    return f;
  }
  if (kind == MediaKind::Movie) {
    if (const auto utc = Date(First(r, {"QuickTime:CreateDate"}))) f.Taken = LocalOfUtc(*utc);
  }
  f.Artist = text({"ID3v2_3:Artist", "ID3v2_4:Artist", "ItemList:Artist", "Vorbis:Artist"});
  f.AlbumArtist = text({"ID3v2_3:Band", "ID3v2_4:Band", "ItemList:AlbumArtist", "Vorbis:Albumartist"});
  f.Album = text({"ID3v2_3:Album", "ID3v2_4:Album", "ItemList:Album", "Vorbis:Album"});
  f.Title = text({"ID3v2_3:Title", "ID3v2_4:Title", "ItemList:Title", "Vorbis:Title"});
  f.Genre = text({"ID3v2_3:Genre", "ID3v2_4:Genre", "ItemList:Genre", "Vorbis:Genre"});
  f.Track = Positive(First(r, {"ID3v2_3:Track", "ID3v2_4:Track", "ItemList:TrackNumber", "Vorbis:TrackNumber"}));
  f.Disc = Positive(First(r, {"ID3v2_3:PartOfSet", "ID3v2_4:PartOfSet", "ItemList:DiskNumber", "Vorbis:Discnumber"}));
  f.Year = Positive(First(r, {"ID3v2_3:Year", "ID3v2_4:RecordingTime", "ItemList:ContentCreateDate", "Vorbis:Date"}));
  return f;
}

}  // namespace

TEST(MediaCorpus, EveryFileGivesWhatExifToolReadsAndStaysAsItWas) {
  std::map<std::string, int> held;  // how many files hold each field: none may go untested
  for (const CorpusFile& file : Corpus()) {
    ASSERT_NE(file.kind, MediaKind::None) << file.name;
    const std::string before = ReadBytes(file.path);
    const auto stamp = fs::last_write_time(file.path);
    const MediaFields expected = Expected(file.exiftool, file.kind);
    EXPECT_EQ(ReadMediaFields(file.path.wstring()), expected) << file.name;
    EXPECT_EQ(ReadMediaFieldsFromBytes(before, file.path.extension().wstring()), expected) << file.name << " as bytes";
    EXPECT_EQ(ReadBytes(file.path), before) << file.name << " was written to";
    EXPECT_EQ(fs::last_write_time(file.path), stamp) << file.name << " was touched";
    const MediaFields& e = expected;
    for (const auto& [field, present] :
         std::initializer_list<std::pair<const char*, bool>>{{"Taken", e.Taken.has_value()},
                                                             {"Make", !e.Make.empty()},
                                                             {"Model", !e.Model.empty()},
                                                             {"Lens", !e.Lens.empty()},
                                                             {"Width", e.Width.has_value()},
                                                             {"Iso", e.Iso.has_value()},
                                                             {"Artist", !e.Artist.empty()},
                                                             {"AlbumArtist", !e.AlbumArtist.empty()},
                                                             {"Album", !e.Album.empty()},
                                                             {"Title", !e.Title.empty()},
                                                             {"Genre", !e.Genre.empty()},
                                                             {"Track", e.Track.has_value()},
                                                             {"Disc", e.Disc.has_value()},
                                                             {"Year", e.Year.has_value()}})
      held[field] += present;
  }
  for (const auto& [field, count] : held) EXPECT_GE(count, 2) << "too few files hold " << field;
}

namespace {

// The first length in a file's structure made huge (for Ogg, its page
// marker broken), found by the bytes, not the name.
std::string BreakFirstLength(std::string b) {
  const std::pair<std::string_view, std::pair<size_t, std::string_view>> places[] = {
      {"\xFF\xD8", {4, "\xFF\xFF"}},                             // JPEG: the first segment
      {"\x89PNG", {8, "\x7F\xFF\xFF\xF0"}},                      // PNG: the header chunk
      {"II*", {4, "\xFF\xFF\xFF\xF0"}},                          // TIFF: where IFD0 is
      {"RIFF", {16, "\xFF\xFF\xFF\x7F"}},                        // WebP: the first chunk
      {"ID3", {14, "\x7F\xFF\xFF\xFF"}},                         // ID3v2: the first frame
      {"fLaC", {5, "\xFF\xFF\xFF"}},                             // FLAC: the stream's block
      {"OggS", {3, "X"}},                                        // Ogg: the first page
      {std::string_view("\0\0\0", 3), {0, "\xFF\xFF\xFF\xF0"}},  // HEIF, MP4: the first box
  };
  for (const auto& [start, place] : places) {
    if (b.rfind(start, 0) != 0 || place.first + place.second.size() > b.size()) continue;
    return b.replace(place.first, place.second.size(), place.second);
  }
  return {};
}

enum class Expect { Nothing, NothingInvented, NoCrash };
struct Damage {
  const char* what;
  std::function<std::string(const std::string&)> make;
  Expect expect;
};
std::string Flipped(std::string b, size_t from, size_t to, size_t step) {
  for (size_t i = from; i < std::min(to, b.size()); i += step) b[i] = static_cast<char>(~b[i]);
  return b;
}
const Damage kDamages[] = {
    {"cut to its first 16 bytes", [](const std::string& b) { return b.substr(0, 16); }, Expect::Nothing},
    {"its first length made huge", BreakFirstLength, Expect::Nothing},
    {"cut in half", [](const std::string& b) { return b.substr(0, b.size() / 2); }, Expect::NothingInvented},
    {"cut 7 bytes short", [](const std::string& b) { return b.substr(0, b.size() - 7); }, Expect::NothingInvented},
    {"every 13th byte flipped", [](const std::string& b) { return Flipped(b, 12, b.size(), 13); }, Expect::NoCrash},
    {"its second eighth flipped", [](const std::string& b) { return Flipped(b, b.size() / 8, b.size() / 4, 1); },
     Expect::NoCrash},
};

// A damaged file's field is empty or the whole file's own.
bool NothingInvented(const MediaFields& got, const MediaFields& whole) {
  auto ok = [](const auto& g, const auto& w) { return g == std::decay_t<decltype(g)>{} || g == w; };
  return ok(got.Taken, whole.Taken) && ok(got.Make, whole.Make) && ok(got.Model, whole.Model) &&
         ok(got.Lens, whole.Lens) && ok(got.Width, whole.Width) && ok(got.Height, whole.Height) &&
         ok(got.Iso, whole.Iso) && ok(got.Artist, whole.Artist) && ok(got.AlbumArtist, whole.AlbumArtist) &&
         ok(got.Album, whole.Album) && ok(got.Title, whole.Title) && ok(got.Genre, whole.Genre) &&
         ok(got.Track, whole.Track) && ok(got.Disc, whole.Disc) && ok(got.Year, whole.Year);
}

}  // namespace

TEST(MediaCorpus, DamagedFilesGiveNothingTheyDoNotHoldAndNeverCrash) {
  rntest::TempFolder temp;
  int emptied = 0;
  for (const CorpusFile& file : Corpus()) {
    const std::string bytes = ReadBytes(file.path);
    const MediaFields whole = ReadMediaFields(file.path.wstring());
    for (const Damage& damage : kDamages) {
      const std::string damaged = damage.make(bytes);
      if (damaged.empty()) continue;
      const fs::path path = temp.path / file.path.filename();
      std::ofstream(path, std::ios::binary | std::ios::trunc) << damaged;
      const MediaFields got = ReadMediaFields(path.wstring());
      const std::string where = file.name + ", " + damage.what;
      EXPECT_EQ(ReadMediaFieldsFromBytes(damaged, path.extension().wstring()), got) << where << ", as bytes";
      if (damage.expect == Expect::Nothing) {
        EXPECT_EQ(got, MediaFields{}) << where;
      } else if (damage.expect == Expect::NothingInvented) {
        EXPECT_TRUE(NothingInvented(got, whole)) << where << ": " << testing::PrintToString(got);
      }
      emptied += damage.expect == Expect::Nothing;
    }
  }
  EXPECT_GE(emptied, 40) << "too few files were damaged where they must give nothing";
}

// Bytes flipped at random over the whole file, many times over (a fixed
// seed, so that a failure comes back).
TEST(MediaCorpus, FilesWithBytesFlippedAtRandomNeverCrash) {
  std::mt19937 random(20240611);
  for (const CorpusFile& file : Corpus()) {
    const std::string bytes = ReadBytes(file.path);
    for (int round = 0; round < 30; ++round) {
      std::string damaged = bytes;
      for (int flips = 1 + static_cast<int>(random() % 8); flips > 0; --flips)
        damaged[random() % damaged.size()] ^= static_cast<char>(1 + random() % 255);
      (void)ReadMediaFieldsFromBytes(damaged, file.path.extension().wstring());
    }
  }
}
