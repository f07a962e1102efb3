// What the operation panel's controls tell the window: clicks on the radio
// buttons and the "Rename(rs)" menu, the arrows of spins, selectors and boxes,
// typed keys and their filters, focus moves, and the panel's context menu.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "core/OperationPanelParts_win.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"

namespace rn {

using namespace panel;

namespace {

// The control's messages that matter to the panel go to the window before
// and after the control sees them; the window answers through its own
// procedure, so that the one thunk guards it. A nonzero answer before the
// control sees the message swallows it.
LRESULT ForwardHook(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR) {
  switch (msg) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
      ControlEvent e{control, msg, wp, lp};
      const HWND owner = GetParent(control);
      if (SendMessageW(owner, kPanelEventMessage, kBefore, reinterpret_cast<LPARAM>(&e))) return 0;
      const LRESULT result = CallControl(control, msg, wp, lp);
      SendMessageW(owner, kPanelEventMessage, kAfter, reinterpret_cast<LPARAM>(&e));
      return result;
    }
    default: return CallControl(control, msg, wp, lp);
  }
}

void ShowMinVisible(HWND combo, LRESULT lines) {
  SendMessageW(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max<LRESULT>(lines, 1)), 0);
}

}  // namespace

void panel::ForwardEvents(HWND control) { HookControl(control, ForwardHook); }

