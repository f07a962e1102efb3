// Pictures of every form at the screen's density, for looking at by eye:
// the main window with a full list, the script editor, the parameter slot of
// each kind of operation, the menus, the dialogs and the boxes, in English
// and in Portuguese. Each form is opened in this process as a user would open
// it; a modal one is pictured by a timer inside its own loop and then closed.
// Usage: rename_shooter.exe OUTPUT_FOLDER (one .bmp per form).
#include <windows.h>

#include <algorithm>

#include <cstdio>
#include <functional>
#include <string>

#include "base/Texts.h"
#include "core/OperationPanel_win.h"
#include "core/ScriptEditor_win.h"
#include "dialogs/FormOption_win.h"
#include "support/ModalScript_win.h"
#include "support/WindowHarness_win.h"
#include "ui/InputBox_win.h"

using namespace rntest;

namespace {

std::wstring g_output;
int g_saved = 0, g_missed = 0;

// The screen's pixels inside `r`, as a 24-bit BMP.
bool SaveScreenRect(const RECT& r, const std::wstring& path) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return false;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(bi.bmiHeader), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, dib);
  BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
  fh.bfSize = fh.bfOffBits + size;
  bool ok = false;
  if (FILE* out = _wfopen(path.c_str(), L"wb")) {
    ok = fwrite(&fh, sizeof(fh), 1, out) == 1 && fwrite(&bi.bmiHeader, sizeof(bi.bmiHeader), 1, out) == 1 &&
         fwrite(bits, 1, size, out) == size;
    ok = fclose(out) == 0 && ok;
  }
  SelectObject(dc, old);
  DeleteObject(dib);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return ok;
}

void Repaint(HWND window) {
  if (window) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Shoot(const RECT& r, const std::string& name) {
  GdiFlush();
  // The X server shows what the window surfaces were flushed to, and Wine
  // flushes them while the thread waits for messages, not while it sleeps.
  Pump(150);
  const std::wstring path = g_output + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
  if (SaveScreenRect(r, path)) {
    ++g_saved;
  } else {
    ++g_missed;
    std::printf("could not save %s\n", name.c_str());
  }
}

// The width a button's or check box's caption needs, with its edges or its
// box; 0 for other controls and for captions drawn elsewhere.
int CaptionNeed(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  if (lstrcmpiW(cls, L"Button") != 0) return 0;
  std::wstring text = rn::WindowText(control);
  text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
  if (text.empty()) return 0;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  const int ink = rn::DrawnWidth(font, text);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON: return ink + 2 * GetSystemMetrics(SM_CXEDGE) + 4;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      // A push-like one is a button; one whose caption is drawn elsewhere has none here.
      if (style & BS_PUSHLIKE) return ink + 2 * GetSystemMetrics(SM_CXEDGE) + 4;
      return ink + GetSystemMetrics(SM_CXMENUCHECK) + 4;
    default: return 0;
  }
}

// Names the children of a window that stick out of its client area or
// cross each other (one lying wholly inside another is a box's arrows or a
// group's boxes, and radio buttons carry controls over their captions).
void ReportLayout(HWND window, const std::string& name) {
  std::vector<std::pair<HWND, RECT>> kids;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c) || rn::IsParked(c)) continue;
    kids.push_back({c, rn::ControlBounds(c)});
  }
  RECT client{};
  GetClientRect(window, &client);
  auto isRadio = [](HWND c) { return (GetWindowLongPtrW(c, GWL_STYLE) & BS_TYPEMASK) == BS_RADIOBUTTON; };
  auto describe = [](HWND c) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    const RECT r = rn::ControlBounds(c);
    return Narrow(cls) + " " + std::to_string(GetDlgCtrlID(c)) + " '" + Narrow(rn::WindowText(c)) + "' (" +
           std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
  };
  for (size_t i = 0; i < kids.size(); ++i) {
    const RECT& a = kids[i].second;
    if (a.left < 0 || a.top < 0 || a.right > client.right || a.bottom > client.bottom)
      std::printf("%s: %s leaves the client area\n", name.c_str(), describe(kids[i].first).c_str());
    if (const int need = CaptionNeed(kids[i].first); need > a.right - a.left)
      std::printf("%s: %s is narrower than its caption (%d pixels)\n", name.c_str(), describe(kids[i].first).c_str(),
                  need);
    for (size_t j = i + 1; j < kids.size(); ++j) {
      const RECT& b = kids[j].second;
      RECT both{};
      if (!IntersectRect(&both, &a, &b) || EqualRect(&both, &a) || EqualRect(&both, &b)) continue;
      if (isRadio(kids[i].first) || isRadio(kids[j].first)) continue;
      std::printf("%s: %s crosses %s\n", name.c_str(), describe(kids[i].first).c_str(),
                  describe(kids[j].first).c_str());
    }
  }
}

