// Native builds: paths are passed to the system as UTF-8.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "base/FileIo.h"
#include "base/Text.h"

namespace rn {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::atomic<unsigned> g_tempCounter{0};

}  // namespace

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  const int fd = open(Utf8FromWide(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buffer[65536];
  while (ok) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  return ok;
}

bool ReplaceFileContents(const std::wstring& path, const std::string& bytes) {
  const std::string target = Utf8FromWide(path);
  if (target.empty()) return false;
  struct stat old {};
  const bool hadTarget = stat(target.c_str(), &old) == 0;

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temp = target + "." + std::to_string(getpid()) + "-" + std::to_string(++g_tempCounter) + ".tmp";
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = WriteAll(fd, bytes);
  // The replacement keeps the permissions of the file it replaces.
  if (ok && hadTarget && S_ISREG(old.st_mode)) (void)fchmod(fd, old.st_mode & 07777);
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

FileStamp GetFileStamp(const std::wstring& path) {
  FileStamp stamp;
  struct stat st {};
  if (stat(Utf8FromWide(path).c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<uint64_t>(st.st_size);
  stamp.mtime = static_cast<uint64_t>(st.st_mtim.tv_sec) * 1000000000u + static_cast<uint64_t>(st.st_mtim.tv_nsec);
  stamp.id = static_cast<uint64_t>(st.st_ino) ^ (static_cast<uint64_t>(st.st_dev) << 48);
  return stamp;
}

bool AppendFile::Append(std::string_view bytes, bool flush) {
  if (handle_ == -1) {
    const int fd = open(Utf8FromWide(path_).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    handle_ = fd;
  }
  const int fd = static_cast<int>(handle_);
  return WriteAll(fd, bytes) && (!flush || fsync(fd) == 0);
}

void AppendFile::Close() {
  if (handle_ == -1) return;
  close(static_cast<int>(handle_));
  handle_ = -1;
}

}  // namespace rn
