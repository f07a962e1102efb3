// The help file that `make dist` puts beside the program: a compiled HTML help
// file whose directory lists every page of the project, that opens at the
// start page, and whose context table leads every help context the program
// asks for to a page inside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ChmFile.h"
#include "scripts/ScriptStore.h"

namespace {

using namespace rn::chm;

const std::string kChm = RENAME_DIST_DIR "/Rename.chm";

File DistChm() {
  std::string bytes = ReadWhole(kChm);
  if (bytes.empty()) throw std::runtime_error(kChm + " is missing: `make dist` compiles it");
  return Read(std::move(bytes));
}

// #SYSTEM: a version, then records of code, size and data.
std::string SystemRecord(const File& chm, int code) {
  const std::string s = Section0(chm, "/#SYSTEM");
  for (uint64_t p = 4; p + 4 <= s.size(); p += 4 + Le(s, p + 2, 2))
    if (static_cast<int>(Le(s, p, 2)) == code) return s.substr(p + 4, Le(s, p + 2, 2)).c_str();
  return "(none)";
}

// The page the help file's context table (#IVB: its size, then pairs of
// context number and offset into #STRINGS) names for a context.
std::string PageOfContext(const File& chm, uint32_t context) {
  const std::string table = Section0(chm, "/#IVB"), strings = Section0(chm, "/#STRINGS");
  for (uint64_t p = 4; p + 8 <= table.size(); p += 8)
    if (Le(table, p, 4) == context) {
      const uint64_t at = Le(table, p + 4, 4);
      if (at < strings.size()) return strings.substr(at).c_str();
    }
  return "(none)";
}

TEST(HelpFile, ListsEveryPageOfTheProject) {
  const File chm = DistChm();
  const std::vector<std::string> pages = ProjectSection(ReadWhole(RENAME_HELP_SOURCES "/Rename.hhp"), "FILES");
  ASSERT_GT(pages.size(), 20u);
  for (const std::string& page : pages) EXPECT_TRUE(Find(chm, "/" + page)) << page;
}

TEST(HelpFile, OpensAtTheStartPageWithItsContents) {
  const File chm = DistChm();
  // Record 2 is the default topic, 0 the table of contents.
  EXPECT_EQ(SystemRecord(chm, 2), "index.htm");
  EXPECT_TRUE(Find(chm, "/" + SystemRecord(chm, 0))) << SystemRecord(chm, 0);
}

TEST(HelpFile, LeadsEveryContextOfTheProgramToItsPage) {
  struct Case {
    uint32_t context;
    const char* page;
  };
  // 0: the windows without a context of their own (Options, search, ...);
  // 3: the main window; the script editor's help spot.
  const Case cases[] = {{0, "index.htm"}, {3, "mainwindow.htm"}, {rn::kScriptHelpContext, "scripts.htm"}};
  const File chm = DistChm();
  for (const Case& c : cases) {
    const std::string page = PageOfContext(chm, c.context);
    EXPECT_EQ(page, c.page) << "context " << c.context;
    EXPECT_TRUE(Find(chm, "/" + page)) << page;
  }
}

}  // namespace