void ShootWindow(HWND window, const std::string& name) {
  if (!window) {
    ++g_missed;
    std::printf("no window for %s\n", name.c_str());
    return;
  }
  ReportLayout(window, name);
  Repaint(window);
  RECT r{};
  GetWindowRect(window, &r);
  Shoot(r, name);
}

// The visible pop-up menu of this thread, or nullptr.
HWND OpenMenuWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM out) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (lstrcmpW(cls, L"#32768") != 0 || !IsWindowVisible(w)) return TRUE;
        *reinterpret_cast<HWND*>(out) = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs `open`, which starts a modal loop; `inside` runs once within it, when
// the form had time to paint. A form still open long after is closed.
std::function<void()>* g_inside = nullptr;

void CALLBACK InsideTick(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()>* step = g_inside;
  g_inside = nullptr;
  if (step) (*step)();
}

void CALLBACK Watchdog(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::printf("a form was still open; closing it\n");
  EndMenu();
  if (HWND active = GetActiveWindow()) PostMessageW(active, WM_CLOSE, 0, 0);
}

void WhileOpen(const std::function<void()>& open, std::function<void()> inside) {
  g_inside = &inside;
  const UINT_PTR tick = SetTimer(nullptr, 0, 400, InsideTick);
  const UINT_PTR watchdog = SetTimer(nullptr, 0, 15000, Watchdog);
  open();
  KillTimer(nullptr, tick);
  KillTimer(nullptr, watchdog);
  if (g_inside) {
    g_inside = nullptr;
    ++g_missed;
    std::printf("a form did not open\n");
  }
}

// Outside the shots of the boxes themselves, a box that shows is answered
// at once and named, so that it never waits for a user who is not there.
void AnswerBoxes() {
  rn::SetDialogResponder([](const rn::DialogRequest& r) {
    ++g_missed;
    std::printf("unexpected box: %s\n", Narrow(r.text).c_str());
    return r.cancelButton >= 0 ? r.cancelButton : 0;
  });
  rn::SetInputResponder([](const rn::InputRequest& r) {
    ++g_missed;
    std::printf("unexpected input box: %s\n", Narrow(r.prompt).c_str());
    return std::optional<std::wstring>{};
  });
}

// A dialog's form, by its window class.
void ShootForm(const wchar_t* className, const std::string& name, const std::function<void()>& open) {
  WhileOpen(open, [=] {
    HWND form = ShownForm(className);
    ShootWindow(form, name);
    if (form) PostMessageW(form, WM_CLOSE, 0, 0);
  });
}

// A box the program shows through ShowDialog or ShowInputBox, for real.
void ShootBox(const wchar_t* className, const std::string& name, const std::function<void()>& open) {
  ClearResponders();
  ShootForm(className, name, open);
  AnswerBoxes();
}

// A pop-up menu together with the window it opened over.
void ShootMenu(HWND main, const std::string& name, const std::function<void()>& open) {
  WhileOpen(open, [=] {
    HWND menu = OpenMenuWindow();
    if (!menu) {
      ++g_missed;
      std::printf("no menu for %s\n", name.c_str());
    } else {
      Repaint(main);
      RECT a{}, b{}, both{};
      GetWindowRect(main, &a);
      GetWindowRect(menu, &b);
      UnionRect(&both, &a, &b);
      Shoot(both, name);
    }
    EndMenu();
  });
}

struct Language {
  const char* code;
  const char* setting;
};

