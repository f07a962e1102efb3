// The one temporary folder of every test: a fresh folder of its own below
// the system's temporary folder, removed with all it holds when the object
// goes. On Windows it is removed in the extended form, so that folders past
// the old length limit go too.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace rntest {

class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "rename-test-") {
    std::random_device rd;
    path = std::filesystem::temp_directory_path() / (prefix + std::to_string(rd()) + "-" + std::to_string(rd()));
    Remove();
    std::filesystem::create_directories(path);
  }
  ~TempFolder() { Remove(); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path path;

  // The folder with its last separator, ready for a name.
  std::wstring Folder() const { return path.wstring() + static_cast<wchar_t>(std::filesystem::path::preferred_separator); }
  // Rename.ini in it.
  std::wstring Ini() const { return Folder() + L"Rename.ini"; }
  void WriteIni(const std::string& text) const { std::ofstream(path / "Rename.ini", std::ios::binary) << text; }
  std::string ReadIni() const { return Read("Rename.ini"); }
  std::string Read(const std::filesystem::path& relative) const {
    std::ifstream in(path / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Remove() const {
    std::error_code ec;
#ifdef _WIN32
    std::filesystem::remove_all(L"\\\\?\\" + path.wstring(), ec);
#else
    std::filesystem::remove_all(path, ec);
#endif
  }
};

}  // namespace rntest
