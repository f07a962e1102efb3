#include <algorithm>
#include <cstring>
#include <memory>
#include <set>

#include "base/Path.h"
#include "base/Text.h"
#include "filelist/MediaReaders.h"

namespace rn {

namespace {

std::wstring Lower(const std::wstring& s) {
  std::wstring out = s;
  for (wchar_t& c : out) c = FoldCase(c);
  return out;
}

bool Digits(std::string_view s, size_t from, size_t count, int& value) {
  if (from + count > s.size()) return false;
  value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    value = value * 10 + (s[i] - '0');
  }
  return true;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

std::optional<DateTime> Checked(const DateTime& d) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1) return std::nullopt;
  const int days = kDays[d.month - 1] + (d.month == 2 && LeapYear(d.year) ? 1 : 0);
  if (d.day > days || d.hour > 23 || d.minute > 59 || d.second > 59) return std::nullopt;
  return d;
}

}  // namespace

ReadAt WindowedReads(ReadAt raw, uint64_t fileSize) {
  struct Window {
    uint64_t start = 0;
    std::string data;
    bool toEnd = false;  // data reaches the end of the file
  };
  static constexpr size_t kWindow = 64 * 1024;
  auto window = std::make_shared<Window>();
  return [raw = std::move(raw), window, fileSize](uint64_t offset, void* buffer, size_t size) -> size_t {
    size = offset < fileSize ? static_cast<size_t>(std::min<uint64_t>(size, fileSize - offset)) : 0;
    if (size == 0) return 0;
    if (size >= kWindow / 2) return raw(offset, buffer, size);
    Window& w = *window;
    const uint64_t end = w.start + w.data.size();
    // Once the window holds the file's end, it answers any read past its start.
    const bool inside = offset >= w.start && (offset + size <= end || w.toEnd);
    if (!inside) {
      // From a 4 KiB boundary: the next read often looks a little back (a
      // tag's footer, then its header).
      w.start = offset & ~uint64_t{4095};
      const size_t wanted = static_cast<size_t>(std::min<uint64_t>(kWindow, fileSize - w.start));
      w.data.resize(wanted);
      w.data.resize(raw(w.start, w.data.data(), wanted));
      w.toEnd = w.data.size() < kWindow || w.start + w.data.size() >= fileSize;
    }
    const uint64_t from = offset - w.start;
    if (from >= w.data.size()) return 0;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(size, w.data.size() - from));
    std::memcpy(buffer, w.data.data() + from, n);
    return n;
  };
}

MediaKind MediaKindOf(const std::wstring& extension) {
  // Exiv2 reads these (and finds the real kind from the bytes); TagLib the songs.
  static const std::set<std::wstring> kPhotos = {
      L".jpg", L".jpeg", L".jpe", L".jfif", L".tif", L".tiff", L".png", L".webp", L".heic", L".heif", L".hif", L".avif",
      L".jxl", L".dng",  L".cr2", L".cr3",  L".crw", L".nef",  L".nrw", L".arw",  L".sr2",  L".srw",  L".orf", L".rw2",
      L".raf", L".pef",  L".mrw", L".psd",  L".jp2", L".gif",  L".bmp", L".tga",  L".exv",  L".pgf"};
  static const std::set<std::wstring> kSongs = {L".mp3", L".mp2",  L".m4a",  L".m4b", L".m4p", L".m4r", L".flac",
                                                L".ogg", L".oga",  L".opus", L".spx", L".wma", L".asf", L".wav",
                                                L".aif", L".aiff", L".aifc", L".ape", L".wv",  L".mpc", L".tta"};
  static const std::set<std::wstring> kMovies = {L".mp4", L".m4v", L".mov", L".qt", L".3gp", L".3g2"};
  const std::wstring ext = Lower(extension);
  if (kPhotos.count(ext)) return MediaKind::Photo;
  if (kSongs.count(ext)) return MediaKind::Song;
  if (kMovies.count(ext)) return MediaKind::Movie;
  return MediaKind::None;
}

bool MayHoldMediaFields(const std::wstring& name) { return MediaKindOf(ExtensionOfPath(name)) != MediaKind::None; }

