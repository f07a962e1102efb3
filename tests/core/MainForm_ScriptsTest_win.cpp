// The script bar and the script editor through the real window: a script
// recorded, saved, run on real files and taken back; edited, deleted,
// refused when broken or out of step; upgraded from an old version.
#include <windows.h>

#include "core/MainMenus_win.h"
#include "core/OperationPanel_win.h"
#include "core/ScriptEditor_win.h"
#include "engine/Operation.h"
#include "scripts/ScriptLine.h"
#include "scripts/ScriptStore.h"
#include "support/WindowHarness_win.h"

using namespace rntest;
using Texts = std::vector<std::wstring>;

namespace {

HWND Editor(const MainWindow& w) { return w.Control(rn::IdPanel2); }
HWND Part(const MainWindow& w, int id) { return GetDlgItem(Editor(w), id); }
bool EditorOpen(const MainWindow& w) { return !rn::IsParked(Editor(w)); }

void Press(MainWindow& w, int id) {
  SendMessageW(Part(w, id), BM_CLICK, 0, 0);
  Pump();
}
// Picks a line as a click does: the list tells the editor.
void PickLine(MainWindow& w, int index) {
  SendMessageW(Part(w, rn::IdListBox1), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(Editor(w), WM_COMMAND, MAKEWPARAM(rn::IdListBox1, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(Part(w, rn::IdListBox1)));
  Pump();
}
Texts EditorLines(const MainWindow& w) { return w.form->scriptEditor->Lines(); }

void Choose(MainWindow& w, int operation, const std::wstring& renameTo = L"") {
  w.Click(rn::RadioId(operation));
  SetWindowTextW(w.Control(rn::IdComboBox2), renameTo.c_str());
}
void PickScript(MainWindow& w, int index) {
  SendMessageW(w.Control(rn::IdComboBox4), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  w.Command(rn::IdComboBox4, CBN_SELCHANGE);
}
int PickedScript(const MainWindow& w) {
  return static_cast<int>(SendMessageW(w.Control(rn::IdComboBox4), CB_GETCURSEL, 0, 0));
}
bool ScriptButtons(const MainWindow& w) {
  return w.Enabled(rn::IdButton10) || w.Enabled(rn::IdButton9) || w.Enabled(rn::IdButton11);
}

std::wstring Line(int operation, const std::wstring& renameTo) {
  rn::RenameTask t;
  t.Operation = operation;
  t.RenameTo = renameTo;
  return rn::FormatScriptLine(t, L"hint " + std::to_wstring(operation), L"caption");
}
// A script stored behind the chooser's back, then shown in it.
void Store(MainWindow& w, const std::wstring& name, const Texts& lines) {
  const rn::ScriptSave saved = rn::SaveNewScript(*w.form->settingsFile, name, lines);
  const std::wstring entry = rn::ChooserEntry(saved.number, name);
  SendMessageW(w.Control(rn::IdComboBox4), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

bool OnDisk(const ListWindow& l, const std::wstring& name) {
  return GetFileAttributesW((l.folder.Folder() + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TEST(Scripts, RecordedSavedRunOnFilesAndTakenBackRunByRun) {
  ListWindow l({L"a.txt", L"b.txt"});
  MainWindow& w = l.w;
  w.Click(rn::IdButton12);
  ASSERT_TRUE(EditorOpen(w));
  EXPECT_EQ(rn::ControlBounds(Editor(w)).top, rn::ControlBounds(w.Control(rn::IdStringGrid1)).top);
  Choose(w, rn::kOpConvertCase);
  Press(w, rn::IdButton6);
  Choose(w, rn::kOpAddFromBegin, L"x_");
  Press(w, rn::IdButton6);
  ASSERT_EQ(EditorLines(w).size(), 2u);
  EXPECT_EQ(rn::ScriptLineHint(EditorLines(w)[0]), w.form->panel->RadioHint(rn::kOpConvertCase));
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectInput(L"  ");  // blanks name nothing: the editor stays
    Press(w, rn::IdButton7);
    EXPECT_TRUE(EditorOpen(w));
    dialogs.ExpectInput(L"up then x ");
    Press(w, rn::IdButton7);
    ASSERT_EQ(dialogs.InputRequests().size(), 2u);
    EXPECT_EQ(dialogs.InputRequests()[0].caption, L"Enter a name for this script");
    EXPECT_EQ(dialogs.InputRequests()[0].prompt, L"Enter a name for this script :");
  }
  EXPECT_FALSE(EditorOpen(w));
  EXPECT_EQ(rn::ComboItems(w.Control(rn::IdComboBox4)), Texts({L"", L"1 - up then x "}));
  EXPECT_EQ(PickedScript(w), 1);
  EXPECT_TRUE(w.Enabled(rn::IdButton10)) << "the saved script is chosen and can run";
  const std::string ini = l.folder.ReadIni();
  EXPECT_NE(ini.find("Scripts=1"), std::string::npos);
  EXPECT_NE(ini.find("[Script_1]\r\nName=\"up then x \"\r\ncommands=2\r\n1="), std::string::npos);

  // The second line works on the names the first one made.
  w.Click(rn::IdButton10);
  EXPECT_EQ(l.Names(), Texts({L"x_A.TXT", L"x_B.TXT"}));
  EXPECT_TRUE(OnDisk(l, L"x_A.TXT"));
  EXPECT_FALSE(w.form->scriptMode);
  EXPECT_EQ(PickedScript(w), -1);
  EXPECT_FALSE(ScriptButtons(w));
  EXPECT_TRUE(rn::ComboItems(w.Control(rn::IdComboBox2)).empty()) << "a script run remembers no texts";

  w.Click(rn::IdButton3);
  EXPECT_EQ(l.Names(), Texts({L"A.TXT", L"B.TXT"}));
  w.Click(rn::IdButton3);
  EXPECT_EQ(l.Names(), Texts({L"a.txt", L"b.txt"}));
  EXPECT_FALSE(OnDisk(l, L"x_A.TXT"));
}

TEST(Scripts, EditPutsALineOnThePanelAndSavesInPlace) {
  TempFolder f;
  MainWindow w(f);
  Store(w, L"one", {Line(rn::kOpRemove, L"old"), Line(7, L"")});
  Store(w, L"two", {Line(7, L"")});
  PickScript(w, 1);
  EXPECT_FALSE(w.Enabled(rn::IdButton10)) << "no files to run on";
  w.Click(rn::IdButton9);
  ASSERT_TRUE(EditorOpen(w));
  EXPECT_TRUE(w.form->scriptMode);
  EXPECT_FALSE(IsWindowVisible(w.Control(rn::IdScrollBar1)));
  EXPECT_EQ(EditorLines(w), Texts({Line(rn::kOpRemove, L"old"), Line(7, L"")}));

  PickLine(w, 0);
  Press(w, rn::IdButton15);
  EXPECT_EQ(w.form->currentOperation, rn::kOpRemove);
  EXPECT_EQ(w.Text(rn::IdComboBox2), L"old");
  SetWindowTextW(w.Control(rn::IdComboBox2), L"new");
  Press(w, rn::IdButton14);
  EXPECT_EQ(rn::ScriptField(rn::ScriptLineBody(EditorLines(w)[0]), 1), L"new");
  PickLine(w, 1);
  Press(w, rn::IdButton8);
  Press(w, rn::IdButton7);  // no name asked: the script keeps its own

  EXPECT_FALSE(EditorOpen(w));
  EXPECT_FALSE(w.form->scriptMode);
  EXPECT_TRUE(IsWindowVisible(w.Control(rn::IdScrollBar1)));
  EXPECT_EQ(rn::ComboItems(w.Control(rn::IdComboBox4)), Texts({L"", L"1 - one", L"2 - two"}));
  EXPECT_EQ(PickedScript(w), 1);
  const std::string ini = f.ReadIni();
  EXPECT_NE(ini.find("Name=one\r\ncommands=1\r\n1=" + Narrow(w.form->panel->RadioHint(rn::kOpRemove)) + "\t3|new|"),
            std::string::npos);
  EXPECT_EQ(rn::ReadScriptLines(*w.form->settingsFile, 2), Texts({Line(7, L"")}));
}

TEST(Scripts, DelRenumbersTheLaterScripts) {
  TempFolder f;
  MainWindow w(f);
  for (const wchar_t* name : {L"a", L"b", L"c"}) Store(w, name, {Line(rn::kOpRemove, name)});
  PickScript(w, 2);
  w.Click(rn::IdButton11);
  EXPECT_EQ(rn::ComboItems(w.Control(rn::IdComboBox4)), Texts({L"", L"1 - a", L"2 - c"}));
  EXPECT_EQ(PickedScript(w), -1);
  EXPECT_FALSE(ScriptButtons(w));
  const std::string ini = f.ReadIni();
  EXPECT_NE(ini.find("Scripts=2"), std::string::npos);
  EXPECT_NE(ini.find("[Script_2]\r\nName=c\r\ncommands=1\r\n1=hint 3\t3|c|"), std::string::npos);
  EXPECT_EQ(ini.find("Script_3"), std::string::npos);
}

TEST(Scripts, ABrokenLineOrAChooserOutOfStepRefusesTheRunBeforeAnyRename) {
  ListWindow l({L"a_1.txt"});
  MainWindow& w = l.w;
  Store(w, L"s", {Line(rn::kOpRemove, L"_1"), L"h\tx|"});
  SendMessageW(w.Control(rn::IdComboBox4), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"2 - gone"));
  ScriptedDialogs dialogs;
  PickScript(w, 1);
  dialogs.Expect(L"Script 's', line 2: 'x' is not a valid integer value");
  w.Click(rn::IdButton10);
  EXPECT_EQ(dialogs.Seen().back().icon, rn::DialogIcon::Error);
  EXPECT_TRUE(OnDisk(l, L"a_1.txt")) << "the good first line did not run either";
  EXPECT_EQ(w.form->runCount, 0);
  EXPECT_FALSE(ScriptButtons(w));

  PickScript(w, 2);
  for (int button : {rn::IdButton10, rn::IdButton9, rn::IdButton11}) {
    dialogs.Expect(L"Error ...");
    w.Click(button);
  }
  EXPECT_FALSE(EditorOpen(w));
  EXPECT_EQ(w.form->settingsFile->ReadInteger(L"Options", L"Scripts", 0), 1);
}

TEST(Scripts, WhatArrivesDuringAScriptRunWaitsForItsEnd) {
  ListWindow l({L"a_1.txt"});
  MainWindow& w = l.w;
  const std::wstring late = Make(l.folder, L"late_1.txt");
  rn::RenameTask tooFar;  // stops with a box, before its run starts
  tooFar.Operation = rn::kOpAddFromBegin;
  tooFar.RenameTo = L"y_";
  tooFar.InsertAt = 200;
  Store(w, L"s", {rn::FormatScriptLine(tooFar, L"h", L"c"), Line(rn::kOpRemove, L"_1")});
  int boxes = 0;
  rn::SetDialogResponder([&](const rn::DialogRequest& r) {
    EXPECT_EQ(r.text, L"Value larger than one of filename's length - reducing to maximum allowed");
    if (boxes++ == 0) HandOff(w.Hwnd(), Narrow(late) + "\r\n" + '\0');
    return 0;
  });
  PickScript(w, 1);
  w.Click(rn::IdButton10);
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(l.Names(), Texts({L"a.txt", L"late_1.txt"})) << "the later line did not rename the late file";
}

TEST(Scripts, AnUpgradedOldScriptRuns) {
  TempFolder f;
  const std::wstring file = Make(f, L"a_old.txt");
  f.WriteIni(
      "[Options]\r\nVersion=(v1.2.2.2)\r\nScripts=1\r\n[Script_1]\r\nName=old\r\ncommands=1\r\n"
      "1=Remove\t3|_old|29-12-2004|[default]|0|0|1|4|0|0|||    Remove\r\n");
  MainWindow w(f);
  Drop(w.Hwnd(), {file});
  PickScript(w, 1);
  w.Click(rn::IdButton10);
  EXPECT_EQ(w.form->fileList.Cell(rn::ColFileName, 0), L"a.txt");
}

TEST(Scripts, TheEditorRefusesWhatItCannotStoreAndGivesTheInfoPanelBack) {
  TempFolder f;
  f.WriteIni("[Options]\r\nShowFileInfo=1\r\n");
  MainWindow w(f);
  ASSERT_TRUE(w.form->infoPanelOpen);
  w.Command(rn::IdMenuCreateScript);  // "Create a renaming script" does what "New" does
  ASSERT_TRUE(EditorOpen(w));
  EXPECT_FALSE(w.form->infoPanelOpen);
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"Nothing to save, script is empty..");
    Press(w, rn::IdButton7);
    EXPECT_EQ(dialogs.Seen().back().icon, rn::DialogIcon::Information);
    dialogs.Expect(L"Please choose an Option !");
    Press(w, rn::IdButton6);
    Choose(w, rn::kOpRemove);
    dialogs.Expect(L"No  'Rename to..'  string");
    Press(w, rn::IdButton6);
    EXPECT_TRUE(IsChild(w.Control(rn::IdComboBox2), GetFocus())) << "the focus goes to the \"Rename to\" box";
    Choose(w, rn::kOpRemove, L"a|b");
    dialogs.Expect(
        L"The text in the \"Rename to\" box holds a \"|\", which a script line cannot store. Remove it and try again.");
    Press(w, rn::IdButton6);
    dialogs.Expect(L"Help file not found");
    SendMessageW(Part(w, rn::IdPanel3), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    Pump();
  }
  EXPECT_TRUE(EditorLines(w).empty());
  Press(w, rn::IdButton13);
  EXPECT_FALSE(EditorOpen(w));
  EXPECT_TRUE(w.form->infoPanelOpen);
}

TEST(Scripts, TheEditorAndItsNameBoxSpeakTheLanguageOfTheSettings) {
  struct BackToEnglish {
    ~BackToEnglish() { rn::SetShownLanguage(rn::Language::English); }
  } english;
  TempFolder f;
  f.WriteIni("[Options]\r\nLanguage=Portuguese\r\n");
  MainWindow w(f);
  EXPECT_EQ(rn::WindowText(Part(w, rn::IdButton6)), L"&Adiciona Linha");
  EXPECT_EQ(rn::WindowText(Part(w, rn::IdPanel3)), L"    ajuda");
  w.Click(rn::IdButton12);
  Choose(w, rn::kOpConvertCase);
  Press(w, rn::IdButton6);
  ScriptedDialogs dialogs;
  dialogs.ExpectInput(std::nullopt);
  Press(w, rn::IdButton7);
  ASSERT_EQ(dialogs.InputRequests().size(), 1u);
  EXPECT_EQ(dialogs.InputRequests()[0].prompt, L"Escolha nome para este script :");
}

TEST(Scripts, ADamagedLineGivesOneMessageNamingTheScriptAndItsLineAndNothingIsRenamed) {
  const std::wstring good = Line(rn::kOpRemove, L"_1");
  const size_t third = good.find(L'|', good.find(L'|', good.find(L'|') + 1) + 1);
  struct Case {
    const char* what;
    rn::ScriptLine line;  // line 2; empty: `commands` counts a line that is not there
  } cases[] = {
      {"cut short", good.substr(0, third)},
      {"a bar too many", good.substr(0, third) + L"|" + good.substr(third)},
      {"more commands than lines", L""},
  };
  for (const Case& c : cases) {
    ListWindow l({L"a_1.txt"});
    MainWindow& w = l.w;
    Store(w, L"Photos", c.line.empty() ? Texts{good} : Texts{good, c.line});
    if (c.line.empty()) w.form->settingsFile->WriteInteger(rn::ScriptSection(1), L"commands", 2);
    std::vector<rn::DialogRequest> shown;
    rn::SetDialogResponder([&](const rn::DialogRequest& r) {
      shown.push_back(r);
      return 0;
    });
    PickScript(w, 1);
    w.Click(rn::IdButton10);
    InstallFailingResponder();
    ASSERT_EQ(shown.size(), 1u) << c.what;
    EXPECT_EQ(shown[0].text.rfind(L"Script 'Photos', line 2: '", 0), 0u) << c.what << ": " << Narrow(shown[0].text);
    EXPECT_NE(shown[0].text.find(L"' is not a valid integer value"), std::wstring::npos) << c.what;
    EXPECT_TRUE(OnDisk(l, L"a_1.txt")) << c.what << ": the good first line did not run either";
    EXPECT_EQ(w.form->runCount, 0) << c.what;
  }
}

TEST(Scripts, ACountOfScriptsBeyondThoseStoredListsOnlyTheStoredAndIsNeverWrittenBackLarger) {
  TempFolder f;
  f.WriteIni("[Options]\r\nScripts=99999\r\n[Script_1]\r\nName=one\r\ncommands=1\r\n1=" + Narrow(Line(7, L"")) +
             "\r\n[Script_3]\r\nName=three\r\ncommands=1\r\n1=" + Narrow(Line(7, L"")) + "\r\n");
  {
    MainWindow w(f);
    HWND chooser = w.Control(rn::IdComboBox4);
    ASSERT_EQ(SendMessageW(chooser, CB_GETCOUNT, 0, 0), 3) << "the empty entry, then the two stored scripts";
    EXPECT_EQ(rn::ComboItemText(chooser, 2), L"3 - three");
    EXPECT_EQ(rn::SaveNewScript(*w.form->settingsFile, L"four", {Line(7, L"")}).number, 4);
  }
  EXPECT_NE(f.ReadIni().find("Scripts=4\r\n"), std::string::npos);
}

TEST(Scripts, AReplaceByPatternIsRecordedWithItsBoxesAndReplaysThem) {
  ListWindow l({L"Artist - Title.mp3"});
  MainWindow& w = l.w;
  w.Click(rn::IdButton12);
  Choose(w, rn::kOpReplace, L"^(.+?) - (.+)$");
  w.Click(rn::IdCheckPattern);
  w.Click(rn::IdCheckIgnoreCase);
  SetWindowTextW(w.Control(rn::IdEdit4a), L"\\2 - \\1");
  Press(w, rn::IdButton6);
  ASSERT_EQ(EditorLines(w).size(), 1u);
  EXPECT_EQ(rn::ScriptField(rn::ScriptLineBody(EditorLines(w)[0]), 10), L"ri");
  {
    ScriptedDialogs dialogs;
    dialogs.ExpectInput(L"swap");
    Press(w, rn::IdButton7);
  }
  // Unticked by hand: the script ticks them again for its line.
  w.Click(rn::IdCheckPattern);
  w.Click(rn::IdCheckIgnoreCase);
  w.Click(rn::IdButton10);
  EXPECT_EQ(l.Names(), Texts({L"Title - Artist.mp3"}));
  EXPECT_TRUE(OnDisk(l, L"Title - Artist.mp3"));
}
