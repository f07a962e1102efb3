// The CD clean-up's decisions on a list and a made-up disk: which names
// change, what is asked, and where the clean-up ends.
#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "engine/CdCleanUp.h"

using namespace rn;

namespace {

struct Fake {
  std::set<std::wstring> disk;
  std::set<std::wstring> goneFolders;
  std::deque<std::optional<std::wstring>> typed;  // answers to the shorter-name box
  bool replaceAnswer = false;
  std::vector<std::wstring> said;  // what the user was told or asked, in order

  CdPorts Ports() {
    CdPorts p;
    p.enterFolder = [this](const std::wstring& f) { return !goneFolders.count(f); };
    p.folderGone = [this](const std::wstring& f) { said.push_back(L"gone " + f); };
    p.askShorterBase = [this](const std::wstring& base) {
      said.push_back(L"shorter " + base);
      if (typed.empty()) return std::optional<std::wstring>();  // an unexpected question: cancel
      auto answer = typed.front();
      typed.pop_front();
      return answer;
    };
    p.fileExists = [this](const std::wstring& path) { return disk.count(path) > 0; };
    p.askReplace = [this](const std::wstring& name) {
      said.push_back(L"replace " + name);
      return replaceAnswer;
    };
    p.rename = [this](const std::wstring& from, const std::wstring& to, bool replace) {
      if (!disk.count(from) || (disk.count(to) && !replace)) return false;
      disk.erase(from);
      disk.insert(to);
      return true;
    };
    p.renameFailed = [this](const std::wstring& name) { said.push_back(L"failed " + name); };
    p.renamed = [](int) {};
    return p;
  }
};

FileList ListOf(const std::vector<std::wstring>& paths) {
  FileList list;
  for (const auto& p : paths) list.AddRow(p, false, L"");
  return list;
}

}  // namespace

TEST(CdCleanUp, NamesAreCleanedAndShortenedRowByRow) {
  const std::wstring longName = std::wstring(40, L'x') + L".txt";
  struct Case {
    const char* what;
    std::wstring name;
    std::deque<std::optional<std::wstring>> typed;
    std::wstring after;  // the name on disk afterwards
    int renamed;
  };
  std::wstring smiles, letters;  // 26 and 27 characters beyond U+FFFF
  for (int i = 0; i < 27; ++i) smiles += i ? L"\U0001F600" : L"", letters += L"\U0001D49C";
  const Case cases[] = {
      {"clean and short: untouched", L"plain.txt", {}, L"plain.txt", 0},
      {"refused characters become _", L"[a] {b},c&d;e^(f).txt", {}, L"_a___b__c_d_e__f_.txt", 1},
      {"too long: asked until short enough", longName, {std::wstring(30, L'y'), L"short (1)"}, L"short__1_.txt", 1},
      {"31 characters with the extension are fine", std::wstring(27, L'z') + L".txt", {}, {}, 0},
      {"a character beyond U+FFFF counts once", smiles + L" .txt", {}, smiles + L"_.txt", 1},
      {"32 of them are asked about", letters + L"\U0001D49C.txt", {letters}, letters + L".txt", 1},
  };
  for (const Case& c : cases) {
    Fake fake;
    fake.disk = {L"C:\\d\\" + c.name};
    fake.typed = c.typed;
    FileList list = ListOf({L"C:\\d\\" + c.name});
    EXPECT_EQ(CleanNamesForCd(list, 1, fake.Ports()), c.renamed) << c.what;
    const std::wstring after = c.after.empty() ? c.name : c.after;
    EXPECT_EQ(fake.disk, std::set<std::wstring>{L"C:\\d\\" + after}) << c.what;
    EXPECT_EQ(list.Cell(ColFileName, 0), after) << c.what;
    if (c.renamed) {
      EXPECT_EQ(list.Cell(ColPrevName, 0), c.name) << c.what << ": undo can take it back";
    }
  }
}

TEST(CdCleanUp, CancellingTheNameBoxOrALostFolderEndsTheCleanUp) {
  const std::wstring longName = std::wstring(40, L'x') + L".txt";
  Fake fake;
  fake.disk = {L"C:\\d\\a b.txt", L"C:\\d\\" + longName, L"C:\\d\\c d.txt"};
  fake.typed = {std::nullopt};
  FileList list = ListOf({L"C:\\d\\a b.txt", L"C:\\d\\" + longName, L"C:\\d\\c d.txt"});
  EXPECT_EQ(CleanNamesForCd(list, 1, fake.Ports()), 1);
  EXPECT_TRUE(fake.disk.count(L"C:\\d\\c d.txt")) << "rows after the cancel stay as they are";

  Fake gone;
  gone.disk = {L"C:\\d\\a b.txt", L"C:\\e\\c d.txt"};
  gone.goneFolders = {L"C:\\d\\"};
  FileList two = ListOf({L"C:\\d\\a b.txt", L"C:\\e\\c d.txt"});
  EXPECT_EQ(CleanNamesForCd(two, 1, gone.Ports()), 0);
  EXPECT_EQ(gone.said, std::vector<std::wstring>{L"gone C:\\d\\"});
}

TEST(CdCleanUp, AnotherFileWithTheCleanNameIsReplacedOnlyWhenTheUserSaysSo) {
  for (bool yes : {false, true}) {
    Fake fake;
    fake.disk = {L"C:\\d\\a b.txt", L"C:\\d\\a_b.txt", L"C:\\d\\c d.txt"};
    fake.replaceAnswer = yes;
    FileList list = ListOf({L"C:\\d\\a b.txt", L"C:\\d\\c d.txt"});
    EXPECT_EQ(CleanNamesForCd(list, 1, fake.Ports()), yes ? 2 : 1);
    EXPECT_EQ(fake.said.front(), L"replace a_b.txt");
    if (!yes) {
      EXPECT_EQ(fake.said.back(), L"failed a b.txt") << "refused: reported, and the clean-up goes on";
    }
    EXPECT_TRUE(fake.disk.count(L"C:\\d\\c_d.txt"));
    EXPECT_EQ(fake.disk.count(L"C:\\d\\a b.txt"), yes ? 0u : 1u);
  }
}
