// Native builds: the file through POSIX calls, shared with every other
// reader and writer, and mapped for the readers that want it whole.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>

#include "base/Path.h"
#include "base/Text.h"
#include "filelist/MediaReaders.h"

namespace rn {

namespace {

// The descriptor and its mapping, given back however the reading ends.
class OpenedFile {
 public:
  explicit OpenedFile(const std::wstring& path) : fd_(open(Utf8FromWide(path).c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~OpenedFile() {
    if (map_ != MAP_FAILED) munmap(map_, size_);
    if (fd_ >= 0) close(fd_);
  }
  OpenedFile(const OpenedFile&) = delete;
  OpenedFile& operator=(const OpenedFile&) = delete;

  int Fd() const { return fd_; }
  const unsigned char* Map(uint64_t size) {
    if (map_ == MAP_FAILED && size > 0 && !tried_) {
      tried_ = true;
      size_ = static_cast<size_t>(size);
      map_ = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
    }
    return map_ == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(map_);
  }

 private:
  int fd_;
  void* map_ = MAP_FAILED;
  size_t size_ = 0;
  bool tried_ = false;
};

}  // namespace

MediaFields ReadMediaFields(const std::wstring& path) {
  try {
    const std::wstring extension = ExtensionOfPath(path);
    const MediaKind kind = MediaKindOf(extension);
    if (kind == MediaKind::None) return {};
    OpenedFile file(path);
    struct stat st {};
    if (file.Fd() < 0 || fstat(file.Fd(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    MediaBytes bytes;
    bytes.size = static_cast<uint64_t>(st.st_size);
    const int fd = file.Fd();
    bytes.read = WindowedReads([fd](uint64_t offset, void* buffer, size_t size) -> size_t {
      size_t done = 0;
      while (done < size) {
        const ssize_t n = pread(fd, static_cast<char*>(buffer) + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
      }
      return done;
    }, bytes.size);
    bytes.whole = [&file, size = bytes.size] { return file.Map(size); };
    bytes.name = L"media" + extension;
    return ReadMediaBytes(bytes, kind);
  } catch (...) {
    return {};
  }
}

std::optional<DateTime> LocalFromUtc(int64_t seconds) {
  const time_t t = static_cast<time_t>(seconds);
  std::tm local{};
  if (static_cast<int64_t>(t) != seconds || !localtime_r(&t, &local)) return std::nullopt;
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

}  // namespace rn
