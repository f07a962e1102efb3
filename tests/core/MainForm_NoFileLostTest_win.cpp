// No file is lost to a rename, through the real window on real files: swaps,
// cycles and chains inside the list, two rows given one name, a row onto a
// file outside the list, each run with every answer to the question and then
// undone; the replaced files in the Recycle Bin (under Wine, the desktop's
// trash) or, where it cannot have them, in the program's own folder; and a
// swap cut short by a crash, taken back by the next window.
#include <windows.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <map>

#include "base/Texts.h"
#include "engine/FileRename.h"
#include "engine/Operation.h"
#include "support/WindowHarness_win.h"

using namespace rntest;
namespace fs = std::filesystem;

namespace {

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string ContentOf(const std::wstring& name) { return "content of " + Narrow(name); }

// The files directly in a folder but the program's own: name -> content.
std::map<std::wstring, std::string> FilesIn(const fs::path& folder) {
  std::map<std::wstring, std::string> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(folder, ec))
    if (e.is_regular_file()) out[e.path().filename().wstring()] = Content(e.path());
  out.erase(L"Rename.ini");
  out.erase(L"Rename.journal");
  return out;
}

// How many items the Recycle Bin holds that were deleted from the folder.
int InRecycleBin(const std::wstring& folder) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellFolder* desktop = nullptr;
  IShellFolder2* bin = nullptr;
  IEnumIDList* items = nullptr;
  PIDLIST_ABSOLUTE binId = nullptr;
  int n = 0;
  if (SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
      SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binId)) &&
      SUCCEEDED(desktop->BindToObject(binId, nullptr, IID_IShellFolder2, reinterpret_cast<void**>(&bin))) &&
      bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
    std::wstring wanted = folder;
    if (!wanted.empty() && wanted.back() == L'\\') wanted.pop_back();
    PITEMID_CHILD item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
      SHELLDETAILS d{};
      wchar_t text[MAX_PATH * 2] = L"";
      if (SUCCEEDED(bin->GetDetailsOf(item, 1, &d)) && SUCCEEDED(StrRetToBufW(&d.str, item, text, MAX_PATH * 2)) &&
          lstrcmpiW(text, wanted.c_str()) == 0)
        ++n;
      CoTaskMemFree(item);
    }
  }
  if (items) items->Release();
  if (bin) bin->Release();
  if (desktop) desktop->Release();
  CoTaskMemFree(binId);
  return n;
}

rn::RenameTask Numbering(const wchar_t* first) {
  rn::RenameTask t;
  t.Operation = rn::kOpNumerate;
  t.NumberStyle = rn::kNumberExtension;  // "( ## + extention )"
  t.StartNumber = first;
  return t;
}

rn::RenameTask Task(rn::OperationId op, const wchar_t* renameTo = L"") {
  rn::RenameTask t;
  t.Operation = op;
  t.RenameTo = renameTo;
  t.TrimCount = 1;
  return t;
}

struct Plan {
  const char* what;
  std::vector<std::wstring> listed;
  std::vector<std::wstring> outside;
  rn::RenameTask task;
  std::map<std::wstring, std::wstring> wanted;  // with Yes: name -> the content it ends up with (from that name)
  int questions;                                // with every answer Yes
};

const Plan kPlans[] = {
    {"swap of two", {L"3.txt", L"2.txt", L"1.txt"}, {}, Numbering(L"1"), {{L"1.txt", L"3.txt"}, {L"3.txt", L"1.txt"}}, 0},
    {"cycle of three",
     {L"2.txt", L"3.txt", L"1.txt"},
     {},
     Numbering(L"1"),
     {{L"1.txt", L"2.txt"}, {L"2.txt", L"3.txt"}, {L"3.txt", L"1.txt"}},
     0},
    {"chain of five",
     {L"1.txt", L"2.txt", L"3.txt", L"4.txt", L"5.txt"},
     {},
     Numbering(L"2"),
     {{L"2.txt", L"1.txt"}, {L"6.txt", L"5.txt"}},
     0},
    {"two rows to one name", {L"a1.txt", L"a2.txt"}, {}, Task(rn::kOpTrimFromEnd), {{L"a.txt", L"a2.txt"}}, 1},
    {"a row onto a file outside the list", {L"bX.txt"}, {L"b.txt"}, Task(rn::kOpRemove, L"X"), {{L"b.txt", L"bX.txt"}}, 1},
    {"a swap told apart without regard to case, beside another file",
     {L"2.txt", L"1.TXT"},
     {L"b.txt"},
     Numbering(L"1"),
     {{L"1.txt", L"2.txt"}, {L"2.TXT", L"1.TXT"}},
     0},
};

