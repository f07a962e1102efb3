#include "base/Handle_win.h"
#include "ui/MessageBox_win.h"

#include <algorithm>

#include "base/Texts.h"
#include "base/VersionInfo.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/Modal_win.h"

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

constexpr int kFirstButtonId = 100;
constexpr wchar_t kClassName[] = L"TMessageForm";

struct MessageForm : Form {
  const DialogRequest* request = nullptr;
  int answer = -1;
  bool done = false;

  void Answer(int index) {
    answer = index;
    done = true;
  }

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_COMMAND: {
        if (HIWORD(wp) != BN_CLICKED) break;
        const int id = LOWORD(wp);
        if (id == IDCANCEL) {
          if (request->cancelButton >= 0) Answer(request->cancelButton);  // else no way out but a button
        } else if (id == IDOK) {
          HWND focus = GetFocus();
          const int fid = focus ? GetDlgCtrlID(focus) : 0;
          Answer(fid >= kFirstButtonId ? fid - kFirstButtonId : request->defaultButton);
        } else if (id >= kFirstButtonId) {
          Answer(id - kFirstButtonId);
        } else {
          break;
        }
        return 0;
      }
      case WM_CLOSE:
        if (request->cancelButton >= 0) Answer(request->cancelButton);
        return 0;
      default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
};

// Design of the box (pixels at the design resolution; at 96 pixels per inch
// they are the system's own message box measures).
namespace design {
constexpr int kTextWidth = 464, kMargin = 13, kGap = 7, kButtonW = 83, kButtonH = 25, kButtonPadW = 22,
              kButtonPadH = 11;
}  // namespace design

// Where a box asked to stand at (x, y) goes: there, but whole on the work
// area of that screen, so that its buttons can always be reached.
POINT OnWorkArea(int x, int y, int w, int h) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& work = mi.rcWork;
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
  }
  return POINT{x, y};
}

int RunMessageForm(HWND owner, const DialogRequest& req) {
  RegisterFormClass(kClassName, 0, nullptr, DLGWINDOWEXTRA);
  const FontHandle owned(CreateMessageFont());
  const HFONT font = owned.Get();
  const Dpi dpi = ScreenDpi();
  auto s = [&](int v) { return dpi.Scale(v); };

  // Measure the text and the buttons to size the box.
  const std::wstring text = WithCrLf(req.text);
  RECT tr{0, 0, s(design::kTextWidth), 0};
  {
    const WindowDc dc(nullptr);
    const Selected selected(dc.Get(), font);
    DrawTextW(dc.Get(), text.c_str(), -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  }
  int buttonW = s(design::kButtonW);
  for (const auto& b : req.buttons) buttonW = std::max<int>(buttonW, DrawnWidth(font, b) + s(design::kButtonPadW));

  const int margin = s(design::kMargin), gap = s(design::kGap);
  const int iconSize = GetSystemMetrics(SM_CXICON);
  const int buttonH = std::max<int>(s(design::kButtonH), TextHeight(font) + s(design::kButtonPadH));
  LPCWSTR iconId = IconResource(req.icon);
  const int textLeft = margin + (iconId ? iconSize + margin : 0);
  const int nButtons = static_cast<int>(req.buttons.size());
  const int buttonsW = nButtons * buttonW + std::max(0, nButtons - 1) * gap;
  const int clientW = std::max<int>(textLeft + (tr.right - tr.left) + margin, buttonsW + 2 * margin);
  const int bodyH = std::max<int>(iconId ? iconSize : 0, tr.bottom - tr.top);
  const int clientH = margin + bodyH + margin + buttonH + margin;

  const RECT place = CentredBox(owner, clientW, clientH);
  const int boxW = place.right - place.left, boxH = place.bottom - place.top;
  const POINT at = req.placed ? OnWorkArea(req.x, req.y, boxW, boxH) : POINT{place.left, place.top};
  MessageForm form;
  form.request = &req;
  form.answer = req.cancelButton;
  HWND box = CreateForm(&form, kClassName, req.caption, kBoxStyle, kBoxExStyle | (req.topmost ? WS_EX_TOPMOST : 0),
                        at.x, at.y, boxW, boxH, owner);
  if (!box) return req.cancelButton;
  if (req.cancelButton < 0) EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  if (iconId) {
    HWND icon = MakeChild(box, L"STATIC", L"", SS_ICON, 0, Bounds(margin, margin, iconSize, iconSize), nullptr);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, iconId)), 0);
  }
  const int textTop = margin + (bodyH - (tr.bottom - tr.top)) / 2;
  MakeChild(box, L"STATIC", text, SS_LEFT | SS_NOPREFIX, 0,
            Bounds(textLeft, textTop, tr.right - tr.left, tr.bottom - tr.top), font);
  int bx = (clientW - buttonsW) / 2;
  const int by = margin + bodyH + margin;
  HWND defaultHwnd = nullptr;
  for (int i = 0; i < nButtons; ++i) {
    const DWORD bs = WS_TABSTOP | (i == req.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND b = MakeChild(box, L"BUTTON", req.buttons[i], bs, kFirstButtonId + i, Bounds(bx, by, buttonW, buttonH), font);
    if (i < static_cast<int>(req.enabled.size()) && !req.enabled[i]) EnableWindow(b, FALSE);
    if (i == req.defaultButton) defaultHwnd = b;
    bx += buttonW + gap;
  }

  MessageBeep(SoundOf(req.icon));
  {
    ModalScope modal(owner);
    ShowWindow(box, SW_SHOW);
    if (defaultHwnd) SetFocus(defaultHwnd);
    RunModalLoop(box, form.done);
  }
  DestroyWindow(box);
  return form.answer;
}

}  // namespace

void SetDialogResponder(DialogResponder responder) { Responder() = std::move(responder); }

int ShowDialog(HWND owner, const DialogRequest& request) {
  if (Responder()) return Responder()(request);
  return RunMessageForm(owner, request);
}

std::wstring ApplicationTitle() {
  // The executable's name without extension, every letter after the first in lower case.
  std::wstring name = ProgramFilePath();
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  if (name.size() > 1) CharLowerBuffW(&name[1], static_cast<DWORD>(name.size() - 1));
  return name;
}

void ShowInformation(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::Information, {Text(TextId::ButtonOk)}, {}, 0, 0});
}

void ShowWarning(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::Warning, {L"OK"}, {}, 0, 0});
}

void ShowMessagePlain(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::None, {Text(TextId::ButtonOk)}, {}, 0, 0});
}

void ShowErrorBox(HWND owner, const std::wstring& text) {
  ShowDialog(owner, {ApplicationTitle(), text, DialogIcon::Error, {Text(TextId::ButtonOk)}, {}, 0, 0});
}

}  // namespace rn
