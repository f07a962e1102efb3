// A song's tags (and a movie's, in MP4 and QuickTime files), read by TagLib
// through the file's bytes as MediaBytes gives them: TagLib never opens a
// path of its own, never writes, and reads no audio frames.
#include <algorithm>
#include <climits>
#include <memory>

#include "base/Text.h"
#include "filelist/MediaReaders.h"

#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tiostream.h>
#include <taglib/tpropertymap.h>

namespace rn {

namespace {

// TagLib's view of the bytes, read-only: writes do nothing. A block is never
// larger than what is left, whatever a length in the file claims.
class BytesStream final : public TagLib::IOStream {
 public:
  explicit BytesStream(const MediaBytes& bytes) : bytes_(bytes) {
#ifdef _WIN32
    name_ = bytes.name;
#else
    name_ = Utf8FromWide(bytes.name);
#endif
  }

  TagLib::FileName name() const override { return name_.c_str(); }
  TagLib::ByteVector readBlock(unsigned long length) override {
    const uint64_t left = position_ < bytes_.size ? bytes_.size - position_ : 0;
    const size_t wanted = static_cast<size_t>(std::min<uint64_t>(length, left));
    if (wanted == 0) return TagLib::ByteVector();
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    const size_t got = bytes_.read(position_, block.data(), wanted);
    if (got < wanted) block.resize(static_cast<unsigned int>(got));
    position_ += got;
    return block;
  }
  void writeBlock(const TagLib::ByteVector&) override {}
  void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
  void removeBlock(unsigned long, unsigned long) override {}
  bool readOnly() const override { return true; }
  bool isOpen() const override { return true; }
  // A place before the start leaves the position where it was, as a file's
  // own seek does: TagLib adds lengths from the file to places, and a sum that
  // overflows must not take it back to the start, round and round.
  void seek(long offset, Position from) override {
    const int64_t base = from == Beginning ? 0
                         : from == Current ? static_cast<int64_t>(position_)
                                           : static_cast<int64_t>(bytes_.size);
    if (base + offset >= 0) position_ = static_cast<uint64_t>(base + offset);
  }
  void clear() override {}
  long tell() const override { return static_cast<long>(std::min<uint64_t>(position_, LONG_MAX)); }
  long length() override { return static_cast<long>(bytes_.size); }
  void truncate(long) override {}

 private:
  const MediaBytes& bytes_;
#ifdef _WIN32
  std::wstring name_;
#else
  std::string name_;
#endif
  uint64_t position_ = 0;
};

// TagLib tells of damaged files on the error stream unless given a listener.
class Silence final : public TagLib::DebugListener {
 public:
  void printMessage(const TagLib::String&) override {}
};

void SetUpTagLib() {
  static Silence silence;
  static const bool ready = [] {
    TagLib::setDebugListener(&silence);
    return true;
  }();
  (void)ready;
}

std::wstring Text(const TagLib::String& s) { return TextFromBytes(s.to8Bit(true)); }

std::wstring FirstOf(const TagLib::PropertyMap& properties, const char* key) {
  const auto found = properties.find(key);
  return found == properties.end() || found->second.isEmpty() ? std::wstring() : Text(found->second.front());
}

std::optional<int64_t> Positive(unsigned int n) { return n > 0 ? std::optional<int64_t>(n) : std::nullopt; }
std::optional<int64_t> Positive(std::optional<int64_t> n) { return n && *n > 0 ? n : std::nullopt; }

// Bounds that TagLib counts in a long: 2 GiB on Windows.
bool WithinReach(const MediaBytes& bytes) { return bytes.size > 0 && bytes.size <= static_cast<uint64_t>(LONG_MAX); }

// An MP3's ID3v2 frames as they stand: the generic property map would turn
// every frame of every tag into text first, a good part of the whole read.
bool FillFromId3v2(TagLib::File& file, MediaFields& read) {
  auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file);
  TagLib::ID3v2::Tag* id3 = mpeg ? mpeg->ID3v2Tag(false) : nullptr;
  if (!id3) return false;
  const TagLib::ID3v2::FrameListMap& frames = id3->frameListMap();
  auto first = [&](const char* id) {
    const auto found = frames.find(TagLib::ByteVector(id));
    return found == frames.end() || found->second.isEmpty() ? std::wstring() : Text(found->second.front()->toString());
  };
  read.AlbumArtist = first("TPE2");
  read.Track = Positive(LeadingNumber(first("TRCK")));
  read.Disc = Positive(LeadingNumber(first("TPOS")));
  return true;
}

void FillFromTags(TagLib::File& file, MediaFields& fields) {
  const TagLib::Tag* tag = file.tag();
  if (!tag) return;
  MediaFields read = fields;
  read.Artist = Text(tag->artist());
  read.Album = Text(tag->album());
  read.Title = Text(tag->title());
  read.Genre = Text(tag->genre());
  read.Year = Positive(tag->year());
  // "3/12" counts as track 3 (of 12), in every kind of tag.
  if (!FillFromId3v2(file, read)) {
    const TagLib::PropertyMap properties = file.properties();
    read.AlbumArtist = FirstOf(properties, "ALBUMARTIST");
    read.Track = Positive(LeadingNumber(FirstOf(properties, "TRACKNUMBER")));
    read.Disc = Positive(LeadingNumber(FirstOf(properties, "DISCNUMBER")));
  }
  if (!read.Track) read.Track = Positive(tag->track());
  fields = std::move(read);
}

}  // namespace

void ReadSongFields(const MediaBytes& bytes, MediaFields& fields) {
  if (!WithinReach(bytes)) return;
  try {
    SetUpTagLib();
    BytesStream stream(bytes);
    // The kind from the name, else from the bytes; no audio properties, so
    // only the tags are read.
    const TagLib::FileRef file(&stream, false);
    if (!file.isNull() && file.file()->isValid()) FillFromTags(*file.file(), fields);
  } catch (...) {
    // TagLib throws little, but what it throws leaves the fields as they were.
  }
}

void ReadMovieTags(const MediaBytes& bytes, MediaFields& fields) {
  if (!WithinReach(bytes)) return;
  try {
    SetUpTagLib();
    BytesStream stream(bytes);
    TagLib::MP4::File file(&stream, false);
    if (file.isValid()) FillFromTags(file, fields);
  } catch (...) {
  }
}

}  // namespace rn
