// What a photo, a video or a song says about itself, as far as names are made
// of it. Read by the libraries of the field (Exiv2 for pictures, TagLib for
// sound) and, for a video's recording date, by our own reader of its movie
// header.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/DateTime.h"

namespace rn {

// An empty text or an empty optional is a value the file does not hold.
struct MediaFields {
  // Photos: the original date-time of the shot; videos: the recording date,
  // converted from UTC to local time. Wall-clock, not limited to the years
  // the file system's stamps can hold.
  std::optional<DateTime> Taken;
  std::wstring Make, Model, Lens;
  std::optional<int64_t> Width, Height, Iso;
  std::wstring Artist, AlbumArtist, Album, Title, Genre;
  std::optional<int64_t> Track, Disc, Year;
  bool operator==(const MediaFields&) const = default;
};

// Reads what the file holds, for reading only and shared with others; never
// writes to it and never throws: a file that is damaged, hostile or of no kind
// the libraries know gives empty fields.
MediaFields ReadMediaFields(const std::wstring& path);
// Whether the name is of a kind the readers take (a photo, a song, a video):
// any other file is never opened and says nothing.
bool MayHoldMediaFields(const std::wstring& name);

// The same for a file's bytes held in memory, of the kind its extension
// (".jpg", ".mp3", with the dot, any case) would name; for tests and fuzzing.
MediaFields ReadMediaFieldsFromBytes(std::string_view bytes, const std::wstring& extensionHint);

}  // namespace rn