MediaFields ReadMediaBytes(const MediaBytes& bytes, MediaKind kind) {
  MediaFields fields;
  switch (kind) {
    case MediaKind::Photo: ReadPhotoFields(bytes, fields); break;
    case MediaKind::Song: ReadSongFields(bytes, fields); break;
    case MediaKind::Movie:
      try {
        if (const auto utc = MovieCreationUtc(bytes.read, bytes.size)) fields.Taken = LocalFromUtc(*utc);
      } catch (...) {
        fields.Taken.reset();
      }
      ReadMovieTags(bytes, fields);
      break;
    case MediaKind::None: break;
  }
  return fields;
}

MediaFields ReadMediaFieldsFromBytes(std::string_view bytes, const std::wstring& extensionHint) {
  MediaBytes source;
  source.size = bytes.size();
  source.read = [bytes](uint64_t offset, void* buffer, size_t size) -> size_t {
    if (offset >= bytes.size()) return 0;
    const size_t n = std::min<uint64_t>(size, bytes.size() - offset);
    std::memcpy(buffer, bytes.data() + offset, n);
    return n;
  };
  source.whole = [bytes] { return reinterpret_cast<const unsigned char*>(bytes.data()); };
  source.name = L"media" + extensionHint;
  return ReadMediaBytes(source, MediaKindOf(extensionHint));
}

std::optional<DateTime> ParseExifDateTime(std::string_view text) {
  // Exif pads its texts with NULs or blanks; the value itself is exact.
  while (!text.empty() && (text.back() == '\0' || text.back() == ' ')) text.remove_suffix(1);
  DateTime d;
  if (text.size() != 19 || text[4] != ':' || text[7] != ':' || text[10] != ' ' || text[13] != ':' || text[16] != ':')
    return std::nullopt;
  if (!Digits(text, 0, 4, d.year) || !Digits(text, 5, 2, d.month) || !Digits(text, 8, 2, d.day) ||
      !Digits(text, 11, 2, d.hour) || !Digits(text, 14, 2, d.minute) || !Digits(text, 17, 2, d.second))
    return std::nullopt;
  return Checked(d);
}

std::optional<DateTime> ParseXmpDateTime(std::string_view text) {
  DateTime d;
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, d.year) ||
      !Digits(text, 5, 2, d.month) || !Digits(text, 8, 2, d.day))
    return std::nullopt;
  size_t at = 10;
  if (at < text.size()) {
    if (text[at] != 'T' || text.size() < at + 6 || text[at + 3] != ':' || !Digits(text, at + 1, 2, d.hour) ||
        !Digits(text, at + 4, 2, d.minute))
      return std::nullopt;
    at += 6;
    if (at < text.size() && text[at] == ':') {
      if (!Digits(text, at + 1, 2, d.second)) return std::nullopt;
      at += 3;
      if (at < text.size() && text[at] == '.') {
        int digit = 0;
        for (++at; at < text.size() && Digits(text, at, 1, digit);) ++at;
      }
    }
    // What may follow is the zone alone: "Z" or "+hh:mm" / "-hh:mm".
    const std::string_view zone = text.substr(at);
    int zh = 0, zm = 0;
    const bool offset = zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':' &&
                        Digits(zone, 1, 2, zh) && Digits(zone, 4, 2, zm);
    if (!zone.empty() && zone != "Z" && !offset) return std::nullopt;
  }
  return Checked(d);
}

std::optional<int64_t> LeadingNumber(std::wstring_view text) {
  size_t at = 0;
  while (at < text.size() && (text[at] == L' ' || text[at] == L'\t')) ++at;
  int64_t value = 0;
  size_t digits = 0;
  for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9' && digits < 12; ++at, ++digits)
    value = value * 10 + (text[at] - L'0');
  if (digits == 0 || (at < text.size() && text[at] >= L'0' && text[at] <= L'9')) return std::nullopt;
  return value;
}

std::wstring TextFromBytes(std::string_view bytes) {
  auto blank = [](char c) { return c == '\0' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!bytes.empty() && blank(bytes.front())) bytes.remove_prefix(1);
  while (!bytes.empty() && blank(bytes.back())) bytes.remove_suffix(1);
  const std::string text(bytes);
  bool utf8 = false;
  std::wstring wide = WideFromUtf8(text, &utf8);
  return utf8 ? wide : WideFromCp1252(text);
}

}  // namespace rn
