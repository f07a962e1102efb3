// A photo's fields, read by Exiv2 through the file's bytes as MediaBytes
// gives them: Exiv2 never opens a path of its own and never writes.
#include <algorithm>
#include <climits>
#include <cstdio>

#include "filelist/MediaReaders.h"

// Exiv2 0.27 hands its objects over in std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/basicio.hpp>
#include <exiv2/bmffimage.hpp>
#include <exiv2/easyaccess.hpp>
#include <exiv2/error.hpp>
#include <exiv2/exif.hpp>
#include <exiv2/image.hpp>
#include <exiv2/xmp_exiv2.hpp>

namespace rn {

namespace {

// Exiv2's view of the bytes, read-only: every write fails. Reads stop at
// the end of the bytes whatever a length in the file claims, so no buffer
// is ever larger than what is there.
class BytesIo final : public Exiv2::BasicIo {
 public:
  explicit BytesIo(const MediaBytes& bytes) : bytes_(bytes) {}

  int open() override {
    position_ = 0;
    eof_ = false;
    return 0;
  }
  int close() override { return 0; }
  long write(const Exiv2::byte*, long) override { return 0; }
  long write(Exiv2::BasicIo&) override { return 0; }
  int putb(Exiv2::byte) override { return EOF; }
  Exiv2::DataBuf read(long count) override {
    Exiv2::DataBuf buffer(static_cast<long>(std::min<uint64_t>(std::max(count, 0L), Remaining())));
    buffer.size_ = read(buffer.pData_, buffer.size_);
    return buffer;
  }
  long read(Exiv2::byte* buffer, long count) override {
    if (count <= 0) return 0;
    const uint64_t wanted = std::min<uint64_t>(static_cast<uint64_t>(count), Remaining());
    const size_t got = wanted ? bytes_.read(position_, buffer, static_cast<size_t>(wanted)) : 0;
    position_ += got;
    if (got < static_cast<uint64_t>(count)) eof_ = true;
    return static_cast<long>(got);
  }
  int getb() override {
    Exiv2::byte b = 0;
    return read(&b, 1) == 1 ? b : EOF;
  }
  void transfer(Exiv2::BasicIo&) override { throw Exiv2::Error(Exiv2::kerErrorMessage, "read only"); }
  // As Exiv2's own memory reader: no place before the start or past the end.
  int seek(long offset, Position from) override {
    const int64_t base = from == beg   ? 0
                         : from == cur ? static_cast<int64_t>(position_)
                                       : static_cast<int64_t>(bytes_.size);
    const int64_t target = base + offset;
    if (target < 0) return 1;
    if (static_cast<uint64_t>(target) > bytes_.size) {
      eof_ = true;
      return 1;
    }
    position_ = static_cast<uint64_t>(target);
    eof_ = false;
    return 0;
  }
  Exiv2::byte* mmap(bool writeable) override {
    const unsigned char* whole = !writeable && bytes_.whole ? bytes_.whole() : nullptr;
    if (!whole) throw Exiv2::Error(Exiv2::kerErrorMessage, "not mapped");
    return const_cast<Exiv2::byte*>(whole);
  }
  int munmap() override { return 0; }
  long tell() const override { return static_cast<long>(position_); }
  size_t size() const override { return static_cast<size_t>(bytes_.size); }
  bool isopen() const override { return true; }
  int error() const override { return 0; }
  bool eof() const override { return eof_; }
  std::string path() const override { return "media"; }
#ifdef EXV_UNICODE_PATH
  std::wstring wpath() const override { return L"media"; }
#endif

 private:
  uint64_t Remaining() const { return position_ < bytes_.size ? bytes_.size - position_ : 0; }

