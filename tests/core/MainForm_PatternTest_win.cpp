// Replace by pattern through the real window on real files: the two boxes
// ticked by clicks, the preview read, the run, the undo; a pattern that does
// not compile stops the preview and the run with one text; F1 on the boxes
// opens the page on patterns in the language shown.
#include <windows.h>

#include <algorithm>

#include "core/OperationPanel_win.h"
#include "dialogs/Help_win.h"
#include "engine/PatternReplace.h"
#include "support/WindowHarness_win.h"

using namespace rntest;
using Names = std::vector<std::wstring>;

namespace {

// Operation 4 chosen by its button, the boxes ticked or cleared by clicks, the texts typed.
void ReplaceByPattern(MainWindow& w, const std::wstring& find, const std::wstring& with, bool ignoreCase) {
  w.Click(rn::RadioId(rn::kOpReplace));
  auto tick = [&](int box, bool on) {
    if (rn::IsChecked(w.Control(box)) != on) w.Click(box);
  };
  tick(rn::IdCheckPattern, true);
  tick(rn::IdCheckIgnoreCase, ignoreCase);
  SetWindowTextW(w.Control(rn::IdComboBox2), find.c_str());
  SetWindowTextW(w.Control(rn::IdEdit4a), with.c_str());
  w.Command(rn::IdEdit4a, EN_CHANGE);
}

Names Shown(MainWindow& w) {
  w.form->FinishPreview();
  Names out;
  for (int r = 0; r < w.form->fileList.EntryCount(); ++r) out.push_back(w.form->PreviewCell(r).text);
  return out;
}

}  // namespace

TEST(PatternReplace, TheBoxesShowWithTheOperationAndAListRenamesAsThePreviewShowedThenUndoTakesItBack) {
  ListWindow l({L"Artist - Title.mp3", L"\u03a9mega - Song.mp3", L"plain.txt"});
  MainWindow& w = l.w;
  w.Click(rn::RadioId(rn::kOpRemove));
  EXPECT_TRUE(rn::IsParked(w.Control(rn::IdCheckPattern))) << "out of sight with another operation";
  ReplaceByPattern(w, L"^(.+?) - (.+)$", L"$2 - $1", false);
  for (int id : {rn::IdCheckPattern, rn::IdCheckIgnoreCase}) EXPECT_FALSE(rn::IsParked(w.Control(id)));
  const rn::RenameTask task = w.form->panel->ReadRenameTask();
  EXPECT_TRUE(task.ReplacePattern);
  EXPECT_FALSE(task.ReplaceIgnoreCase);

  const Names shown = Shown(w);
  EXPECT_EQ(shown, Names({L"Title - Artist.mp3", L"Song - \u03a9mega.mp3", L"plain.txt"}));
  w.Click(rn::IdButton2);
  EXPECT_EQ(l.Names(), shown);
  // The boxes' remembered lists keep the pattern and the replacement as any text.
  const std::vector<std::wstring> patterns = rn::ComboItems(w.Control(rn::IdComboBox2));
  const std::vector<std::wstring> replacements = rn::ComboItems(w.Control(rn::IdComboBox4a));
  EXPECT_NE(std::find(patterns.begin(), patterns.end(), L"^(.+?) - (.+)$"), patterns.end());
  EXPECT_NE(std::find(replacements.begin(), replacements.end(), L"$2 - $1"), replacements.end());
  for (const std::wstring& name : shown) EXPECT_EQ(Spelling(l.folder.Folder() + name), name);

  w.Click(rn::IdButton3);
  EXPECT_EQ(l.Names(), Names({L"Artist - Title.mp3", L"\u03a9mega - Song.mp3", L"plain.txt"}));
  EXPECT_EQ(Spelling(l.folder.Folder() + L"Artist - Title.mp3"), L"Artist - Title.mp3");

  // Ignoring case, a Greek capital is found by its small letter.
  ReplaceByPattern(w, L"\u03c9(\\w+)", L"O$1", true);
  EXPECT_EQ(Shown(w)[1], L"Omega - Song.mp3");
}

TEST(PatternReplace, APatternThatDoesNotCompileGreysTheNamesAndTheRunRefusesWithTheSameText) {
  ListWindow l({L"abc.txt"});
  ReplaceByPattern(l.w, L"(ab", L"x", false);
  const std::wstring why = rn::PatternError(l.w.form->panel->ReadRenameTask());
  ASSERT_FALSE(why.empty());
  EXPECT_NE(why.find(L" at "), std::wstring::npos) << Narrow(why) << ": the place is named";
  EXPECT_EQ(Shown(l.w), Names({L"abc.txt"}));
  EXPECT_EQ(l.w.form->PreviewCell(0).look, rn::PreviewLook::Same);
  EXPECT_EQ(l.w.Text(rn::IdPreviewStatus), why) << "under the grid, with no box while typing";
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(why);
    l.w.Click(rn::IdButton2);
  }
  EXPECT_EQ(Spelling(l.folder.Folder() + L"abc.txt"), L"abc.txt");
}

TEST(PatternReplace, F1OnTheBoxesOpensThePageOnPatternsInTheLanguageShown) {
  TempFolder folder;
  MainWindow w(folder);
  std::vector<rn::HelpCall> calls;
  rn::SetHelpViewer([&](const rn::HelpCall& call) { calls.push_back(call); });
  w.Click(rn::RadioId(rn::kOpReplace));
  for (const bool portuguese : {false, true}) {
    if (portuguese) w.form->ApplyLanguage(L"Portuguese");
    HWND box = w.Control(rn::IdCheckIgnoreCase);
    SetFocus(box);
    PostMessageW(box, WM_KEYDOWN, VK_F1, 0);
    Pump();
    ASSERT_EQ(calls.size(), portuguese ? 2u : 1u);
    EXPECT_EQ(calls.back().data, portuguese ? rn::kPatternHelpContextPortuguese : rn::kPatternHelpContext);
  }
  rn::SetHelpViewer(nullptr);
}
