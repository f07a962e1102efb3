// The help file that `make dist` puts beside the program: a compiled HTML help
// file whose directory lists every page of the project, that opens at the
// start page, and whose context table leads every help context the program
// asks for to a page inside it.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "ChmFile.h"
#include "engine/CaseConvert.h"
#include "engine/FieldText.h"
#include "engine/PatternReplace.h"
#include "engine/RowDecision.h"
#include "engine/Transforms.h"
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
  const Case cases[] = {{0, "index.htm"},
                        {3, "mainwindow.htm"},
                        {rn::kScriptHelpContext, "scripts.htm"},
                        {rn::kPatternHelpContext, "patterns.htm"},
                        {rn::kPatternHelpContextPortuguese, "padroes.htm"},
                        {rn::kFieldHelpContext, "fields.htm"},
                        {rn::kFieldHelpContextPortuguese, "campos.htm"}};
  const File chm = DistChm();
  for (const Case& c : cases) {
    const std::string page = PageOfContext(chm, c.context);
    EXPECT_EQ(page, c.page) << "context " << c.context;
    EXPECT_TRUE(Find(chm, "/" + page)) << page;
  }
}

// A cell of a help page's table as the reader sees it: the entities the
// pages use (named ones and numbers) read back into characters.
std::wstring CellText(const std::string& html) {
  std::wstring out;
  for (size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '&') {
      const size_t end = html.find(';', i);
      const std::string entity = html.substr(i + 1, end - i - 1);
      if (entity == "lt") out += L'<';
      else if (entity == "gt") out += L'>';
      else if (entity == "amp") out += L'&';
      else if (entity[0] == '#') out += static_cast<wchar_t>(std::stoi(entity.substr(1)));
      i = end;
    } else {
      out += static_cast<wchar_t>(static_cast<unsigned char>(html[i]));
    }
  }
  return out;
}

// The worked examples of the pages on patterns are what the program does:
// each row's name, pattern and replacement give its result.
TEST(HelpFile, ThePatternPagesExamplesHold) {
  for (const char* page : {"/patterns.htm", "/padroes.htm"}) {
    const std::string html = ReadWhole(RENAME_HELP_SOURCES + std::string(page));
    const std::regex row("<tr><td>(.*?)</td><td>(.*?)</td><td>(.*?)</td><td>(.*?)</td></tr>");
    int rows = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), row); it != std::sregex_iterator(); ++it, ++rows) {
      rn::RenameTask task;
      task.Operation = rn::kOpReplace;
      task.ReplacePattern = true;
      task.RenameTo = CellText((*it)[2]);
      std::wstring with = CellText((*it)[3]), expected = CellText((*it)[4]);
      if (with == L"(empty)" || with == L"(vazia)") with.clear();
      task.ReplaceWith = with;
      // "(with Ignore case)" after a result ticks the second box.
      if (const size_t note = expected.find(L" ("); note != std::wstring::npos) {
        task.ReplaceIgnoreCase = true;
        expected.resize(note);
      }
      const auto got =
          rn::ProposeName(task, CellText((*it)[1]), false, 0, {}, rn::PortableCaseConverter(), rn::PortableDateLocale());
      EXPECT_EQ(got.value_or(L"(none)"), expected) << page << " row " << rows + 1;
    }
    EXPECT_GE(rows, 12) << page;
  }
}

// "2021-06-05 14:03:02" as the pages write a moment.
rn::DateTime Moment(const std::wstring& text) {
  rn::DateTime t;
  swscanf(text.c_str(), L"%d-%d-%d %d:%d:%d", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second);
  return t;
}

// The worked examples of the pages on fields: each row's name, what the file
// holds ("Artist = Queen; Track = 11") and the text added at the beginning
// give its new name, or "(...)" when the entry keeps its name.
TEST(HelpFile, TheFieldPagesExamplesHold) {
  for (const char* page : {"/fields.htm", "/campos.htm"}) {
    const std::string html = ReadWhole(RENAME_HELP_SOURCES + std::string(page));
    const std::regex row("<tr><td>(.*?)</td><td>(.*?)</td><td>(.*?)</td><td>(.*?)</td></tr>");
    int rows = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), row); it != std::sregex_iterator(); ++it, ++rows) {
      rn::MediaFields media;
      std::optional<rn::DateTime> modified;
      std::wstring folder = L"C:\\Photos\\";
      const std::wregex pair(L"(\\w+) = ([^;]*)");
      const std::wstring holds = CellText((*it)[2]);
      for (auto p = std::wsregex_iterator(holds.begin(), holds.end(), pair); p != std::wsregex_iterator(); ++p) {
        const std::wstring key = (*p)[1], value = (*p)[2];
        if (key == L"Taken") media.Taken = Moment(value);
        else if (key == L"Modified") modified = Moment(value);
        else if (key == L"Folder") folder = L"C:\\" + value + L"\\";
        else if (key == L"Make") media.Make = value;
        else if (key == L"Model") media.Model = value;
        else if (key == L"Artist") media.Artist = value;
        else if (key == L"Album") media.Album = value;
        else if (key == L"Title") media.Title = value;
        else if (key == L"Track") media.Track = std::stoll(value);
        else if (key == L"Width") media.Width = std::stoll(value);
        else if (key == L"Height") media.Height = std::stoll(value);
        else if (key == L"ISO") media.Iso = std::stoll(value);
        else ADD_FAILURE() << page << " row " << rows + 1 << ": no key " << std::string(key.begin(), key.end());
      }
      rn::FileRow file;
      file.folder = std::make_shared<const std::wstring>(folder);
      file.name = CellText((*it)[1]);
      file.ext = file.name.substr(file.name.rfind(L'.'));
      rn::RenameTask task;
      task.Operation = rn::kOpAddFromBegin;
      task.RenameTo = CellText((*it)[3]);
      rn::RowFieldPorts ports;
      ports.media = [&](const rn::FileRow&) { return &media; };
      ports.stamp = [&](const rn::FileRow&, rn::DateType type) {
        return type == rn::DateModified ? modified : std::nullopt;
      };
      const std::wstring expected = CellText((*it)[4]);
      try {
        const auto got = rn::ProposeForRow(task, file, 0, nullptr, rn::PortableCaseConverter(),
                                           rn::PortableDateLocale(), &ports);
        EXPECT_EQ(got.value_or(L"(none)"), expected) << page << " row " << rows + 1;
      } catch (const rn::RowRefused& refused) {
        EXPECT_EQ(expected.front(), L'(') << page << " row " << rows + 1;
        // The reason names the field the file lacks, in either language.
        for (const wchar_t* field : {L"Artist", L"Taken", L"Title"})
          if (expected.find(field) != std::wstring::npos)
            EXPECT_NE(refused.reason.find(field), std::wstring::npos) << page << " row " << rows + 1;
      }
    }
    EXPECT_GE(rows, 12) << page;
  }
}

}  // namespace
