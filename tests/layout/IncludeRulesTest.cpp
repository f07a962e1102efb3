// The tree's layering, read from the sources themselves: a folder of rename/
// includes only its own headers and those of the folders its CMakeLists.txt
// names after DEPENDS; a portable file (no _win or _posix suffix) includes no
// Win32 header, no _win header and names no Win32 type; the extension includes
// nothing of the program but the hand-off's wire format.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = RENAME_SOURCE_DIR;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Folder -> the folders it may include, from `rename_folder(name ... DEPENDS a b ...)`.
std::map<std::string, std::set<std::string>> AllowedTable(const fs::path& rename) {
  std::map<std::string, std::set<std::string>> table;
  for (const auto& entry : fs::directory_iterator(rename)) {
    const fs::path list = entry.path() / "CMakeLists.txt";
    if (!entry.is_directory() || !fs::exists(list)) continue;
    std::istringstream words(ReadFile(list));
    std::string word, folder;
    bool inDepends = false;
    std::set<std::string> allowed;
    while (words >> word) {
      if (word.rfind("rename_folder(", 0) == 0) {
        folder = word.substr(std::string("rename_folder(").size());
        continue;
      }
      const bool closing = !word.empty() && word.back() == ')';
      if (closing) word.pop_back();
      if (word == "DEPENDS") {
        inDepends = true;
      } else if (word == "SOURCES" || word == "WIN" || word == "POSIX" || word == "SYSTEM") {
        inDepends = false;
      } else if (inDepends && !word.empty()) {
        allowed.insert(word);
      }
      if (closing) inDepends = false;
    }
    if (!folder.empty()) table[folder] = allowed;
  }
  return table;
}

struct Source {
  fs::path path;
  std::string folder;  // first component below rename/ (or "rename32")
  bool portable;
  std::string text;
};

std::vector<Source> Sources() {
  std::vector<Source> out;
  for (const char* top : {"rename", "rename32"}) {
    const fs::path root = kSource / top;
    if (!fs::exists(root)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
      const std::string stem = entry.path().stem().string();
      const bool platform = stem.ends_with("_win") || stem.ends_with("_posix");
      const std::string folder =
          std::string(top) == "rename" ? fs::relative(entry.path(), root).begin()->string() : "rename32";
      out.push_back({entry.path(), folder, !platform, ReadFile(entry.path())});
    }
  }
  return out;
}

