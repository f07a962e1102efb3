#include "dialogs/Dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "core/Forms_win.h"

namespace rn {

namespace {

DialogResponder& Responder() {
  static DialogResponder responder;
  return responder;
}

// Lone CRs are line breaks in the program's messages; the static control wants CR LF.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r') {
      out += L"\r\n";
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else if (c == L'\n') {
      out += L"\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

LPCWSTR IconResource(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::Information: return IDI_INFORMATION;
    case DialogIcon::Warning: return IDI_WARNING;
    case DialogIcon::Error: return IDI_ERROR;
    case DialogIcon::Question: return IDI_QUESTION;
    default: return nullptr;
  }
}

UINT SoundOf(DialogIcon icon) {
  switch (icon) {
    case DialogIcon::Information: return MB_ICONINFORMATION;
    case DialogIcon::Warning: return MB_ICONWARNING;
    case DialogIcon::Error: return MB_ICONERROR;
    case DialogIcon::Question: return MB_ICONQUESTION;
    default: return MB_OK;
  }
}

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// The window of a box with the given client size, centred on its owner (or
// on the work area when it has none on the screen).
RECT CentredBox(HWND owner, int clientW, int clientH) {
  RECT wr{0, 0, clientW, clientH};
  AdjustWindowRectEx(&wr, kBoxStyle, FALSE, kBoxExStyle);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  RECT area{};
  if (owner && IsWindowVisible(owner))
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const int x = area.left + ((area.right - area.left) - w) / 2, y = area.top + ((area.bottom - area.top) - h) / 2;
  return RECT{x, y, x + w, y + h};
}

// The system's message font; the caller deletes it.
HFONT MessageFont() {
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  return CreateFontIndirectW(&ncm.lfMessageFont);
}

// The window class of a box, registered once.
void RegisterBoxClass(const wchar_t* name, WNDPROC proc) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(inst, name, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = name;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  RegisterClassExW(&wc);
}

// Runs a box's messages until `done` is set; a WM_QUIT is left for the main loop.
void RunModalLoop(HWND box, const bool& done) {
  MSG m;
  while (!done) {
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (got < 0) break;
    if (!IsDialogMessageW(box, &m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
}

constexpr int kFirstButtonId = 100;
constexpr wchar_t kClassName[] = L"TMessageForm";

struct MessageForm {
  const DialogRequest* request = nullptr;
  int answer = -1;
  bool done = false;
};

LRESULT CALLBACK MessageFormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* form = reinterpret_cast<MessageForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  try {
    switch (msg) {
      case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        break;
      }
      case WM_COMMAND:
        if (form && HIWORD(wp) == BN_CLICKED) {
          int id = LOWORD(wp);
          if (id == IDCANCEL) {
            if (form->request->cancelButton < 0) return 0;  // no way out but a button
            form->answer = form->request->cancelButton;
          } else if (id == IDOK) {
            HWND focus = GetFocus();
            int fid = focus ? GetDlgCtrlID(focus) : 0;
            form->answer = (fid >= kFirstButtonId) ? fid - kFirstButtonId : form->request->defaultButton;
          } else if (id >= kFirstButtonId) {
            form->answer = id - kFirstButtonId;
          } else {
            break;
          }
          form->done = true;
          return 0;
        }
        break;
      case WM_CLOSE:
        if (form && form->request->cancelButton >= 0) {
          form->answer = form->request->cancelButton;
          form->done = true;
        }
        return 0;
      default: break;
    }
  } catch (...) {
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int RunMessageForm(HWND owner, const DialogRequest& req) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  RegisterBoxClass(kClassName, MessageFormProc);

  HFONT font = MessageFont();

  // Measure the text and the buttons to size the box.
  const std::wstring text = WithCrLf(req.text);
  HDC dc = GetDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT tr{0, 0, 420, 0};
  DrawTextW(dc, text.c_str(), -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  int buttonW = 75;
  for (const auto& b : req.buttons) {
    SIZE s{};
    GetTextExtentPoint32W(dc, b.c_str(), static_cast<int>(b.size()), &s);
    buttonW = std::max<int>(buttonW, s.cx + 20);
  }
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, oldFont);
  ReleaseDC(nullptr, dc);

  const int margin = 12, iconSize = 32, gap = 6, buttonH = std::max<int>(23, tm.tmHeight + 10);
  LPCWSTR iconId = IconResource(req.icon);
  const int textLeft = margin + (iconId ? iconSize + margin : 0);
  const int nButtons = static_cast<int>(req.buttons.size());
  const int buttonsW = nButtons * buttonW + std::max(0, nButtons - 1) * gap;
  const int clientW = std::max<int>(textLeft + (tr.right - tr.left) + margin, buttonsW + 2 * margin);
  const int bodyH = std::max<int>(iconId ? iconSize : 0, tr.bottom - tr.top);
  const int clientH = margin + bodyH + margin + buttonH + margin;

  DWORD exStyle = kBoxExStyle;
  const RECT place = CentredBox(owner, clientW, clientH);
  const int w = place.right - place.left, h = place.bottom - place.top;
  int x = place.left, y = place.top;
  if (req.placed) x = req.x, y = req.y;
  if (req.topmost) exStyle |= WS_EX_TOPMOST;

  MessageForm form;
  form.request = &req;
  form.answer = req.cancelButton;
  HWND box =
      CreateWindowExW(exStyle, kClassName, req.caption.c_str(), kBoxStyle, x, y, w, h, owner, nullptr, inst, &form);
  if (!box) {
    DeleteObject(font);
    return req.cancelButton;
  }
  if (req.cancelButton < 0) EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  if (iconId) {
    HWND icon = CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, margin, margin, iconSize,
                                iconSize, box, nullptr, inst, nullptr);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, iconId)), 0);
  }
  const int textTop = margin + (bodyH - (tr.bottom - tr.top)) / 2;
  HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft,
                               textTop, tr.right - tr.left, tr.bottom - tr.top, box, nullptr, inst, nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int bx = (clientW - buttonsW) / 2;
  const int by = margin + bodyH + margin;
  HWND defaultHwnd = nullptr;
  for (int i = 0; i < nButtons; ++i) {
    DWORD bs = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == req.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND b = CreateWindowExW(0, L"BUTTON", req.buttons[i].c_str(), bs, bx, by, buttonW, buttonH, box,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)), inst, nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (i < static_cast<int>(req.enabled.size()) && !req.enabled[i]) EnableWindow(b, FALSE);
    if (i == req.defaultButton) defaultHwnd = b;
    bx += buttonW + gap;
  }

  MessageBeep(SoundOf(req.icon));
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(box, SW_SHOW);
  if (defaultHwnd) SetFocus(defaultHwnd);

  RunModalLoop(box, form.done);
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  DestroyWindow(box);
  DeleteObject(font);
  if (owner) SetActiveWindow(owner);
  return form.answer;
}

}  // namespace