bool OperationPanel::CommandMessage(int id, int code) {
  if (id >= IdRenameMenuFirst && id < IdRenameMenuFirst + static_cast<int>(kOperationCatalogue.size()) && code == 0) {
    const CatalogueEntry& e = kOperationCatalogue[static_cast<size_t>(id - IdRenameMenuFirst)];
    ChooseOperation(e.id);
    if (e.id == kOpCapitalize) SetChecked(Control(IdCheckBox5), e.everyWord);
    return true;
  }
  if ((id == IdFieldButton || id == IdFieldButton4) && code == BN_CLICKED) {
    FieldButtonClick(id);
    return true;
  }
  if (id >= IdFieldMenuFirst && id < IdFieldMenuFirst + static_cast<int>(FieldMenuEntries().size()) && code == 0) {
    InsertField(static_cast<size_t>(id - IdFieldMenuFirst));
    return true;
  }
  if ((id == IdComboBoxCreat1 || id == IdComboBoxCreat2) && code == CBN_SETFOCUS) {
    lastNamePart_ = id;
    return false;
  }
  if (id > IdRadioButton0 && id <= RadioId(kOpTrimBetween) && code == BN_CLICKED) {
    ChooseOperation(id - IdRadioButton0);
    return true;
  }
  if (id == IdCheckBox5 && code == BN_CLICKED) {
    if (IsChecked(Control(IdCheckBox5))) TouchChoose(kOpCapitalize);
    return true;
  }
  if (const Spin* spin = SpinWith(id); spin && spin->edit == id && code == EN_CHANGE) {
    SpinTextChanged(*spin);
    return true;
  }
  if (id == IdComboBox2 && code == CBN_DROPDOWN) {
    const LRESULT n = SendMessageW(Control(id), CB_GETCOUNT, 0, 0);
    ShowMinVisible(Control(id), n > 7 ? 8 : n);
    return true;
  }
  if (id == IdComboBox4a && code == CBN_DROPDOWN) {
    const LRESULT n = SendMessageW(Control(id), CB_GETCOUNT, 0, 0);
    if (n < 12) ShowMinVisible(Control(id), n);
    return true;
  }
  if (id == IdComboBox4a && code == CBN_SELCHANGE) {
    // A picked entry becomes the replacement text; the list forgets the
    // pick so that the same entry can be picked again.
    HWND history = Control(id);
    const LRESULT i = SendMessageW(history, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return true;
    const std::wstring entry = ComboItemText(history, static_cast<int>(i));
    SendMessageW(history, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ChooseOperation(kOpReplace);
    HWND box = Control(IdEdit4a);
    SetWindowTextW(box, entry.c_str());
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, entry.size(), entry.size());
    return true;
  }
  return false;
}

bool OperationPanel::ScrollMessage(HWND bar, int code, int thumb) {
  if (!bar || GetParent(bar) != form_.hwnd) return false;
  const int id = GetDlgCtrlID(bar);
  const bool up = code == SB_LINEUP || code == SB_PAGEUP;
  const bool down = code == SB_LINEDOWN || code == SB_PAGEDOWN;
  const bool dragged = code == SB_THUMBPOSITION || code == SB_THUMBTRACK;
  const int pos = GetScrollPos(bar, SB_CTL);
  const int target = up ? pos - 1 : down ? pos + 1 : dragged ? thumb : pos;
  if (const Spin* spin = SpinWith(id); spin && spin->bar == id) {
    if (up || down || dragged) SetSpin(*spin, target);
    std::optional<int> choice;
    if (up || down) {
      if (id == IdScrollBar3) choice = ArrowChoice(ArrowBar::InsertAt, up, form_.currentOperation, form_.scriptMode);
      if (id == IdScrollBar4 || id == IdScrollBar5)
        choice = ArrowChoice(ArrowBar::Trim, up, form_.currentOperation, form_.scriptMode);
    }
    if (choice) ChooseOperation(*choice);
    return true;
  }
  if (const Selector* sel = SelectorWith(id); sel && sel->bar == id) {
    if (up || down || dragged) SetSelector(*sel, target, false);
    if (sel == &kAddDatePart && (up || down))
      if (auto choice = ArrowChoice(ArrowBar::AddDatePart, up, form_.currentOperation, form_.scriptMode))
        ChooseOperation(*choice);
    return true;
  }
  if (id == IdScrollDate || id == IdScrollTime || id == IdScrollBarCreat) {
    if (up || down) {
      if (id == IdScrollDate)
        StepDateBox(up);
      else if (id == IdScrollTime)
        StepTimeBox(up);
      else
        StepCounterBox(up);
    }
    SetScrollPos(bar, SB_CTL, 0, TRUE);
    return true;
  }
  return false;
}

bool OperationPanel::ContextMenuMessage(HWND from, POINT pt) {
  // Over the bare panel or a radio button: the "Rename(rs)" menu.
  const HWND window = form_.hwnd;
  const int fromId = from == window ? 0 : GetDlgCtrlID(from);
  const bool radio = fromId > IdRadioButton0 && fromId <= RadioId(kOpTrimBetween);
  if (from == window) {
    POINT client = pt;
    ScreenToClient(window, &client);
    const RECT area = ControlBounds(Control(IdPanelRadio));
    if (!shown_ || !PtInRect(&area, client)) return false;
  } else if (!radio) {
    return false;
  }
  if (pt.x == -1 && pt.y == -1) {
    const RECT r = ControlBounds(from == window ? Control(IdPanelRadio) : from);
    pt = POINT{r.left, r.bottom};
    ClientToScreen(window, &pt);
  }
  ShowRenameMenu(pt);
  return true;
}

bool OperationPanel::ControlEventMessage(WPARAM phase, LPARAM event, LRESULT& result) {
  const auto& e = *reinterpret_cast<const ControlEvent*>(event);
  const int id = GetDlgCtrlID(e.control);
  const bool before = phase == kBefore;
  result = 0;
  if (e.msg == WM_CHAR && before) {
    const wchar_t c = static_cast<wchar_t>(e.wp);
    std::optional<KeyFilter> filter;
    if (SpinWith(id))
      filter = KeyFilter::Spin;
    else if (id == IdEditDate || id == IdEditCreat)
      filter = KeyFilter::DateBox;
    else if (id == IdEditTime)
      filter = KeyFilter::TimeBox;
    else if (id == IdEdit4a)
      filter = IsChecked(Control(IdCheckPattern)) ? KeyFilter::PatternReplacement : KeyFilter::Replacement;
    bool inField = false;
    if (id == IdEdit4a) {
      DWORD start = 0;
      SendMessageW(e.control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
      inField = InField(WindowText(e.control), start);
    }
    if (filter && !KeyAccepted(*filter, c, form_.DateSeparator(), locale_.timeSeparator, inField)) result = 1;
    return true;
  }
  if (e.msg == WM_KEYDOWN && before) {
    const Spin* spin = SpinWith(id);
    if (spin && spin->edit == id && (e.wp == VK_UP || e.wp == VK_DOWN)) {
      const int pos = GetScrollPos(Control(spin->bar), SB_CTL);
      SetSpin(*spin, e.wp == VK_UP ? pos - 1 : pos + 1);
      result = 1;
    }
    return true;
  }
  if (e.msg == WM_KILLFOCUS && before) {
    // Leaving a spin box for another control of the window checks its number
    // once the focus has moved; a message box taking the focus is no leaving.
    const Spin* spin = SpinWith(id);
    const HWND to = reinterpret_cast<HWND>(e.wp);
    if (spin && spin->edit == id && to && (to == form_.hwnd || IsChild(form_.hwnd, to)))
      PostMessageW(form_.hwnd, kSpinLeftMessage, static_cast<WPARAM>(id), 0);
    return true;
  }
  const Selector* sel = SelectorWith(id);
  if ((e.msg == WM_LBUTTONDOWN || e.msg == WM_LBUTTONDBLCLK) && before) {
    if (sel && sel->edit == id) {
      // Clicking a selector's text gives the focus to its arrows.
      SetFocus(Control(sel->bar));
      result = 1;
    } else if ((sel && sel->bar == id) || id == IdScrollBar10 || id == IdScrollBar11) {
      if (GetFocus() != e.control) SetFocus(e.control);
    }
    return true;
  }
  if (e.msg == WM_LBUTTONUP && !before && id == IdEdit4a) {
    TouchChoose(kOpReplace);
    SetFocus(e.control);
    SendMessageW(e.control, EM_SETSEL, 0, -1);
    return true;
  }
  if (e.msg == WM_SETFOCUS && !before && !entering_) {
    // Entering a bar runs its rule once, even when the rule moves the focus.
    struct Entering {
      bool& flag;
      explicit Entering(bool& f) : flag(f) { flag = true; }
      ~Entering() { flag = false; }
    } entering(entering_);
    if (id == IdScrollBar10 || id == IdScrollBar11)
      ChooseOperation(kOpTrimBetween);
    else if (sel && (sel == &kCaseMode || sel == &kNumberStyle) && id == sel->bar)
      SelectorChanged(*sel);
  }
  return true;
}

bool OperationPanel::Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  switch (msg) {
    case WM_COMMAND: return CommandMessage(LOWORD(wp), HIWORD(wp));
    case WM_VSCROLL: return ScrollMessage(reinterpret_cast<HWND>(lp), LOWORD(wp), static_cast<short>(HIWORD(wp)));
    case WM_CTLCOLORSTATIC: {
      // The selectors are read-only boxes that look like ordinary ones.
      const HWND box = reinterpret_cast<HWND>(lp);
      const int id = GetDlgCtrlID(box);
      const Selector* sel = SelectorWith(id);
      if (!sel || sel->edit != id || !IsWindowEnabled(box)) return false;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    }
    case WM_CONTEXTMENU:
      return ContextMenuMessage(reinterpret_cast<HWND>(wp), POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    case kSpinLeftMessage:
      if (const Spin* spin = SpinWith(static_cast<int>(wp)); spin && spin->edit == static_cast<int>(wp))
        SpinTextChanged(*spin);
      return true;
    case kPanelEventMessage: return ControlEventMessage(wp, lp, result);
    default: return false;
  }
}

}  // namespace rn
