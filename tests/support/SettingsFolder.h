// A temporary folder with a Rename.ini path in it, and a way to make every
// rewrite of that file fail, shared by the settings and the script tests.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "base/FileIo.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

namespace rn::test {

// A test with the one temporary folder and its Rename.ini's path.
class SettingsFolder : public ::testing::Test {
 protected:
  rntest::TempFolder folder_;
  std::filesystem::path dir_ = folder_.path;
  std::wstring ini_ = folder_.Ini();

  void Put(const std::string& bytes) const {
    std::ofstream out(std::filesystem::path(ini_), std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string Get() const {
    std::ifstream in(std::filesystem::path(ini_), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  size_t EntriesInFolder() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir_), {}));
  }
};

// While it lives, rewrites of the file fail as on a full disk or with the
// file locked. On POSIX a file size limit (which binds root as well) lets
// rewrites up to `allowed` bytes through, so a change made of several
// rewrites can fail part-way; on Windows a handle that does not share
// deletion makes every rewrite fail. Works() tells whether the system let it
// take hold.
class FailingWrites {
 public:
  // The file must exist.
  explicit FailingWrites(const std::wstring& path, size_t allowed = 0) {
#ifdef _WIN32
    (void)allowed;
    std::string bytes;
    ReadWholeFile(path, bytes);
    hold_ = std::make_unique<std::ifstream>(std::filesystem::path(path), std::ios::binary);
    works_ = !ReplaceFileContents(path, bytes);  // the same bytes, should the lock not hold
#else
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit none = old_;
    none.rlim_cur = allowed;
    setrlimit(RLIMIT_FSIZE, &none);
    const std::wstring probe = path + L".probe";
    works_ = !ReplaceFileContents(probe, std::string(allowed + 1, 'x'));
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(probe), ec);
#endif
  }
  ~FailingWrites() {
#ifndef _WIN32
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldHandler_);
#endif
  }
  FailingWrites(const FailingWrites&) = delete;
  FailingWrites& operator=(const FailingWrites&) = delete;
  bool Works() const { return works_; }

 private:
  bool works_ = false;
#ifdef _WIN32
  std::unique_ptr<std::ifstream> hold_;
#else
  rlimit old_{};
  void (*oldHandler_)(int) = SIG_DFL;
#endif
};

}  // namespace rn::test