void SetDialogResponder(DialogResponder responder) { Responder() = std::move(responder); }

namespace {

OpenFilesResponder& FilesResponder() {
  static OpenFilesResponder responder;
  return responder;
}

BrowseResponder& FolderResponder() {
  static BrowseResponder responder;
  return responder;
}

// The browser opens on the folder it was given.
int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data) {
  if (msg == BFFM_INITIALIZED && data) SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

void SetOpenFilesResponder(OpenFilesResponder responder) { FilesResponder() = std::move(responder); }
void SetBrowseResponder(BrowseResponder responder) { FolderResponder() = std::move(responder); }

OpenFilesResult ShowOpenFiles(HWND owner, const OpenFilesRequest& request) {
  if (FilesResponder()) return FilesResponder()(request);
  // The filter list: "name\0pattern\0" pairs, ended by an empty pair.
  std::wstring filter;
  for (size_t i = 0; i < request.filterNames.size() && i < request.filterPatterns.size(); ++i) {
    filter += request.filterNames[i];
    filter += L'\0';
    filter += request.filterPatterns[i];
    filter += L'\0';
  }
  filter += L'\0';
  // Room for many names: a multi-selection comes back as folder, then names.
  std::vector<wchar_t> buffer(1 << 20, L'\0');
  request.fileName.copy(buffer.data(), std::min(request.fileName.size(), buffer.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex + 1);
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  OpenFilesResult result;
  result.filterIndex = request.filterIndex;
  if (!GetOpenFileNameW(&ofn)) return result;
  result.ok = true;
  result.filterIndex = ofn.nFilterIndex > 0 ? static_cast<int>(ofn.nFilterIndex) - 1 : 0;
  const wchar_t* p = buffer.data();
  std::wstring first = p;
  p += first.size() + 1;
  if (*p == L'\0') {
    result.paths.push_back(first);  // one file: its full path
  } else {
    if (!first.empty() && first.back() != L'\\') first += L'\\';
    for (; *p; p += wcslen(p) + 1) result.paths.push_back(first + p);
  }
  return result;
}

std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) {
  if (FolderResponder()) return FolderResponder()({title, initialFolder});
  BROWSEINFOW bi{};
  bi.hwndOwner = owner;
  bi.lpszTitle = title.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  bi.lpfn = BrowseCallback;
  bi.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&bi);
  if (!picked) return std::nullopt;
  std::wstring path(MAX_PATH * 8, L'\0');
  const bool ok = SHGetPathFromIDListEx(picked, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(picked);
  if (!ok) return std::nullopt;
  path.resize(wcslen(path.c_str()));
  return path;
}

int ShowDialog(HWND owner, const DialogRequest& request) {
  if (Responder()) return Responder()(request);
  return RunMessageForm(owner, request);
}

std::wstring ApplicationTitle() {
  // The executable's name without extension, every letter after the first in lower case.
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring name(path, n);
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  if (name.size() > 1) CharLowerBuffW(&name[1], static_cast<DWORD>(name.size() - 1));
  return name;
}

void ShowInformation(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::Information, {L"OK"}, {}, 0, 0});
}