// The text without comments and string literals, so that neither can fake or hide a use.
std::string CodeOnly(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "//") == 0) {
      while (i < text.size() && text[i] != '\n') ++i;
      out += '\n';
    } else if (text.compare(i, 2, "/*") == 0) {
      const size_t end = text.find("*/", i + 2);
      i = end == std::string::npos ? text.size() : end + 1;
    } else if (text[i] == '"' && (i == 0 || text[i - 1] != '\'')) {
      for (++i; i < text.size() && text[i] != '"'; ++i)
        if (text[i] == '\\') ++i;
      out += "\"\"";
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string> QuotedIncludes(const std::string& text) {
  std::vector<std::string> found;
  static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
  std::istringstream lines(text);
  std::string line;
  std::smatch m;
  while (std::getline(lines, line))
    if (std::regex_search(line, m, include)) found.push_back(m[1]);
  return found;
}

const std::set<std::string> kWin32Headers = {"windows.h", "windowsx.h", "commctrl.h", "commdlg.h", "shellapi.h",
                                             "shlobj.h",  "shlwapi.h",  "objbase.h",  "ole2.h",    "oleacc.h",
                                             "urlmon.h",  "htmlhelp.h", "winreg.h",   "winuser.h", "winbase.h"};
const std::regex kWin32Types(
    R"(\b(HWND|HANDLE|HMENU|HFONT|HDC|HICON|HINSTANCE|HDROP|HKEY|DWORD|WORD|BOOL|LRESULT|WPARAM|LPARAM|UINT_PTR|WINAPI|CALLBACK)\b)");

TEST(IncludeRules, EveryFolderHasItsDependenciesWrittenDown) {
  const auto table = AllowedTable(kSource / "rename");
  for (const char* folder : {"base", "filelist", "engine", "scripts", "shell", "ui", "dialogs", "core"})
    EXPECT_TRUE(table.count(folder)) << folder << " has no rename_folder() in its CMakeLists.txt";
  EXPECT_TRUE(table.at("base").empty()) << "base depends on nothing";
}

TEST(IncludeRules, FoldersIncludeOnlyWhatTheirListAllows) {
  const auto table = AllowedTable(kSource / "rename");
  int checked = 0;
  for (const Source& s : Sources()) {
    for (const std::string& inc : QuotedIncludes(s.text)) {
      const size_t slash = inc.find('/');
      if (slash == std::string::npos) {
        ADD_FAILURE() << s.path << " includes \"" << inc << "\" without its folder";
        continue;
      }
      const std::string target = inc.substr(0, slash);
      ++checked;
      if (s.folder == "rename32") {
        EXPECT_TRUE(inc == "shell/HandOffWire.h" || inc == "base/Handle_win.h" || target == "rename32")
            << s.path << " includes \"" << inc << "\": the extension shares only the wire format and the handle owner";
        continue;
      }
      const auto allowed = table.find(s.folder);
      ASSERT_NE(allowed, table.end()) << "no dependency list for " << s.folder;
      EXPECT_TRUE(target == s.folder || allowed->second.count(target))
          << s.path << " includes \"" << inc << "\": " << s.folder << " may not depend on " << target;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(IncludeRules, PortableFilesKnowNothingOfWin32) {
  for (const Source& s : Sources()) {
    if (!s.portable) continue;
    static const std::regex system(R"(^\s*#\s*include\s*<([^>]+)>)");
    std::istringstream lines(s.text);
    std::string line;
    std::smatch m;
    while (std::getline(lines, line)) {
      if (std::regex_search(line, m, system)) {
        EXPECT_FALSE(kWin32Headers.count(m[1])) << s.path << ": " << line;
      }
    }
    for (const std::string& inc : QuotedIncludes(s.text))
      EXPECT_FALSE(inc.ends_with("_win.h")) << s.path << " includes the Win32 header \"" << inc << "\"";
    const std::string code = CodeOnly(s.text);
    if (std::regex_search(code, m, kWin32Types)) ADD_FAILURE() << s.path << " names the Win32 type " << m[1];
  }
}

// Calls that are only ever made in one place, and the files that make them.
struct OnePlace {
  const char* what;
  std::regex calls;
  std::set<std::string> places;  // paths below the source folder
};

const OnePlace kOnePlace[] = {
    // Every path reaches the file system in its long form: through one layer.
    {"a file-system call outside the long-path layer",
     std::regex(R"(\b(FindFirstFileW|FindFirstFileExW|FindNextFileW|MoveFileW|MoveFileExW|GetFileAttributesW|)"
                R"(GetFileAttributesExW|SetFileAttributesW|CreateFileW|DeleteFileW|RemoveDirectoryW|CreateDirectoryW|)"
                R"(SetCurrentDirectoryW|CopyFileW|CopyFileExW|CreateHardLinkW|GetFullPathNameW|ReplaceFileW)\s*\()"),
     {"rename/base/FileSystem_win.cpp"}},
    // Every handle has one owner, which alone closes it.
    {"a handle closed outside its owner",
     std::regex(R"(\b(CloseHandle|RegCloseKey|FindClose|DeleteObject|DeleteDC|ReleaseDC|GlobalFree|LocalFree|)"
                R"(DestroyMenu|DestroyIcon|InternetCloseHandle|UnmapViewOfFile)\s*\()"),
     {"rename/base/Handle_win.h", "rename/dialogs/Download_win.cpp"}},
};

TEST(OneLayer, FileSystemCallsAndHandleClosesAreMadeInTheirOnePlaceOnly) {
  for (const OnePlace& rule : kOnePlace) {
    int placesSeen = 0;
    for (const Source& s : Sources()) {
      const std::string relative = fs::relative(s.path, kSource).generic_string();
      const std::string code = CodeOnly(s.text);
      const bool allowed = rule.places.count(relative) > 0;
      std::smatch m;
      if (allowed) {
        placesSeen += std::regex_search(code, m, rule.calls);
        continue;
      }
      for (auto it = std::sregex_iterator(code.begin(), code.end(), rule.calls); it != std::sregex_iterator(); ++it)
        ADD_FAILURE() << relative << ": " << rule.what << ": " << (*it)[1];
    }
    EXPECT_EQ(placesSeen, static_cast<int>(rule.places.size())) << rule.what << ": the one place makes them";
  }
}

// The rules above catch what they should: a made-up back edge and a made-up
// portable file that uses Win32 fail them.
TEST(IncludeRules, TheRulesWouldCatchABackEdge) {
  const auto table = AllowedTable(kSource / "rename");
  EXPECT_FALSE(table.at("engine").count("core"));
  EXPECT_FALSE(table.at("base").count("ui"));
  EXPECT_FALSE(table.at("dialogs").count("core")) << "the dialogs know nothing of the main window";
  const std::string bad = "#include \"core/MainForm_win.h\"\n// HWND in a comment is fine\nDWORD x;\n";
  EXPECT_EQ(QuotedIncludes(bad), std::vector<std::string>{"core/MainForm_win.h"});
  std::smatch m;
  const std::string code = CodeOnly(bad);
  ASSERT_TRUE(std::regex_search(code, m, kWin32Types));
  EXPECT_EQ(m[1], "DWORD");
  const std::string call = CodeOnly("// MoveFileW( in a comment\nok = MoveFileExW (from, to, 0);\nCloseHandle(h);\n");
  ASSERT_TRUE(std::regex_search(call, m, kOnePlace[0].calls));
  EXPECT_EQ(m[1], "MoveFileExW");
  EXPECT_TRUE(std::regex_search(call, m, kOnePlace[1].calls));
}

}  // namespace
