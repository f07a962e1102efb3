#include "ui/InputBox_win.h"

#include <algorithm>

#include "base/Handle_win.h"
#include "base/Texts.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/Modal_win.h"

namespace rn {

namespace {

InputResponder& TextResponder() {
  static InputResponder responder;
  return responder;
}

constexpr wchar_t kInputClass[] = L"TInputQuery";
constexpr int kInputEdit = 10;

// Design of the box (pixels at the design resolution; at 96 pixels per inch
// they are the system's own input query measures).
namespace design {
constexpr int kClientW = 375, kMargin = 13, kPromptTop = 11, kPromptH = 20, kEditTop = 35, kEditH = 24;
constexpr int kButtonsTop = 80, kButtonW = 83, kButtonH = 28, kButtonGap = 7, kButtonPadW = 22, kBottom = 14;
}  // namespace design

struct InputForm : Form {
  bool done = false;
  bool ok = false;

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_COMMAND:
        if ((LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) && HIWORD(wp) == BN_CLICKED) {
          ok = LOWORD(wp) == IDOK;
          done = true;
          return 0;
        }
        break;
      case WM_CLOSE: done = true; return 0;
      default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
};

}  // namespace

void SetInputResponder(InputResponder responder) { TextResponder() = std::move(responder); }

std::optional<std::wstring> ShowInputBox(HWND owner, const InputRequest& request) {
  if (TextResponder()) return TextResponder()(request);
  RegisterFormClass(kInputClass, 0, nullptr, DLGWINDOWEXTRA);
  const FontHandle owned(CreateMessageFont());
  const HFONT font = owned.Get();
  const Dpi dpi = ScreenDpi();
  auto s = [&](int v) { return dpi.Scale(v); };
  using namespace design;

  // The prompt on one line, the box below it, the buttons at the bottom
  // right: each as large as its text needs in the system's font.
  const int margin = s(kMargin), line = TextHeight(font);
  const std::wstring ok(Text(TextId::ButtonOk)), cancel(Text(TextId::ButtonCancel));
  const int buttonW =
      std::max({s(kButtonW), DrawnWidth(font, ok) + s(kButtonPadW), DrawnWidth(font, cancel) + s(kButtonPadW)});
  const int clientW =
      std::max({s(kClientW), DrawnWidth(font, request.prompt) + 2 * margin, 2 * buttonW + s(kButtonGap) + 2 * margin});
  const int promptH = std::max(s(kPromptH), line + s(2));
  const int editTop = std::max(s(kEditTop), s(kPromptTop) + promptH + s(4)), editH = std::max(s(kEditH), line + s(8));
  const int buttonsTop = std::max(s(kButtonsTop), editTop + editH + s(14)),
            buttonH = std::max(s(kButtonH), line + s(11));
  const RECT place = CentredBox(owner, clientW, buttonsTop + buttonH + s(kBottom));
  InputForm form;
  HWND box = CreateForm(&form, kInputClass, request.caption, kBoxStyle, kBoxExStyle, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, owner);
  if (!box) return std::nullopt;
  const int innerW = clientW - 2 * margin;
  MakeChild(box, L"STATIC", request.prompt, SS_LEFT | SS_NOPREFIX, 0, Bounds(margin, s(kPromptTop), innerW, promptH),
            font);
  HWND edit = MakeChild(box, L"EDIT", request.value, WS_TABSTOP | ES_AUTOHSCROLL, kInputEdit,
                        Bounds(margin, editTop, innerW, editH), font, WS_EX_CLIENTEDGE);
  const int cancelLeft = clientW - margin - buttonW;
  MakeChild(box, L"BUTTON", ok, WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK,
            Bounds(cancelLeft - s(kButtonGap) - buttonW, buttonsTop, buttonW, buttonH), font);
  MakeChild(box, L"BUTTON", cancel, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL,
            Bounds(cancelLeft, buttonsTop, buttonW, buttonH), font);
  std::optional<std::wstring> result;
  {
    ModalScope modal(owner);
    ShowWindow(box, SW_SHOW);
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    RunModalLoop(box, form.done);
    if (form.ok) result = WindowText(edit);
  }
  DestroyWindow(box);
  return result;
}

}  // namespace rn