void ShowMessagePlain(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::None, {L"OK"}, {}, 0, 0});
}

void ShowErrorBox(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::Error, {L"OK"}, {}, 0, 0});
}

}  // namespace rn

// ---------------------------------------------------------------------------
// The input box

namespace rn {

namespace {

InputResponder& TextResponder() {
  static InputResponder responder;
  return responder;
}

constexpr wchar_t kInputClass[] = L"TInputQuery";
constexpr int kInputEdit = 10;

struct InputForm {
  bool done = false;
  bool ok = false;
};

LRESULT CALLBACK InputFormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* form = reinterpret_cast<InputForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
      break;
    case WM_COMMAND:
      if (form && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) && HIWORD(wp) == BN_CLICKED) {
        form->ok = LOWORD(wp) == IDOK;
        form->done = true;
        return 0;
      }
      break;
    case WM_CLOSE:
      if (form) form->done = true;
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void SetInputResponder(InputResponder responder) { TextResponder() = std::move(responder); }

std::optional<std::wstring> ShowInputBox(HWND owner, const InputRequest& request) {
  if (TextResponder()) return TextResponder()(request);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  RegisterBoxClass(kInputClass, InputFormProc);
  HFONT font = MessageFont();
  const RECT place = CentredBox(owner, 340, 110);
  InputForm form;
  HWND box = CreateWindowExW(kBoxExStyle, kInputClass, request.caption.c_str(), kBoxStyle, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, owner, nullptr, inst, &form);
  if (!box) {
    DeleteObject(font);
    return std::nullopt;
  }
  auto child = [&](const wchar_t* cls, const std::wstring& text, DWORD st, int id, int x, int y, int cw, int ch,
                   DWORD ex = 0) {
    HWND c = CreateWindowExW(ex, cls, text.c_str(), WS_CHILD | WS_VISIBLE | st, x, y, cw, ch, box,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, nullptr);
    SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
  };
  child(L"STATIC", request.prompt, SS_LEFT | SS_NOPREFIX, 0, 12, 10, 316, 18);
  HWND edit = child(L"EDIT", request.value, WS_TABSTOP | ES_AUTOHSCROLL, kInputEdit, 12, 32, 316, 22, WS_EX_CLIENTEDGE);
  child(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 172, 72, 75, 25);
  child(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 253, 72, 75, 25);
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(box, SW_SHOW);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  RunModalLoop(box, form.done);
  std::optional<std::wstring> result;
  if (form.ok) result = WindowText(edit);
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  DestroyWindow(box);
  DeleteObject(font);
  if (owner) SetActiveWindow(owner);
  return result;
}

}  // namespace rn