const std::pair<const char*, int> kAnswers[] = {{"Yes", 0}, {"No", 1}, {"Cancel", 2}, {"Yes to All", 3}};

}  // namespace

TEST(NoFileLost, EveryPlanWithEveryAnswerKeepsEveryFileAndUndoGivesEachItsNameAndContent) {
  for (const Plan& plan : kPlans) {
    for (const auto& [answerName, answer] : kAnswers) {
      const std::string what = std::string(plan.what) + ", " + answerName;
      ListWindow l(plan.listed);
      std::map<std::wstring, std::string> before;
      for (const auto& name : plan.listed) {
        std::ofstream(l.folder.path / name, std::ios::binary) << ContentOf(name);
        before[name] = ContentOf(name);
      }
      for (const auto& name : plan.outside) {
        Make(l.folder, name, ContentOf(name));
        before[name] = ContentOf(name);
      }
      const int binBefore = InRecycleBin(l.folder.Folder());

      int asked = 0;
      rn::SetDialogResponder([&](const rn::DialogRequest& r) {
        if (r.caption != rn::Text(rn::TextId::CollisionCaption)) return 0;  // the end report
        ++asked;
        return answer;
      });
      l.w.form->panel->WriteRenameTask(plan.task);
      l.w.Click(rn::IdButton2);
      if (answer == 0) {
        EXPECT_EQ(asked, plan.questions) << what << ": asked only for a file that is really replaced";
      }

      // Every content once: in the folder, or in the Recycle Bin.
      std::map<std::wstring, std::string> now = FilesIn(l.folder.path);
      std::map<std::string, int> seen;
      for (const auto& [name, content] : now) ++seen[content];
      int missing = 0;
      for (const auto& [name, content] : before) {
        EXPECT_LE(seen[content], 1) << what << ": " << content << " twice";
        missing += seen[content] == 0;
      }
      EXPECT_EQ(missing, InRecycleBin(l.folder.Folder()) - binBefore) << what << ": what left the folder is in the bin";
      if (answer == 0) {
        for (const auto& [name, from] : plan.wanted) {
          EXPECT_EQ(Spelling(l.folder.Folder() + name), name) << what;
          EXPECT_EQ(Content(l.folder.path / name), ContentOf(from)) << what;
        }
      }

      // Undo: every file back under its own name, nothing else left.
      InstallFailingResponder();
      l.w.Click(rn::IdButton3);
      EXPECT_EQ(FilesIn(l.folder.path), before) << what << ", undone";
      for (const auto& [name, content] : before) EXPECT_EQ(Spelling(l.folder.Folder() + name), name) << what;
      EXPECT_EQ(InRecycleBin(l.folder.Folder()), binBefore) << what << ": the bin gave back what it got";
    }
  }
}

TEST(NoFileLost, WithoutARecycleBinTheReplacedFileIsKeptBesideTheSettingsAndUndoBringsItBack) {
  ListWindow l({L"bX.txt"});
  std::ofstream(l.folder.path / "bX.txt", std::ios::binary) << "new";
  Make(l.folder, L"b.txt", "existing-b");
  // A volume whose files the shell cannot send to the Recycle Bin: no
  // second name can be made there either.
  l.w.form->setAsideOnDisk = [](const std::wstring& path, const rn::AsideNames& names, uint32_t& error) {
    return rn::SetAside(path, {L"", names.kept}, error);
  };
  const std::wstring kept = l.folder.Folder() + L"Replaced\\";
  ScriptedDialogs dialogs;
  dialogs.Expect(rn::CollisionRequest(L"b.txt").text, 0);
  dialogs.Expect(L"Files replaced by an overwrite:    1\r1 were kept in " + kept + L"\rUndo puts them back.");
  l.w.form->panel->WriteRenameTask(Task(rn::kOpRemove, L"X"));
  l.w.Click(rn::IdButton2);
  EXPECT_EQ(Content(l.folder.path / "b.txt"), "new");
  std::vector<fs::path> keptFiles;
  for (const auto& e : fs::recursive_directory_iterator(kept))
    if (e.is_regular_file()) keptFiles.push_back(e.path());
  ASSERT_EQ(keptFiles.size(), 1u);
  EXPECT_EQ(keptFiles[0].filename(), L"b.txt");
  EXPECT_EQ(Content(keptFiles[0]), "existing-b");
  EXPECT_EQ(l.Names(), std::vector<std::wstring>({L"b.txt"}));

  l.w.Click(rn::IdButton3);
  EXPECT_EQ(Content(l.folder.path / "bX.txt"), "new");
  EXPECT_EQ(Content(l.folder.path / "b.txt"), "existing-b") << "the replaced file is back";
  EXPECT_FALSE(fs::exists(keptFiles[0]));
}

