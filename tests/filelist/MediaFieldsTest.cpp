// The pieces of ReadMediaFields that need no tool: dates as Exif and XMP
// write them, numbers as tags write them, texts as the libraries give them,
// which extension goes to which reader, the window of reads, local time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "base/Text.h"
#include "filelist/MediaReaders.h"

using namespace rn;
using namespace std::string_view_literals;

namespace {
struct DateCase {
  std::string_view text;
  std::optional<DateTime> expected;
};
}  // namespace

TEST(MediaDates, ExifDatesAreReadExactlyOrNotAtAll) {
  const DateCase cases[] = {
      {"2021:05:01 10:20:30", DateTime{2021, 5, 1, 10, 20, 30}},
      {"2021:05:01 10:20:30\0"sv, DateTime{2021, 5, 1, 10, 20, 30}},  // Exif's closing NUL
      {"2000:02:29 23:59:59  ", DateTime{2000, 2, 29, 23, 59, 59}},
      {"1850:01:01 00:00:00", DateTime{1850, 1, 1, 0, 0, 0}},  // older than any file stamp
      {"1900:02:29 12:00:00", std::nullopt},                   // no leap year
      {"2021:04:31 10:00:00", std::nullopt},
      {"2021:13:01 10:00:00", std::nullopt},
      {"2021:05:01 24:00:00", std::nullopt},
      {"2021:05:01 10:60:00", std::nullopt},
      {"2021:05:01 10:20:60", std::nullopt},
      {"0000:00:00 00:00:00", std::nullopt},  // "unknown", as cameras write it
      {"    :  :     :  :  ", std::nullopt},
      {"2021-05-01 10:20:30", std::nullopt},
      {"2021:5:01 10:20:30", std::nullopt},
      {"2021:05:01 10:20", std::nullopt},
      {"2021:05:01 10:20:30.5", std::nullopt},
      {" 2021:05:01 10:20:30", std::nullopt},
      {"", std::nullopt},
  };
  for (const DateCase& c : cases) EXPECT_EQ(ParseExifDateTime(c.text), c.expected) << c.text;
}

TEST(MediaDates, XmpDatesTakeTheWallClockAsWritten) {
  const DateCase cases[] = {
      {"2017-06-05T04:03:02+02:00", DateTime{2017, 6, 5, 4, 3, 2}},
      {"2017-06-05T04:03:02Z", DateTime{2017, 6, 5, 4, 3, 2}},
      {"2017-06-05T04:03:02.5-11:30", DateTime{2017, 6, 5, 4, 3, 2}},
      {"2017-06-05T04:03", DateTime{2017, 6, 5, 4, 3, 0}},
      {"2017-06-05", DateTime{2017, 6, 5, 0, 0, 0}},
      {"2017-06", std::nullopt},  // no day, no date
      {"2017-06-31", std::nullopt},
      {"2017-06-05T25:00:00", std::nullopt},
      {"2017-06-05T04:03:", std::nullopt},
      {"2017-06-05 04:03:02", std::nullopt},
      {"2017-06-05T04:03:02+0200", std::nullopt},
      {"2017-06-05T04:03:02 junk", std::nullopt},
  };
  for (const DateCase& c : cases) EXPECT_EQ(ParseXmpDateTime(c.text), c.expected) << c.text;
}

