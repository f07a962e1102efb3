// The undo journal through the real window: a run cut short as by a crash is
// offered back by the next window over the same folder; a run that ended is
// not, and a clean close leaves no journal.
#include <windows.h>

#include "base/Texts.h"
#include "engine/FileRename.h"
#include "engine/Operation.h"
#include "support/WindowHarness_win.h"

using namespace rntest;

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Numbering, chosen on the panel, then "&Rename Files ...".
void Number(MainWindow& w) {
  SendMessageW(w.Control(rn::RadioId(rn::kOpNumerate)), BM_CLICK, 0, 0);
  w.Click(rn::IdButton2);
}

}  // namespace

TEST(UndoJournal, ARunCutShortIsOfferedBackByTheNextWindow) {
  TempFolder folder;
  std::vector<std::wstring> files;
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) files.push_back(Make(folder, name));
  const std::wstring journal = folder.Folder() + L"Rename.journal", crash = journal + L".crash";
  {
    // The third rename is where the crash comes: what the journal holds then
    // is what a crash leaves; the renames after it do not happen.
    ScriptedDialogs dialogs;
    dialogs.Expect(L"Items not renamed:    2\r\rNot found, deleted or in use by another program");
    int calls = 0;
    MainWindow w(folder, {}, [&](rn::TMorvaneFrm1& form) {
      form.renameOnDisk = [&](const std::wstring& from, const std::wstring& to, bool replace) -> uint32_t {
        if (++calls == 3) CopyFileW(journal.c_str(), crash.c_str(), FALSE);
        return calls >= 3 ? ERROR_ACCESS_DENIED : rn::RenameEntry(from, to, replace);
      };
    });
    Drop(w.Hwnd(), files);
    Number(w);
    w.form.reset();  // gone without a clean close
  }
  ASSERT_TRUE(MoveFileExW(crash.c_str(), journal.c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(Exists(files[0]) || Exists(files[1]));

  ScriptedDialogs dialogs;
  dialogs.Expect(rn::Text(rn::TextId::MsgJournalOffer, {L"2"}), 0);
  dialogs.Expect(L"2 file(s) got their former names back.");
  MainWindow w(folder);
  for (const auto& f : files) EXPECT_TRUE(Exists(f)) << Narrow(f);
  EXPECT_FALSE(Exists(journal));
  EXPECT_EQ(dialogs.Seen().size(), 2u);
}

TEST(UndoJournal, ARunThatEndedIsNotOfferedAndACleanCloseLeavesNoJournal) {
  auto run = [](ListWindow& l) {
    Number(l.w);
    EXPECT_TRUE(Exists(l.folder.Folder() + L"Rename.journal"));
  };
  ListWindow ended({L"a.txt"});
  run(ended);
  ended.w.form.reset();
  {
    MainWindow again(ended.folder);  // any box fails the test
    EXPECT_FALSE(Exists(ended.folder.Folder() + L"Rename.journal"));
  }
  EXPECT_TRUE(Exists(ended.folder.Folder() + L"001a.txt"));

  ListWindow closed({L"a.txt"});
  run(closed);
  closed.w.Close();
  EXPECT_FALSE(Exists(closed.folder.Folder() + L"Rename.journal"));
}

TEST(UndoJournal, AJournalThatCannotBeReadIsReportedAndSetAsideAndTheWindowStarts) {
  TempFolder folder;
  const std::wstring journal = folder.Folder() + L"Rename.journal";
  std::ofstream(std::filesystem::path(journal), std::ios::binary) << "Rename undo journal 1\nrun 1 1 t\nnonsense\n";
  ScriptedDialogs dialogs;
  dialogs.Expect(rn::Text(rn::TextId::MsgJournalUnreadable, {journal}) + L"\r" +
                 rn::Text(rn::TextId::MsgJournalKeptAs, {journal + L".bad"}));
  MainWindow w(folder);
  EXPECT_TRUE(IsWindowVisible(w.Hwnd()));
  EXPECT_FALSE(Exists(journal));
  EXPECT_TRUE(Exists(journal + L".bad"));
}