// Thirty-odd files of every length and kind, and a folder for the prompt.
std::vector<std::wstring> MakeFiles(const TempFolder& f) {
  const wchar_t* names[] = {L"Holiday 2004 - Beach.jpg",
                            L"holiday 2004 - dinner.JPG",
                            L"IMG_0001.jpg",
                            L"IMG_0002.jpg",
                            L"IMG_0003.jpg",
                            L"report final (2).doc",
                            L"Report Final.doc",
                            L"budget-2005.xls",
                            L"notes.txt",
                            L"README",
                            L"a.b.c.d.txt",
                            L"track 01 - intro.mp3",
                            L"track 02 - a very long song title that goes on and on and on.mp3",
                            L"track 03.mp3",
                            L"setup.exe",
                            L"Program Files list.txt",
                            L"scan0001.tif",
                            L"scan0002.tif",
                            L"Letter to Ana.rtf",
                            L"cartão de visita.pdf",
                            L"ação e reação.txt",
                            L"UPPER CASE NAME.TXT",
                            L"lower case name.txt",
                            L"mixed_Case-Name.Txt",
                            L"  leading blanks.txt",
                            L"movie.avi",
                            L"movie.srt",
                            L"archive.tar.gz",
                            L"photo (copy).png",
                            L"photo.png",
                            L"invoice 2005-03-01.pdf",
                            L"invoice 2005-04-01.pdf",
                            L"zz last one.dat"};
  std::vector<std::wstring> files;
  for (const wchar_t* n : names) files.push_back(Make(f, std::wstring(L"list\\") + n, "some bytes"));
  files.push_back(Make(f, L"list\\sub folder\\inside.txt"));
  return files;
}

// The client size the main window is designed for, as a stored window size.
std::string DesignedSize() {
  const rn::Dpi dpi = rn::ScreenDpi();
  RECT r = rn::Bounds(0, 0, dpi.Scale(rn::design::kClientWidth), dpi.Scale(rn::design::kClientHeight));
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_CONTROLPARENT);
  return std::to_string(r.bottom - r.top) + "|" + std::to_string(r.right - r.left);
}

