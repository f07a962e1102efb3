#include "ui/CharPosit_win.h"

#include <memory>

#include "base/Texts.h"
#include "filelist/FileInfo.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/Strip_win.h"

namespace rn {

namespace {

constexpr int kWidth = 416, kHeight = 24;

struct CharPositForm : Form {
  Dpi dpi;
  std::wstring name;
  int counter = 0;

  HWND Child(int id) const { return GetDlgItem(hwnd, id); }

  void Show(int value) {
    if (value == counter) return;
    counter = value;
    SetWindowTextW(Child(kCharPositCounterId), std::to_wstring(value).c_str());
  }
  // The box speaks in UTF-16 units; the counter shows characters, so a
  // character beyond U+FFFF counts once.
  void Reached(int unitIndex) { Show(CharPositionCounter(counter, unitIndex, name)); }

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_COMMAND && LOWORD(wp) == kCharPositCloseId && HIWORD(wp) == BN_CLICKED) CloseCharPosit(hwnd);
    LRESULT result = 0;
    if (HandleStripMessage(hwnd, msg, wp, lp, result)) return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
};

CharPositForm* FormOf(HWND panel) { return rn::FormOf<CharPositForm>(panel, kCharPositClassName); }

// Units before the caret; with a selection the caret is the end that moved.
int CaretIndex(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) return static_cast<int>(start);
  POINT caret{};
  if (!GetCaretPos(&caret)) return static_cast<int>(end);
  const LRESULT hit = SendMessageW(edit, EM_CHARFROMPOS, 0, MAKELPARAM(caret.x, caret.y));
  return static_cast<int>(LOWORD(hit));
}

// The box reports where the pointer and the caret are; the box itself behaves as usual.
LRESULT EditHook(HWND edit, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR ref) {
  const LRESULT result = CallControl(edit, msg, wp, lp);
  auto* form = reinterpret_cast<CharPositForm*>(ref);
  if (msg == WM_MOUSEMOVE) {
    const LRESULT hit = SendMessageW(edit, EM_CHARFROMPOS, 0, lp);
    form->Reached(hit == -1 ? -1 : static_cast<int>(LOWORD(hit)));
  } else if (msg == WM_KEYUP) {
    form->Reached(CaretIndex(edit));
  }
  return result;
}

}  // namespace

HWND CreateCharPositPanel(HWND parent, int id, HFONT font, const Dpi& dpi) {
  auto owner = std::make_unique<CharPositForm>();
  CharPositForm* form = owner.get();
  form->dpi = dpi;
  auto s = [&](int v) { return dpi.Scale(v); };
  HWND panel = CreateStrip(std::move(owner), kCharPositClassName, parent, id,
                           Bounds(ParkX(form->dpi), 0, s(kWidth), s(kHeight)));
  if (!panel) return nullptr;
  MakeChild(panel, L"STATIC", L"0", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, kCharPositCounterId,
            Bounds(s(3), s(2), s(20), s(20)), font);
  HWND edit = MakeChild(panel, L"EDIT", L"", ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, kCharPositEditId,
                        Bounds(s(26), s(2), s(kWidth) - s(26) - s(26), s(20)), font, WS_EX_CLIENTEDGE);
  MakeChild(panel, L"BUTTON", Text(TextId::CloseButton), BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, kCharPositCloseId,
            Bounds(s(kWidth) - s(23), s(3), s(18), s(18)), font);
  HookControl(edit, EditHook, reinterpret_cast<DWORD_PTR>(form));
  return panel;
}

void OpenCharPosit(HWND panel, const std::wstring& fileName, int x, int y) {
  CharPositForm* form = FormOf(panel);
  if (!form) return;
  form->name = fileName;
  HWND edit = form->Child(kCharPositEditId);
  SetWindowTextW(edit, fileName.c_str());
  form->counter = 0;
  SetWindowTextW(form->Child(kCharPositCounterId), L"0");
  // Over the list: above every sibling.
  SetWindowPos(panel, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, 0, 0);
  SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void CloseCharPosit(HWND panel) {
  CharPositForm* form = FormOf(panel);
  if (!form) return;
  // The focus must not stay in a box nobody can see.
  HWND focus = GetFocus();
  if (focus && (focus == panel || IsChild(panel, focus))) SetFocus(GetParent(panel));
  Park(panel, form->dpi);
}

bool CharPositIsOpen(HWND panel) { return FormOf(panel) && !IsParked(panel); }

std::wstring CharPositCounterText(HWND panel) {
  CharPositForm* form = FormOf(panel);
  return form ? WindowText(form->Child(kCharPositCounterId)) : std::wstring();
}

}  // namespace rn