TEST(NoFileLost, WhereTheRecycleBinDoesNotTakeTheFileItselfTheSecondNameKeepsIt) {
  // Under Wine, a file on another Unix volume than the desktop's trash
  // reaches it as a copy, the file itself deleted: nothing shows that the
  // bin has it, so the program keeps the file in its own folder.
  const fs::path shm = L"Z:\\dev\\shm";
  std::error_code ec;
  if (!OnWine() || !fs::is_directory(shm, ec)) {
    std::printf("skipped: needs Wine and a /dev/shm of its own volume to stand for a volume without a bin\n");
    return;
  }
  const fs::path dir = shm / (L"rename-test-" + std::to_wstring(GetCurrentProcessId()));
  fs::create_directories(dir);
  std::ofstream(dir / "c.txt", std::ios::binary) << "replaced";
  TempFolder keep;
  const std::wstring path = (dir / "c.txt").wstring();
  const rn::AsideNames names = rn::PlanAside(path, keep.Folder());
  uint32_t error = 0;
  const rn::AsideResult went = rn::SetAside(path, names, error);
  EXPECT_EQ(went, rn::AsideResult::Kept) << error;
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(Content(names.kept), "replaced");
  EXPECT_EQ(FilesIn(dir).size(), 0u) << "no second name left beside it";
  EXPECT_EQ(rn::PutBack(path, names.kept), 0u);
  EXPECT_EQ(Content(path), "replaced");
  fs::remove_all(dir, ec);
}

TEST(NoFileLost, ASwapCutShortByACrashIsTakenBackByTheNextWindow) {
  // The renames of the swap 3.txt <-> 1.txt: 3.txt to a temporary name,
  // 1.txt to 3.txt, the temporary name to 1.txt. The crash comes before each.
  for (int crashAt : {2, 3}) {
    TempFolder folder;
    std::vector<std::wstring> files;
    for (const wchar_t* name : {L"3.txt", L"2.txt", L"1.txt"}) files.push_back(Make(folder, name, ContentOf(name)));
    const std::wstring journal = folder.Folder() + L"Rename.journal", crash = journal + L".crash";
    {
      // From the crash on nothing reaches the disk: what the journal holds
      // then is what a crash leaves.
      // The renames that fail from the crash on (as the rename back does)
      // leave the rows they touched not renamed.
      ScriptedDialogs dialogs;
      dialogs.Expect(L"Items not renamed:    " + std::to_wstring(crashAt == 2 ? 2 : 1) +
                     L"\r\rNot found, deleted or in use by another program");
      int calls = 0;
      MainWindow w(folder, {}, [&](rn::TMorvaneFrm1& form) {
        form.renameOnDisk = [&](const std::wstring& from, const std::wstring& to, bool replace) -> uint32_t {
          if (++calls == crashAt) CopyFileW(journal.c_str(), crash.c_str(), FALSE);
          return calls >= crashAt ? ERROR_ACCESS_DENIED : rn::RenameEntry(from, to, replace);
        };
      });
      Drop(w.Hwnd(), files);
      w.form->panel->WriteRenameTask(Numbering(L"1"));
      w.Click(rn::IdButton2);
      w.form.reset();  // gone without a clean close
    }
    ASSERT_TRUE(MoveFileExW(crash.c_str(), journal.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_NE(FilesIn(folder.path).count(L"1.txt") + FilesIn(folder.path).count(L"3.txt"), 2u)
        << "the crash left the swap half made";

    ScriptedDialogs dialogs;
    const int back = crashAt - 1;
    dialogs.Expect(rn::Text(rn::TextId::MsgJournalOffer, {std::to_wstring(back)}), 0);
    dialogs.Expect(std::to_wstring(back) + L" file(s) got their former names back.");
    MainWindow w(folder);
    EXPECT_EQ(FilesIn(folder.path), (std::map<std::wstring, std::string>{{L"1.txt", ContentOf(L"1.txt")},
                                                        {L"2.txt", ContentOf(L"2.txt")},
                                                        {L"3.txt", ContentOf(L"3.txt")}}))
        << "crash at rename " << crashAt;
  }
}
