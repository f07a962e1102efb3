#include "ui/InputBox_win.h"

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
  HFONT font = CreateMessageFont();
  const RECT place = CentredBox(owner, 340, 110);
  InputForm form;
  HWND box = CreateForm(&form, kInputClass, request.caption, kBoxStyle, kBoxExStyle, place.left, place.top,
                        place.right - place.left, place.bottom - place.top, owner);
  if (!box) {
    DeleteObject(font);
    return std::nullopt;
  }
  MakeChild(box, L"STATIC", request.prompt, SS_LEFT | SS_NOPREFIX, 0, Bounds(12, 10, 316, 18), font);
  HWND edit = MakeChild(box, L"EDIT", request.value, WS_TABSTOP | ES_AUTOHSCROLL, kInputEdit, Bounds(12, 32, 316, 22),
                        font, WS_EX_CLIENTEDGE);
  MakeChild(box, L"BUTTON", Text(TextId::ButtonOk), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, Bounds(172, 72, 75, 25), font);
  MakeChild(box, L"BUTTON", Text(TextId::ButtonCancel), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, Bounds(253, 72, 75, 25), font);
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
  DeleteObject(font);
  return result;
}

}  // namespace rn
