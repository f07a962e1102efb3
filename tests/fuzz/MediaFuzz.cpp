// Photos, songs and videos as they may arrive: any bytes, named as any kind
// the readers take. The first byte chooses the name and whether the bytes
// start as that kind's files do, so the libraries' parsers see more than
// their first check. Nothing may read outside the bytes, and what comes out
// is a real date and real sizes, or nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "filelist/MediaFields.h"

namespace {

struct Kind {
  const wchar_t* extension;
  std::string_view start;
};

using namespace std::string_view_literals;
const Kind kKinds[] = {
    {L".jpg", "\xFF\xD8\xFF\xE1"sv},
    {L".png", "\x89PNG\r\n\x1A\n"sv},
    {L".tif", "II*\0\x08\0\0\0"sv},
    {L".nef", "MM\0*\0\0\0\x08"sv},
    {L".webp", "RIFF\0\x10\0\0WEBPVP8X"sv},
    {L".heic",
     "\0\0\0\x18"
     "ftypheic\0\0\0\0mif1heic"sv},
    {L".avif",
     "\0\0\0\x18"
     "ftypavif\0\0\0\0mif1avif"sv},
    {L".cr3",
     "\0\0\0\x18"
     "ftypcrx \0\0\0\x01"
     "crx isom"sv},
    {L".mp3", "ID3\x03\0\0"sv},
    {L".mp3", "\xFF\xFB\x90\x64"sv},
    {L".flac", "fLaC"sv},
    {L".ogg", "OggS\0\x02"sv},
    {L".opus", "OggS\0\x02"sv},
    {L".m4a",
     "\0\0\0\x18"
     "ftypM4A \0\0\0\0M4A isom"sv},
    {L".wma", "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C"sv},
    {L".wav", "RIFF\0\x10\0\0WAVE"sv},
    {L".aiff", "FORM\0\x10\0\0AIFF"sv},
    {L".mp4",
     "\0\0\0\x18"
     "ftypisom\0\0\0\0isomiso2"sv},
    {L".mov",
     "\0\0\0\x14"
     "ftypqt  \0\0\0\0qt  "sv},
    {L".3gp",
     "\0\0\0\x14"
     "ftyp3gp4\0\0\0\0isom"sv},
};

bool Real(const rn::MediaFields& f) {
  if (f.Taken) {
    const rn::DateTime& d = *f.Taken;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31 || d.hour < 0 || d.hour > 23 || d.minute < 0 ||
        d.minute > 59 || d.second < 0 || d.second > 60)
      return false;
  }
  for (const auto& n : {f.Width, f.Height, f.Iso, f.Track, f.Disc, f.Year})
    if (n && *n <= 0) return false;
  return f.Width.has_value() == f.Height.has_value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Kind& kind = kKinds[data[0] % (sizeof kKinds / sizeof kKinds[0])];
  std::string bytes;
  if (data[0] & 0x80) bytes = kind.start;
  bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (!Real(rn::ReadMediaFieldsFromBytes(bytes, kind.extension))) std::abort();
  return 0;
}