void ShootLanguage(const Language& language) {
  const std::string p = std::string(language.code) + "-";
  TempFolder folder;
  const std::string options = "[Options]\r\nLanguage=" + std::string(language.setting) + "\r\n";
  folder.WriteIni(options);

  // What a user sees the first time: the welcome box over a window at its
  // fresh size.
  std::unique_ptr<MainWindow> w;
  ShootForm(L"TFormFirst", p + "welcome",
            [&] { w = std::make_unique<MainWindow>(folder, std::vector<std::wstring>{}, nullptr, true); });
  AnswerBoxes();
  ShootWindow(w->Hwnd(), p + "main-fresh");
  w.reset();

  // The window at its designed size with a full list and the information panel.
  folder.WriteIni(options + "ShowFileInfo=1\r\nSize=" + DesignedSize() + "\r\n");
  w = std::make_unique<MainWindow>(folder);
  AnswerBoxes();
  rn::TMorvaneFrm1& form = *w->form;
  const std::vector<std::wstring> files = MakeFiles(folder);
  Drop(w->Hwnd(), files);
  SetWindowTextW(w->Control(rn::IdComboBox2), L"Photo ");
  SetWindowTextW(w->Control(rn::IdEdit4a), L"Picture ");
  // A click on a row fills the information panel.
  RECT row{};
  HWND grid = w->Control(rn::IdStringGrid1);
  rn::GridCellRect(grid, rn::ColShortPath, 12, row);
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row.left + 4, row.top + 2));
  SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(row.left + 4, row.top + 2));
  Pump(100);
  ShootWindow(w->Hwnd(), p + "main-list");
  // From the keyboard: two rows down and the tick taken off; the focused row
  // shows its dotted frame. The tick comes back for the pictures that follow.
  auto keys = [&](std::initializer_list<UINT> vks) {
    for (UINT vk : vks) {
      PostMessageW(grid, WM_KEYDOWN, vk, 1);
      PostMessageW(grid, WM_KEYUP, vk, 0xC0000001);
    }
    Pump(100);
  };
  SetFocus(grid);
  keys({VK_DOWN, VK_DOWN, VK_SPACE});
  ShootWindow(w->Hwnd(), p + "main-keys");
  keys({VK_SPACE});

  // Each kind of control the parameter slot takes, and the inline boxes.
  for (int op : {rn::kOpReplace, rn::kOpCapitalize, rn::kOpAttributes, rn::kOpNumerate, rn::kOpChangeDateTime,
                 rn::kOpDateToBegin, rn::kOpCreateNames}) {
    form.panel->ChooseOperation(op);
    Pump(50);
    ShootWindow(w->Hwnd(), p + "slot-" + std::to_string(op));
  }

  // The new names' column with a collision marked: "report final (2).doc"
  // would become the name another row has already, and the pointer rests on it.
  form.panel->ChooseOperation(rn::kOpRemove);
  SetWindowTextW(w->Control(rn::IdComboBox2), L" (2)");
  Pump(100);
  for (int r = 0; r < form.fileList.EntryCount(); ++r) {
    if (form.fileList.Row(r).name != L"report final (2).doc") continue;
    RECT cell{};
    rn::GridCellRect(grid, rn::kGridPreviewColumn, r, cell);
    POINT on{cell.left + 8, cell.top + 4};
    ClientToScreen(grid, &on);
    SetCursorPos(on.x, on.y);
    SendMessageW(grid, WM_MOUSEMOVE, 0, MAKELPARAM(cell.left + 8, cell.top + 4));
  }
  Pump(1200);
  ShootWindow(w->Hwnd(), p + "main-preview");
  SetWindowTextW(w->Control(rn::IdComboBox2), L"Photo ");

  // The menus: the main menu's, the operations', the list's and the settings'.
  HWND main = w->Hwnd();
  HMENU bar = GetMenu(main);
  for (int i = 0; bar && i < GetMenuItemCount(bar); ++i) {
    RECT item{};
    GetMenuItemRect(main, bar, static_cast<UINT>(i), &item);
    ShootMenu(main, p + "menu-" + std::to_string(i + 1), [&] {
      TrackPopupMenu(GetSubMenu(bar, i), TPM_LEFTALIGN | TPM_TOPALIGN, item.left, item.bottom, 0, main, nullptr);
    });
  }
  RECT radio = rn::ControlBounds(w->Control(rn::RadioId(rn::kOpReplace)));
  POINT at{radio.left, radio.bottom};
  ClientToScreen(main, &at);
  ShootMenu(main, p + "menu-renamers", [&] { form.panel->ShowRenameMenu(at); });
  RECT cell{};
  rn::GridCellRect(w->Control(rn::IdStringGrid1), rn::ColShortPath, 3, cell);
  POINT inGrid{cell.left + 20, cell.bottom};
  ClientToScreen(w->Control(rn::IdStringGrid1), &inGrid);
  ShootMenu(main, p + "menu-list", [&] { form.ShowListMenu(inGrid); });
  ShootMenu(main, p + "menu-settings", [&] { form.Panel1Click(); });

  // The dialogs.
  ShootForm(L"TFormOption", p + "options", [&] { form.ShowOptions(); });
  ShootForm(L"TFormAbout", p + "about", [&] { form.ShowAbout(); });
  ShootForm(L"TFormSearch", p + "search", [&] { form.SpeedButton4Click(); });

  // The boxes: the folder prompt as a dropped folder raises it, a question
  // with four buttons, a warning, and the input boxes.
  ShootBox(L"TMessageForm", p + "box-folder", [&] { Drop(main, {(folder.path / L"list\\sub folder").wstring()}); });
  ShootBox(L"TMessageForm", p + "box-collision", [&] { rn::ShowDialog(main, rn::CollisionRequest(files[12])); });
  ShootBox(L"TMessageForm", p + "box-warning", [&] {
    rn::ShowDialog(main, {rn::ApplicationTitle(),
                          rn::NotRenamedText(3),
                          rn::DialogIcon::Warning,
                          {rn::Text(rn::TextId::ButtonOk)},
                          {},
                          0,
                          0});
  });
  ShootBox(L"TMessageForm", p + "box-filter", [&] { rn::ShowDialog(main, rn::FilterListRequest()); });
  ShootBox(L"TInputQuery", p + "input-cd", [&] {
    rn::ShowInputBox(main, {rn::Text(rn::TextId::CdNameCaption), rn::Text(rn::TextId::CdNamePrompt),
                            L"track 02 - a very long song title that goes on"});
  });

  // The script editor with a few lines, and the box that names a new script.
  form.Button12Click();
  for (int op : {rn::kOpReplace, rn::kOpNumerate, rn::kOpCreateNames}) {
    form.panel->ChooseOperation(op);
    form.scriptEditor->Button6Click();
  }
  Pump(50);
  ShootWindow(main, p + "main-editor");
  ShootBox(L"TInputQuery", p + "input-script", [&] { form.scriptEditor->Button7Click(); });
  form.scriptEditor->Button13Click();
  w.reset();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: rename_shooter OUTPUT_FOLDER\n");
    return 2;
  }
  g_output = argv[1];
  CreateDirectoryW(g_output.c_str(), nullptr);
  std::printf("shooting at %d pixels per inch\n", rn::ScreenDpi().screen);
  for (const Language& language : {Language{"en", "English"}, Language{"pt", "Portuguese"}}) ShootLanguage(language);
  std::printf("%d pictures saved, %d missed\n", g_saved, g_missed);
  return g_missed == 0 ? 0 : 1;
}