TEST(MediaNumbers, ATagsNumberIsTheOneItStartsWith) {
  const std::pair<const wchar_t*, std::optional<int64_t>> cases[] = {
      {L"3/12", 3},           {L"07", 7},
      {L" 5 of 9", 5},        {L"0", 0},
      {L"/12", std::nullopt}, {L"", std::nullopt},
      {L"-3", std::nullopt},  {L"1234567890123", std::nullopt},  // more digits than any track has
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(LeadingNumber(text), expected) << Utf8FromWide(text);
}

TEST(MediaTexts, Utf8WhenValidElseWindows1252AndNoPadding) {
  const std::pair<std::string_view, std::wstring> cases[] = {
      {"Canon \0\0"sv, L"Canon"},
      {"  NIKON CORPORATION  ", L"NIKON CORPORATION"},
      {"\xce\x95\xce\xbb \xe6\x9d\xb1", L"\u0395\u03bb \u6771"},  // Greek and Japanese in UTF-8
      {"Caf\xe9 \x80", L"Caf\u00e9 \u20ac"},                      // not UTF-8: Windows-1252
      {"\xf0\x9f\x93\xb7", WideFromUtf8("\xf0\x9f\x93\xb7")},     // beyond U+FFFF, whole
      {"\0\0"sv, L""},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(TextFromBytes(bytes), expected) << bytes;
}

TEST(MediaKinds, TheExtensionChoosesTheReaderWithoutRegardToCase) {
  const std::pair<MediaKind, std::vector<const wchar_t*>> kinds[] = {
      {MediaKind::Photo, {L".jpg", L".JPEG", L".tif", L".png", L".webp", L".heic", L".avif", L".CR3", L".nef"}},
      {MediaKind::Song, {L".mp3", L".m4a", L".Flac", L".ogg", L".opus", L".wma", L".wav", L".aiff"}},
      {MediaKind::Movie, {L".mp4", L".MOV", L".m4v", L".3gp"}},
      {MediaKind::None, {L".txt", L"", L"jpg", L".jpg.txt", L".mkv"}},
  };
  for (const auto& [kind, extensions] : kinds)
    for (const wchar_t* ext : extensions) EXPECT_EQ(MediaKindOf(ext), kind) << Utf8FromWide(ext);
}

TEST(MediaBytesReader, BytesOfNoKnownKindOrNoBytesGiveNothing) {
  const std::string junk(5000, '\x5a');
  for (const wchar_t* ext :
       {L".jpg", L".png", L".tif", L".heic", L".mp3", L".flac", L".ogg", L".m4a", L".mp4", L".mov", L".wav", L".txt"}) {
    EXPECT_EQ(ReadMediaFieldsFromBytes(junk, ext), MediaFields{}) << Utf8FromWide(ext);
    EXPECT_EQ(ReadMediaFieldsFromBytes({}, ext), MediaFields{}) << Utf8FromWide(ext);
  }
}

// The window serves a header's small reads from one read of the file, and
// gives every byte where it is, near the end as at the start.
TEST(MediaWindow, SmallReadsComeFromOneReadAndEveryByteIsRight) {
  std::string file(200000, '\0');
  for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>(i * 7 + i / 251);
  std::vector<std::pair<uint64_t, size_t>> reads;
  const ReadAt windowed = WindowedReads([&](uint64_t offset, void* buffer, size_t size) -> size_t {
    reads.emplace_back(offset, size);
    const size_t n = offset >= file.size() ? 0 : std::min<size_t>(size, file.size() - offset);
    if (n) std::memcpy(buffer, file.data() + offset, n);
    return n;
  });
  auto check = [&](uint64_t offset, size_t size) {
    std::string got(size, '\x01');
    const size_t n = windowed(offset, got.data(), size);
    const size_t at = std::min<size_t>(offset, file.size());
    ASSERT_EQ(n, std::min(size, file.size() - at)) << offset << "+" << size;
    EXPECT_EQ(got.substr(0, n), file.substr(at, n)) << offset << "+" << size;
  };
  for (uint64_t at = 0; at < 2000; at += 3) check(at, 1 + at % 40);
  EXPECT_EQ(reads.size(), 1u) << "the start of the file is read once";
  for (const auto& [offset, size] : {std::pair<uint64_t, size_t>{file.size() - 128, 128},
                                     {file.size() - 160, 32},
                                     {file.size() - 4, 100},
                                     {file.size(), 10},
                                     {file.size() + 5, 10}})
    check(offset, size);  // a tag's footer, the bytes before it, reads past the end
  EXPECT_EQ(reads.size(), 2u) << "the end of the file is read once";
  check(1000, 100000);
  EXPECT_EQ(reads.back(), (std::pair<uint64_t, size_t>{1000, 100000})) << "a large read goes straight through";
  check(65530, 20);  // across the first window's end
}

// Local time is the C library's for the same moment; where the test can
// choose the zone (natively), it follows the zone's rules of the moment
// itself: summer time in July, standard time in January, the day changing
// with the hour.
TEST(MediaLocalTime, UtcMomentsBecomeTheZonesWallClock) {
  for (const std::time_t t : {0, 86399, 1120090500, 1263598200, 1593866096, 1700000000}) {
    const std::tm* local = std::localtime(&t);
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(LocalFromUtc(t), (DateTime{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                                         local->tm_min, local->tm_sec}))
        << t;
  }
#ifndef _WIN32
  const char* old = std::getenv("TZ");
  const std::string saved = old ? old : "";
  setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
  tzset();
  EXPECT_EQ(LocalFromUtc(1593866096), (DateTime{2020, 7, 4, 8, 34, 56}));   // 12:34:56 UTC, summer: -4 h
  EXPECT_EQ(LocalFromUtc(1263598200), (DateTime{2010, 1, 15, 18, 30, 0}));  // 23:30 UTC, winter: -5 h
  EXPECT_EQ(LocalFromUtc(1120090500), (DateTime{2005, 6, 29, 20, 15, 0}));  // 2005-06-30 00:15 UTC
  EXPECT_EQ(LocalFromUtc(-2208988800), (DateTime{1899, 12, 31, 19, 0, 0}));
  old ? setenv("TZ", saved.c_str(), 1) : unsetenv("TZ");
  tzset();
#endif
}
