// The one rename helper on the real file system: letter case only, refusals,
// and nothing replaced.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/FileRename.h"
#include "support/TempFolder.h"

namespace {

struct Folder {
  rntest::TempFolder temp;
  std::filesystem::path dir = temp.path;
  std::wstring File(const std::wstring& name, const std::string& content = "x") const {
    std::ofstream(dir / name, std::ios::binary) << content;
    return (dir / name).wstring();
  }
  std::wstring Path(const std::wstring& name) const { return (dir / name).wstring(); }
  // The names as the file system spells them.
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> out;
    for (const auto& e : std::filesystem::directory_iterator(dir)) out.push_back(e.path().filename().wstring());
    std::sort(out.begin(), out.end());
    return out;
  }
};

}  // namespace

TEST(RenameEntry, ChangesOnlyTheLetterCaseOnDisk) {
  Folder f;
  f.File(L"report.txt");
  EXPECT_EQ(rn::RenameEntry(f.Path(L"report.txt"), f.Path(L"Report.TXT")), 0u);
  EXPECT_EQ(f.Names(), std::vector<std::wstring>({L"Report.TXT"})) << "no temporary name is left behind";
  std::filesystem::create_directories(f.dir / L"sub");
  EXPECT_EQ(rn::RenameEntry(f.Path(L"sub"), f.Path(L"SUB")), 0u);
  EXPECT_EQ(f.Names(), std::vector<std::wstring>({L"Report.TXT", L"SUB"}));
  // Greek letters change case the same way.
  f.File(L"\u03b1\u03b2.txt");
  EXPECT_EQ(rn::RenameEntry(f.Path(L"\u03b1\u03b2.txt"), f.Path(L"\u0391\u0392.txt")), 0u);
  EXPECT_TRUE(std::filesystem::exists(f.dir / L"\u0391\u0392.txt"));
}

TEST(RenameEntry, NeverReplacesAnExistingEntryAndReportsTheSystemError) {
  Folder f;
  f.File(L"a.txt", "first");
  f.File(L"b.txt", "second");
  EXPECT_EQ(rn::RenameEntry(f.Path(L"a.txt"), f.Path(L"b.txt")), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  std::ifstream in(f.dir / L"b.txt");
  std::string content;
  in >> content;
  EXPECT_EQ(content, "second");
  EXPECT_EQ(rn::RenameEntry(f.Path(L"missing.txt"), f.Path(L"c.txt")), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(rn::RenameEntry(f.Path(L"a.txt"), f.Path(L"c.txt")), 0u);
  EXPECT_EQ(f.Names(), std::vector<std::wstring>({L"b.txt", L"c.txt"}));
  EXPECT_EQ(rn::RenameEntry(f.Path(L"c.txt"), f.Path(L"c.txt")), 0u) << "the same name is no change";
}
