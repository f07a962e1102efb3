// Names from the files' own data through the real window, on photos and
// songs made by the host's ImageMagick, ExifTool and ffmpeg (the media
// corpus CTest makes first): sorted by date taken and numbered, named from
// their tags, the "<>" menu, a file that lacks a field; the names on disk are
// the preview's, and undo takes them back.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/OperationPanel_win.h"
#include "dialogs/Help_win.h"
#include "engine/FieldText.h"
#include "support/WindowHarness_win.h"
#include "ui/InfoPanel_win.h"

using namespace rntest;
using Names = std::vector<std::wstring>;

namespace {

// The corpus folder as this program sees it: under Wine the host's path lies on drive Z:.
std::wstring Corpus() {
  const char* folder = std::getenv("RENAME_MEDIA_CORPUS");
  if (!folder) return L"";
  std::wstring path(folder, folder + std::strlen(folder));
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path + L"\\";
}

// Copies of corpus files under new names, listed in the window in that order.
using Copies = std::vector<std::pair<const wchar_t*, const wchar_t*>>;
struct MediaWindow {
  TempFolder folder;
  MainWindow w{folder};
  explicit MediaWindow(const Copies& copies) {
    std::vector<std::wstring> paths;
    for (const auto& [from, to] : copies) {
      paths.push_back(folder.Folder() + to);
      EXPECT_TRUE(CopyFileW((Corpus() + from).c_str(), paths.back().c_str(), FALSE)) << Narrow(from);
    }
    Drop(w.Hwnd(), paths);
  }
  Names Listed() const {
    Names out;
    for (int r = 0; r < w.form->fileList.EntryCount(); ++r) out.push_back(w.form->fileList.Cell(rn::ColFileName, r));
    return out;
  }
  Names Shown() {
    w.form->FinishPreview();
    Names out;
    for (int r = 0; r < w.form->fileList.EntryCount(); ++r) out.push_back(w.form->PreviewCell(r).text);
    return out;
  }
  bool OnDisk(const Names& names) const {
    for (const auto& n : names)
      if (GetFileAttributesW((folder.Folder() + n).c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return true;
  }
};

// The groups of the fields' menu while it is open; the menu is closed from a
// timer inside its own loop, as a user's Escape would.
int g_menuGroups = -1;
void CALLBACK CountAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (HWND popup = FindWindowW(L"#32768", nullptr))
    g_menuGroups = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)));
  EndMenu();
}

int ClickFieldButton(MainWindow& w, int id) {
  g_menuGroups = -1;
  SetTimer(nullptr, 0, 30, CountAndCloseMenu);
  w.Click(id);
  return g_menuGroups;
}

}  // namespace

TEST(MediaFields, PhotosSortedByDateTakenAreNumberedInTheOrderTheyWereShotThenUndoTakesThemBack) {
  ASSERT_FALSE(Corpus().empty()) << "RENAME_MEDIA_CORPUS is not set: run through CTest, which makes the corpus";
  // Shot in 2021, 2018, never (sorted by its last change: now), 2015 (a JPEG named .png).
  MediaWindow m({{L"full.jpg", L"a.jpg"}, {L"utf8.jpg", L"b.jpg"}, {L"bare.jpg", L"c.jpg"}, {L"misnamed.png", L"d.png"}});
  m.w.Command(rn::IdPopSortbyTaken1);
  EXPECT_EQ(m.Listed(), Names({L"d.png", L"b.jpg", L"a.jpg", L"c.jpg"}));

  m.w.Click(rn::RadioId(rn::kOpAddFromBegin));
  SetWindowTextW(m.w.Control(rn::IdComboBox2), L"<Taken|Modified:yyyy>-");
  m.w.Command(rn::IdComboBox2, CBN_EDITCHANGE);
  const Names shown = m.Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(Names(shown.begin(), shown.begin() + 3), Names({L"2015-d.png", L"2018-b.jpg", L"2021-a.jpg"}));
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(shown[3], std::to_wstring(now.wYear) + L"-c.jpg") << "no date taken: the last change";
  m.w.Click(rn::IdButton2);
  EXPECT_EQ(m.Listed(), shown);
  EXPECT_TRUE(m.OnDisk(shown));

  // Numbered in the order they were shot.
  m.w.Click(rn::RadioId(rn::kOpNumerate));
  const Names numbered = m.Shown();
  m.w.Click(rn::IdButton2);
  EXPECT_EQ(m.Listed(), numbered);
  EXPECT_TRUE(m.OnDisk(numbered));
  for (size_t i = 0; i + 1 < numbered.size(); ++i) EXPECT_LT(numbered[i], numbered[i + 1]) << "numbers follow the shots";

  m.w.Click(rn::IdButton3);
  m.w.Click(rn::IdButton3);
  EXPECT_TRUE(m.OnDisk({L"a.jpg", L"b.jpg", L"c.jpg", L"d.png"}));
}

