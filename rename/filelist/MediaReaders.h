// Inside ReadMediaFields: the bytes of one file as every reader sees them,
// whether a file on disk or a buffer, and the readers of each kind.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/DateTime.h"
#include "filelist/MediaFields.h"
#include "filelist/MovieHeader.h"

namespace rn {

struct MediaBytes {
  ReadAt read;
  uint64_t size = 0;
  // The whole file in memory (mapped where it is a file), for the readers
  // that parse a format at once (TIFF and the raw formats made of it); null
  // when it cannot be had.
  std::function<const unsigned char*()> whole;
  // "x.mp3": the libraries choose a reader by the name too.
  std::wstring name;
};

// Reads through one window of 64 KiB: the small reads of a header (a marker,
// a box, a byte at a time) then cost one read of the file, as a plain read
// of its start would. Larger reads go straight through.
// Nothing is asked past `fileSize`: a read there would only come back empty.
ReadAt WindowedReads(ReadAt raw, uint64_t fileSize = UINT64_MAX);

enum class MediaKind { None, Photo, Song, Movie };
// What the extension (with its dot, any case) names; None for anything the
// readers leave alone, which is then never opened.
MediaKind MediaKindOf(const std::wstring& extension);

// Never throws; a reader that fails leaves what it had not filled empty.
MediaFields ReadMediaBytes(const MediaBytes& bytes, MediaKind kind);
void ReadPhotoFields(const MediaBytes& bytes, MediaFields& fields);  // Exiv2
void ReadSongFields(const MediaBytes& bytes, MediaFields& fields);   // TagLib
// A movie's tags as a song's (MP4 and QuickTime files).
void ReadMovieTags(const MediaBytes& bytes, MediaFields& fields);

// "YYYY:MM:DD HH:MM:SS" as Exif writes it, exactly; a date that no calendar
// holds, or zeros for "unknown", give nothing.
std::optional<DateTime> ParseExifDateTime(std::string_view text);
// XMP's ISO 8601 form, "YYYY-MM-DD" with "THH:MM", seconds, fractions and a
// zone optional; the wall-clock time as written (the zone is ignored).
std::optional<DateTime> ParseXmpDateTime(std::string_view text);
// The number a text starts with, blanks skipped: "3/12" gives 3, "07" 7.
std::optional<int64_t> LeadingNumber(std::wstring_view text);
// Text from a library's 8-bit form: UTF-8 when it is valid, else
// Windows-1252; blanks and NULs around it go.
std::wstring TextFromBytes(std::string_view bytes);

// UTC seconds since 1970 as the local wall-clock time of that moment.
// Implemented by the platform layer.
std::optional<DateTime> LocalFromUtc(int64_t seconds);

}  // namespace rn
