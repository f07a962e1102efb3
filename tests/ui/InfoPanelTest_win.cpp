// The file information panel on a plain host window: what it shows for real
// files and what reaches the host.
#include <windows.h>

#include "support/StripHarness_win.h"
#include "ui/InfoPanel_win.h"

namespace {

using namespace rntest;

struct InfoPanelFixture : StripFixture {
  HWND panel = nullptr;
  void SetUp() override {
    StripFixture::SetUp();
    if (HasFatalFailure()) return;
    panel = rn::CreateInfoPanel(host, kPanelId, rn::Bounds(0, dpi.Scale(40), dpi.Scale(630), dpi.Scale(rn::kInfoPanelHeight)), font, dpi);
    ASSERT_NE(panel, nullptr);
    Pump();
  }
  HWND Child(int id) { return GetDlgItem(panel, id); }
  rn::FileInfoFields Show(const std::wstring& name, size_t bytes) {
    rn::FillFileInfo(panel, MakeFile(name, bytes), name);
    return rn::InfoPanelFields(panel);
  }
};

TEST_F(InfoPanelFixture, HoldsItsCaptionsAndTheValueFieldsAsRealWindows) {
  int captions = 0;
  for (const wchar_t* c : {L"Date created :", L"Date modified :", L"Date accessed :", L"Filename :", L"Folder :",
                           L"FileSize :", L"Attributes :"})
    if (FindWindowExW(panel, nullptr, L"Static", c)) ++captions;
  EXPECT_EQ(captions, 7);
  for (int id = rn::kInfoCreatedId; id <= rn::kInfoAttributesId; ++id) {
    HWND value = Child(id);
    ASSERT_NE(value, nullptr) << id;
    EXPECT_EQ(rn::WindowText(value), L"") << id;
  }
  EXPECT_EQ(rn::WindowText(Child(rn::kInfoCloseId)), L"X");
  EXPECT_EQ(rn::InfoPanelHint(panel, rn::kInfoCloseId), L" close this file info panel ");
  RECT image = rn::ControlBounds(Child(rn::kInfoImageId));
  EXPECT_EQ(image.right - image.left, dpi.Scale(33));
  EXPECT_EQ(image.bottom - image.top, dpi.Scale(33));
}

TEST_F(InfoPanelFixture, SizeIsShownInKilobytesWithTheLocaleSeparator) {
  rn::FileInfoFields f = Show(L"report.txt", 256);
  EXPECT_EQ(f.size, L"0" + DecimalSeparator() + L"25  Kb");
  EXPECT_EQ(f.name, L"report.txt");
  EXPECT_EQ(f.folder, folder.Folder());  // with its trailing backslash
  EXPECT_EQ(Show(L"exact.bin", 1024).size, L"1  Kb");
  EXPECT_EQ(Show(L"empty.txt", 0).size, L"0  Kb");
}

TEST_F(InfoPanelFixture, AttributeLettersFollowTheFile) {
  const std::wstring plain = MakeFile(L"plain.txt", 10);
  rn::FillFileInfo(panel, plain, L"plain.txt");
  const DWORD attrs = GetFileAttributesW(plain.c_str());
  if (attrs == FILE_ATTRIBUTE_ARCHIVE) {
    EXPECT_EQ(rn::InfoPanelFields(panel).attributes, L"- A - - ");
  } else {
    std::printf("[ skipped ] a new file here has attributes 0x%lx, not just archive\n", attrs);
  }

  const std::wstring locked = MakeFile(L"locked.txt", 10);
  ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  rn::FillFileInfo(panel, locked, L"locked.txt");
  if (GetFileAttributesW(locked.c_str()) == (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)) {
    EXPECT_EQ(rn::InfoPanelFields(panel).attributes, L"- A R - ");
  } else {
    std::printf("[ skipped ] the read-only attribute does not stick here\n");
  }
  SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(InfoPanelFixture, MissingFilesAndFoldersShowOnlyTheNotice) {
  rn::FileInfoFields only;
  only.name = L"  [ file doesn't exist ]";
  Show(L"there.txt", 5);  // the fields are full before
  ASSERT_NE(rn::InfoPanelFields(panel).size, L"");
  rn::FillFileInfo(panel, folder.Folder() + L"gone.txt", L"gone.txt");
  EXPECT_EQ(rn::InfoPanelFields(panel), only);
  EXPECT_EQ(rn::InfoPanelIcon(panel), nullptr);

  std::filesystem::create_directories(folder.path / L"sub.dir");
  Show(L"there.txt", 5);
  rn::FillFileInfo(panel, folder.Folder() + L"sub.dir", L"sub.dir");
  EXPECT_EQ(rn::InfoPanelFields(panel), only);
  rn::FillFileInfo(panel, folder.Folder() + L"sub.dir\\", L"");
  EXPECT_EQ(rn::InfoPanelFields(panel), only);
  rn::FillFileInfo(panel, L"", L"");
  EXPECT_EQ(rn::InfoPanelFields(panel), only);

  rn::ClearFileInfo(panel);
  EXPECT_EQ(rn::InfoPanelFields(panel), rn::FileInfoFields{});
}

TEST_F(InfoPanelFixture, EachDateComesFromItsOwnStampAtTwoSecondResolution) {
  const std::wstring path = MakeFile(L"dated.txt", 3);
  const FILETIME created = FromLocal(2011, 2, 3, 4, 5, 7);
  const FILETIME accessed = FromLocal(2015, 6, 7, 8, 9, 11);
  const FILETIME modified = FromLocal(2014, 3, 25, 14, 3, 9);
  HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(h, &created, &accessed, &modified));
  FILETIME c{}, a{}, m{};
  GetFileTime(h, &c, &a, &m);
  CloseHandle(h);

  rn::FillFileInfo(panel, path, L"dated.txt");
  const rn::FileInfoFields f = rn::InfoPanelFields(panel);
  EXPECT_EQ(f.modified, LocalStamp(2014, 3, 25, 14, 3, 8));  // the odd second drops
  if (SameTime(a, accessed)) {
    EXPECT_EQ(f.accessed, LocalStamp(2015, 6, 7, 8, 9, 10));
  } else {
    std::printf("[ skipped ] the access time cannot be set here\n");
  }
  if (SameTime(c, created)) {
    EXPECT_EQ(f.created, LocalStamp(2011, 2, 3, 4, 5, 6));
  } else {
    std::printf("[ skipped ] the creation time cannot be set here\n");
  }
  EXPECT_NE(f.created, L"");
}

TEST_F(InfoPanelFixture, IconOfTheTypeWithItsHintAndNoLeftoverIcons) {
  rn::FillFileInfo(panel, MakeFile(L"notes.txt", 1), L"notes.txt");
  EXPECT_EQ(rn::InfoPanelHint(panel, rn::kInfoImageId), L" *.txt ");
  HICON first = rn::InfoPanelIcon(panel);
  if (!first) {
    std::printf("[ skipped ] the shell gives no icon for .txt here\n");
    return;
  }
  ICONINFO ii{};
  rn::FillFileInfo(panel, MakeFile(L"noext", 1), L"noext");
  EXPECT_EQ(rn::InfoPanelHint(panel, rn::kInfoImageId), L" * ");
  HICON second = rn::InfoPanelIcon(panel);
  EXPECT_NE(second, first);
  EXPECT_FALSE(GetIconInfo(first, &ii)) << "the replaced icon was not destroyed";
  rn::ClearFileInfo(panel);
  EXPECT_EQ(rn::InfoPanelIcon(panel), nullptr);
  if (second) {
    EXPECT_FALSE(GetIconInfo(second, &ii)) << "the cleared icon was not destroyed";
  }
  // The icon of a type the shell does not know goes with the panel as well.
  rn::FillFileInfo(panel, MakeFile(L"odd.zz9q", 1), L"odd.zz9q");
  HICON third = rn::InfoPanelIcon(panel);
  DestroyWindow(panel);
  if (third) {
    EXPECT_FALSE(GetIconInfo(third, &ii)) << "the icon outlived the panel";
  }
}

TEST_F(InfoPanelFixture, ClipboardGetsTheSevenLines) {
  const std::wstring path = MakeFile(L"data.bin", 1024);
  rn::FillFileInfo(panel, path, L"data.bin");
  const rn::FileInfoFields f = rn::InfoPanelFields(panel);
  if (!rn::CopyInfoToClipboard(panel, host)) {
    std::printf("[ skipped ] no clipboard here\n");
    return;
  }
  ASSERT_TRUE(OpenClipboard(host));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  std::wstring text = static_cast<const wchar_t*>(GlobalLock(data));
  GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(text, L"File name     :  data.bin\r\nFile path     :  " + folder.Folder() +
                      L"\r\nFile size     :  1  Kb\r\nFile attr     :  " + f.attributes + L"\r\nDate created  :  " +
                      f.created + L"\r\nDate modified :  " + f.modified + L"\r\nDate accessed :  " + f.accessed +
                      L"\r\n");
  EXPECT_NE(f.modified, L"");
}

TEST_F(InfoPanelFixture, CloseButtonAndRightClicksReachTheHost) {
  SendMessageW(Child(rn::kInfoCloseId), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(log.commands.size(), 1u);
  EXPECT_EQ(LOWORD(log.commands[0]), rn::kInfoCloseId);
  EXPECT_EQ(HIWORD(log.commands[0]), BN_CLICKED);

  SendMessageW(panel, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(Child(rn::kInfoCloseId), WM_RBUTTONUP, 0, MAKELPARAM(2, 2));
  ASSERT_EQ(log.contextMenus.size(), 2u);
  for (const auto& [from, where] : log.contextMenus) EXPECT_EQ(from, panel);
  POINT p{5, 5};
  ClientToScreen(panel, &p);
  EXPECT_EQ(log.contextMenus[0].second, MAKELPARAM(p.x, p.y));
}

TEST_F(InfoPanelFixture, LabelsLetThePointerThroughToThePanel) {
  Show(L"report.txt", 256);
  for (int id : {rn::kInfoNameId, rn::kInfoCreatedId, rn::kInfoImageId}) {
    RECT r{};
    GetWindowRect(Child(id), &r);
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    HWND hit = WindowFromPoint(centre);
    if (GetAncestor(hit, GA_ROOT) != host) {
      std::printf("[ skipped ] another window covers the host\n");
      return;
    }
    EXPECT_EQ(hit, panel) << id;
  }
}

TEST_F(InfoPanelFixture, LayoutKeepsTheFieldsApartAndTheCloseButtonAtTheRightEnd) {
  Show(L"a rather long file name that will not fit the strip at all, not even on a wide screen.txt", 123456);
  for (int width : {630, 800, 1200}) {
    MoveWindow(panel, 0, dpi.Scale(40), dpi.Scale(width), dpi.Scale(rn::kInfoPanelHeight), TRUE);
    RECT client{};
    GetClientRect(panel, &client);
    RECT close = rn::ControlBounds(Child(rn::kInfoCloseId));
    EXPECT_EQ(close.left, client.right - dpi.Scale(22)) << width;
    EXPECT_LE(close.right, client.right - 2) << width;  // inside the frame
    std::vector<RECT> boxes;
    for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) boxes.push_back(rn::ControlBounds(c));
    ASSERT_EQ(boxes.size(), 18u);
    for (size_t i = 0; i < boxes.size(); ++i) {
      const RECT& b = boxes[i];
      EXPECT_GT(b.right - b.left, 0) << width << " child " << i;
      EXPECT_TRUE(b.left >= 2 && b.top >= 2 && b.right <= client.right - 2 && b.bottom <= client.bottom - 2)
          << width << " child " << i << " leaves the frame";
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        RECT both{};
        EXPECT_FALSE(IntersectRect(&both, &b, &boxes[j])) << width << " children " << i << " and " << j << " overlap";
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Character position strip

}  // namespace