TEST(MediaFields, SongsAreNamedFromTheirTagsAndAFileWithoutTheFieldKeepsItsNameWithTheReason) {
  ASSERT_FALSE(Corpus().empty()) << "RENAME_MEDIA_CORPUS is not set: run through CTest, which makes the corpus";
  MediaWindow m({{L"id3v23.mp3", L"one.mp3"}, {L"tags.flac", L"two.flac"}, {L"bare.png", L"three.png"}});
  m.w.Click(rn::RadioId(rn::kOpReplace));
  if (!rn::IsChecked(m.w.Control(rn::IdCheckPattern))) m.w.Click(rn::IdCheckPattern);
  SetWindowTextW(m.w.Control(rn::IdComboBox2), L"^.*$");
  SetWindowTextW(m.w.Control(rn::IdEdit4a), L"<Track:00> <Artist> - <Title>");
  m.w.Command(rn::IdEdit4a, EN_CHANGE);
  const Names shown = m.Shown();
  const Names expected = {L"03 \u039c\u03af\u03ba\u03b7\u03c2 \u0398\u03b5\u03bf\u03b4\u03c9\u03c1\u03ac\u03ba\u03b7\u03c2 - "
                          L"\u03a3\u03c5\u03c1\u03c4\u03ac\u03ba\u03b9.mp3",
                          L"05 \u039a\u03b1\u03b6\u03b1\u03bd\u03c4\u03b6\u03af\u03b4\u03b7\u03c2 - "
                          L"\u03a5\u03c0\u03ac\u03c1\u03c7\u03c9.flac"};
  EXPECT_EQ(Names(shown.begin(), shown.begin() + 2), expected);
  const rn::GridPreviewCell refused = m.w.form->PreviewCell(2);
  EXPECT_EQ(refused.look, rn::PreviewLook::Marked);
  EXPECT_NE(refused.hint.find(L"No Track in this file"), std::wstring::npos) << Narrow(refused.hint);
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"Items without a field the text needs:  1\r\rNo Track in this file, so file 'three.png' will keep it's "
                   L"name as it was.");
    m.w.Click(rn::IdButton2);
  }
  EXPECT_TRUE(m.OnDisk({expected[0], expected[1], L"three.png"}));
  EXPECT_EQ(m.Listed(), Names({expected[0], expected[1], L"three.png"})) << "the file that lacks it stays listed";
  m.w.Click(rn::IdButton3);
  EXPECT_TRUE(m.OnDisk({L"one.mp3", L"two.flac", L"three.png"}));
}

TEST(MediaFields, TheFieldButtonsMenuPutsAFieldAtTheCaretAndF1OpensThePageOnFields) {
  TempFolder folder;
  MainWindow w(folder);
  w.Click(rn::RadioId(rn::kOpAddFromBegin));
  HWND button = w.form->MadeControl(rn::IdFieldButton);
  ASSERT_TRUE(button);
  EXPECT_FALSE(rn::IsParked(button)) << "beside the text of operation 1";
  EXPECT_LE(rn::ControlBounds(w.Control(rn::IdComboBox2)).right, rn::ControlBounds(button).left);
  HWND edit = GetWindow(w.Control(rn::IdComboBox2), GW_CHILD);
  SetWindowTextW(w.Control(rn::IdComboBox2), L"Holiday ");
  SendMessageW(edit, EM_SETSEL, 8, 8);
  // The button opens the menu (Photo, Music, File); its command is what choosing an entry sends.
  EXPECT_EQ(ClickFieldButton(w, rn::IdFieldButton), 3);
  const std::vector<std::wstring>& entries = rn::FieldMenuEntries();
  const auto taken = std::find(entries.begin(), entries.end(), L"<Taken:yyyy-mm-dd>");
  ASSERT_NE(taken, entries.end());
  w.Command(rn::IdFieldMenuFirst + static_cast<int>(taken - entries.begin()));
  EXPECT_EQ(w.Text(rn::IdComboBox2), L"Holiday <Taken:yyyy-mm-dd>");
  EXPECT_EQ(w.form->panel->ReadRenameTask().RenameTo, L"Holiday <Taken:yyyy-mm-dd>");

  // Operation 18: into the suffix when the suffix had the focus last.
  w.Click(rn::RadioId(rn::kOpCreateNames));
  EXPECT_FALSE(rn::IsParked(button));
  SetFocus(w.Control(rn::IdComboBoxCreat2));
  Pump();
  EXPECT_EQ(ClickFieldButton(w, rn::IdFieldButton), 3);
  w.Command(rn::IdFieldMenuFirst + static_cast<int>(taken - entries.begin()));
  EXPECT_EQ(w.form->panel->ReadRenameTask().Suffix, L"<Taken:yyyy-mm-dd>");
  EXPECT_EQ(w.form->panel->ReadRenameTask().Prefix, L"");

  // F1 on the buttons, in the language shown.
  std::vector<rn::HelpCall> calls;
  rn::SetHelpViewer([&](const rn::HelpCall& call) { calls.push_back(call); });
  for (const bool portuguese : {false, true}) {
    if (portuguese) w.form->ApplyLanguage(L"Portuguese");
    HWND help = w.Control(rn::IdFieldButton4);
    SetFocus(help);
    PostMessageW(help, WM_KEYDOWN, VK_F1, 0);
    Pump();
    ASSERT_EQ(calls.size(), portuguese ? 2u : 1u);
    EXPECT_EQ(calls.back().data, portuguese ? rn::kFieldHelpContextPortuguese : rn::kFieldHelpContext);
  }
  rn::SetHelpViewer(nullptr);
}

TEST(MediaFields, TheInformationPanelShowsThePhotosDateTakenAndCamera) {
  ASSERT_FALSE(Corpus().empty()) << "RENAME_MEDIA_CORPUS is not set: run through CTest, which makes the corpus";
  MediaWindow m(Copies{{L"full.jpg", L"shot.jpg"}});
  if (!m.w.form->infoPanelOpen) m.w.form->ToggleInfoPanel();
  m.w.form->FillFileInfo();
  const std::wstring media = rn::InfoPanelFields(m.w.Control(rn::IdPanelInfo)).media;
  EXPECT_NE(media.find(L"Canon EOS R5"), std::wstring::npos) << Narrow(media);
  EXPECT_NE(media.find(L"ISO 400"), std::wstring::npos) << Narrow(media);
  EXPECT_NE(media.find(L"2021"), std::wstring::npos) << Narrow(media);
}