  const MediaBytes& bytes_;
  uint64_t position_ = 0;
  bool eof_ = false;
};

// Once, at the first photo: Exiv2 keeps quiet (it would print warnings on
// damaged files), reads HEIF, AVIF and CR3, and its XMP toolkit is set up
// before any use (setting it up is not safe in two threads at once).
void SetUpExiv2() {
  static const bool ready = [] {
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    Exiv2::LogMsg::setHandler(nullptr);
    Exiv2::enableBMFF(true);
    Exiv2::XmpParser::initialize();
    return true;
  }();
  (void)ready;
}

template <class Data, class Key>
std::string ValueOf(const Data& data, const char* key) {
  const auto found = data.findKey(Key(key));
  return found == data.end() || found->count() == 0 ? std::string() : found->toString();
}
std::string ExifValue(const Exiv2::ExifData& exif, const char* key) {
  return ValueOf<Exiv2::ExifData, Exiv2::ExifKey>(exif, key);
}
std::string XmpValue(const Exiv2::XmpData& xmp, const char* key) {
  return ValueOf<Exiv2::XmpData, Exiv2::XmpKey>(xmp, key);
}

std::optional<int64_t> ExifNumber(const Exiv2::ExifData& exif, const char* key) {
  const auto found = exif.findKey(Exiv2::ExifKey(key));
  if (found == exif.end() || found->count() == 0) return std::nullopt;
  const long value = found->toLong(0);
  if (found->value().ok() && value > 0) return value;
  return std::nullopt;
}

// The moment of the shot, from the first source that holds a real date: the
// original's date in Exif, then in XMP, then the digitizing date (a camera's
// own shot, or the scan of a print). The date a program last saved the file
// (Exif.Image.DateTime) is left out: it is no date of taking.
std::optional<DateTime> TakenOf(const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp) {
  if (auto d = ParseExifDateTime(ExifValue(exif, "Exif.Photo.DateTimeOriginal"))) return d;
  if (auto d = ParseXmpDateTime(XmpValue(xmp, "Xmp.exif.DateTimeOriginal"))) return d;
  if (auto d = ParseExifDateTime(ExifValue(exif, "Exif.Photo.DateTimeDigitized"))) return d;
  if (auto d = ParseXmpDateTime(XmpValue(xmp, "Xmp.xmp.CreateDate"))) return d;
  return ParseXmpDateTime(XmpValue(xmp, "Xmp.photoshop.DateCreated"));
}

// The lens's model as written, else what Exiv2 makes of a maker's lens
// number ("(123)" when it knows none).
std::wstring LensOf(const Exiv2::ExifData& exif) {
  std::wstring lens = TextFromBytes(ExifValue(exif, "Exif.Photo.LensModel"));
  if (!lens.empty()) return lens;
  const auto found = Exiv2::lensName(exif);
  if (found == exif.end()) return {};
  lens = TextFromBytes(found->print(&exif));
  return lens.empty() || lens.front() == L'(' ? std::wstring() : lens;
}

// ISO speed; 65535 in the old tag means "more", written in the newer ones.
std::optional<int64_t> IsoOf(const Exiv2::ExifData& exif) {
  auto iso = ExifNumber(exif, "Exif.Photo.ISOSpeedRatings");
  if (!iso) iso = ExifNumber(exif, "Exif.Image.ISOSpeedRatings");
  if (iso == 65535) {
    for (const char* key :
         {"Exif.Photo.ISOSpeed", "Exif.Photo.RecommendedExposureIndex", "Exif.Photo.StandardOutputSensitivity"})
      if (auto more = ExifNumber(exif, key)) return more;
  }
  return iso;
}

MediaFields FieldsOf(const Exiv2::ExifData& exif, const Exiv2::XmpData& xmp, int64_t width, int64_t height) {
  MediaFields read;
  read.Taken = TakenOf(exif, xmp);
  read.Make = TextFromBytes(ExifValue(exif, "Exif.Image.Make"));
  read.Model = TextFromBytes(ExifValue(exif, "Exif.Image.Model"));
  read.Lens = LensOf(exif);
  read.Iso = IsoOf(exif);
  if (width > 0 && height > 0) read.Width = width, read.Height = height;
  return read;
}

// What a JPEG's markers give before its scan, walked as Exiv2 walks them:
// the first Exif block and the first frame's size.
struct JpegHead {
  std::string exif;
  int64_t width = 0, height = 0;
};

// Nothing when the markers do not hold together (Exiv2 then reads the file
// whole and says what it makes of it).
std::optional<JpegHead> ReadJpegHead(const MediaBytes& bytes) {
  unsigned char b[9];
  if (bytes.read(0, b, 2) != 2 || b[0] != 0xFF || b[1] != 0xD8) return std::nullopt;
  JpegHead head;
  uint64_t at = 2;
  bool exifSeen = false;
  for (int segments = 0; segments < 1024; ++segments) {
    // Padding before a marker, then any number of 0xFF.
    while (at < bytes.size && bytes.read(at, b, 1) == 1 && b[0] != 0xFF) ++at;
    while (at < bytes.size && bytes.read(at, b, 1) == 1 && b[0] == 0xFF) ++at;
    if (at >= bytes.size || bytes.read(at, b, 1) != 1) return std::nullopt;
    const int marker = b[0];
    ++at;
    if (marker == 0xDA) return head;  // the scan: the header is over
    if (marker == 0xD9) return std::nullopt;
    const bool sized = (marker >= 0xC0 && marker <= 0xCF) || (marker >= 0xE0 && marker <= 0xEF) || marker == 0xDB ||
                       marker == 0xDD || marker == 0xFE;
    if (!sized) continue;
    if (bytes.read(at, b, 2) != 2) return std::nullopt;
    const uint32_t size = b[0] << 8 | b[1];
    if (size < 2 || at + size > bytes.size) return std::nullopt;
    if (marker == 0xE1 && !exifSeen && size >= 8) {
      std::string segment(size - 2, '\0');
      if (bytes.read(at + 2, segment.data(), segment.size()) != segment.size()) return std::nullopt;
      if (segment.compare(0, 6, std::string("Exif\0\0", 6)) == 0) {
        head.exif = segment.substr(6);
        exifSeen = true;
      }
    }
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4;
    if (frame && head.height == 0) {
      if (size < 8 || bytes.read(at + 3, b, 4) != 4) return std::nullopt;
      head.height = b[0] << 8 | b[1];
      head.width = b[2] << 8 | b[3];
    }
    at += size;
  }
  return std::nullopt;
}

}  // namespace

void ReadPhotoFields(const MediaBytes& bytes, MediaFields& fields) {
  // Exiv2 counts places in a long, which holds 2 GiB on Windows.
  if (bytes.size == 0 || bytes.size > static_cast<uint64_t>(LONG_MAX)) return;
  try {
    SetUpExiv2();
    // A JPEG whose Exif holds the date goes straight to Exiv2's Exif decoder:
    // a whole read would also run its XMP toolkit, which costs twice the rest.
    if (const auto head = ReadJpegHead(bytes)) {
      Exiv2::ExifData exif;
      const auto* data = reinterpret_cast<const Exiv2::byte*>(head->exif.data());
      if (!head->exif.empty() &&
          Exiv2::ExifParser::decode(exif, data, static_cast<uint32_t>(head->exif.size())) == Exiv2::invalidByteOrder)
        exif.clear();
      if (ParseExifDateTime(ExifValue(exif, "Exif.Photo.DateTimeOriginal"))) {
        fields = FieldsOf(exif, Exiv2::XmpData(), head->width, head->height);
        return;
      }
    }
    Exiv2::BasicIo::AutoPtr io(new BytesIo(bytes));
    Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(io);
    // Videos are no photos (and their readers in Exiv2 are the least tried).
    if (!image.get() || image->mimeType().rfind("video/", 0) == 0) return;
    image->readMetadata();
    fields = FieldsOf(image->exifData(), image->xmpData(), image->pixelWidth(), image->pixelHeight());
  } catch (...) {
    // A damaged or hostile file: nothing of it is trusted.
  }
}

}  // namespace rn

#pragma GCC diagnostic pop
