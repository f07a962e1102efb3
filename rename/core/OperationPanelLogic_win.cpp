// Choosing an operation on the panel: the selection logic, the parameter
// slot, the spins and selectors with their change rules, the arrow steps of
// the date, time and counter boxes, and the request read from and written to
// the controls.
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "base/OptionKeys.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "core/OperationPanelParts_win.h"
#include "ui/Controls_win.h"

namespace rn {

using namespace panel;

namespace {

DateTime Now() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return DateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

// Checks the control before giving it the focus: keys must not go where nobody sees them.
void FocusIfShown(HWND control) {
  if (control && IsWindowEnabled(control) && !IsParked(control)) SetFocus(control);
}

// The window's child that holds the focus (a combo box for its edit part).
HWND FocusedChild(HWND window) {
  HWND h = GetFocus();
  while (h && GetParent(h) && GetParent(h) != window) h = GetParent(h);
  return h && GetParent(h) == window ? h : nullptr;
}

AppError NotAnInteger(const std::wstring& text) { return AppError{Text(TextId::MsgNotValidInteger, {text})}; }

}  // namespace

int OperationPanel::CheckedRadio() const {
  for (int op : kPanelOperations)
    if (IsChecked(Control(RadioId(op)))) return op;
  return kNoOperation;
}

void OperationPanel::CheckRadio(int operation) {
  for (int op : kPanelOperations) SetChecked(Control(RadioId(op)), op == operation);
}

// Touching a parameter control chooses its operation, except while a script
// holds the panel or a request is being put on it.
void OperationPanel::TouchChoose(int operation) {
  if (!form_.scriptMode && writing_ == 0) ChooseOperation(operation);
}

void OperationPanel::ArrangeSlot() {
  const Dpi& dpi = form_.dpi;
  auto s = [&](int v) { return dpi.Scale(v); };
  const int labelLeft = ControlBounds(Control(IdLabelRenameTo)).left;
  const int top = s(kSlotTop);
  const int park = ParkX(dpi);
  const int op = form_.currentOperation;
  // The texts of 1, 2 and 18 take fields: their button stands between them and the label.
  const bool fields = SlotMade() && (op == kOpAddFromBegin || op == kOpAddFromEnd || op == kOpCreateNames);
  const int right = fields ? labelLeft - WidthOf(Control(IdFieldButton)) - s(2) : labelLeft;
  const SlotContent content = SlotContentFor(op);
  auto at = [&](SlotContent c, int width) { return content == c ? right - width : park; };
  MoveControlTo(Control(IdComboBox2), at(SlotContent::RenameTo, WidthOf(Control(IdComboBox2))), top);
  if (!SlotMade()) return;  // the rest waits, parked, until an operation is chosen
  MoveControlTo(Control(IdFieldButton), fields ? labelLeft - WidthOf(Control(IdFieldButton)) : park, top);
  MoveControlTo(Control(IdBevel22), at(SlotContent::EmptyFrame, WidthOf(Control(IdBevel22))), top);
  PlaceAttributes(at(SlotContent::Attributes, WidthOf(Control(IdGroupBox1))), top);
  MoveControlTo(Control(IdComboBox3), at(SlotContent::DateFormat, WidthOf(Control(IdComboBox3))), top);
  // The name parts narrow rather than run into the filter's label.
  const int partsRoom = right - ControlBounds(Control(IdLabelFileTypes)).right - s(4);
  const int partsW =
      content == SlotContent::NameParts ? std::clamp(partsRoom, s(kPartsWidth) / 2, s(kPartsWidth)) : s(kPartsWidth);
  PlaceNameParts(at(SlotContent::NameParts, partsW), top, partsW);
  PlaceReplaceBoxes(form_.currentOperation == kOpReplace);
  const int dateW = WidthOf(Control(IdEditDate)), timeW = WidthOf(Control(IdEditTime));
  if (content == SlotContent::StartNumber) {
    PlaceArrowBox(form_.hwnd, kDateBox, dpi, right - s(kStartNumberWidth), top, s(kStartNumberWidth));
    PlaceArrowBox(form_.hwnd, kTimeBox, dpi, park, top, timeW);
  } else if (content == SlotContent::DateAndTime) {
    const int timeLeft = right - timeW;
    PlaceArrowBox(form_.hwnd, kTimeBox, dpi, timeLeft, top, timeW);
    PlaceArrowBox(form_.hwnd, kDateBox, dpi, timeLeft - 2 - s(kDateWidth), top, s(kDateWidth));
  } else {
    PlaceArrowBox(form_.hwnd, kDateBox, dpi, park, top, dateW);
    PlaceArrowBox(form_.hwnd, kTimeBox, dpi, park, top, timeW);
  }
}

// The selector's change rule (a step, a refresh, or entering its bar).
void OperationPanel::SelectorChanged(const Selector& sel) {
  ShowSelectorText(sel);
  const int pos = GetScrollPos(Control(sel.bar), SB_CTL);
  if (&sel == &kAddDatePart) {
    const bool on = pos != kDatePartTime;
    EnableWindow(Control(IdComboBox3), on);
    if (on) FocusIfShown(Control(IdComboBox3));
  } else if (&sel == &kCaseMode) {
    const bool had = GetFocus() == Control(sel.bar);
    TouchChoose(kOpConvertCase);
    if (had) SetFocus(Control(sel.bar));
  } else if (&sel == &kSetDatePart) {
    const bool dateOn = pos != kDatePartTime, timeOn = pos != kDatePartDate;
    EnableArrowBox(form_.hwnd, kDateBox, dateOn);
    EnableArrowBox(form_.hwnd, kTimeBox, timeOn);
    TouchChoose(kOpChangeDateTime);
    if (dateOn)
      FocusIfShown(Control(IdEditDate));
    else if (timeOn)
      FocusIfShown(Control(IdEditTime));
  } else if (&sel == &kNumberStyle) {
    TouchChoose(kOpNumerate);
    FocusIfShown(Control(IdEditDate));
  }
}

// A selector moved to a position: held to its range and wrapped; the change
// rule runs when the position changed (or always, for a refresh).
void OperationPanel::SetSelector(const Selector& sel, int position, bool refresh) {
  HWND bar = Control(sel.bar);
  const int clamped = std::clamp(position, sel.range.min, sel.range.max);
  if (clamped == GetScrollPos(bar, SB_CTL) && !refresh) return;
  SetScrollPos(bar, SB_CTL, WrapSelector(sel.range, clamped), TRUE);
  SelectorChanged(sel);
}

// A spin moved to a position: held to its range and wrapped; its box shows the
// value when the position changed.
void OperationPanel::SetSpin(const Spin& spin, int position) {
  HWND bar = Control(spin.bar);
  const int clamped = std::clamp(position, kSpinMin, kSpinMax);
  if (clamped == GetScrollPos(bar, SB_CTL)) return;
  const int wrapped = WrapSpinPosition(clamped);
  SetScrollPos(bar, SB_CTL, wrapped, TRUE);
  const std::wstring text = std::to_wstring(-wrapped);
  HWND edit = Control(spin.edit);
  if (WindowText(edit) != text) {
    ++syncing_;
    SetWindowTextW(edit, text.c_str());
    --syncing_;
  }
}

// The spin box's text becomes the bar's position.
void OperationPanel::SpinTextChanged(const Spin& spin) {
  if (syncing_) return;
  const std::wstring text = WindowText(Control(spin.edit));
  const std::optional<int> number = ParseInteger(text);
  if (!number) throw NotAnInteger(text);
  SetSpin(spin, SpinPositionForNumber(*number));
}

void OperationPanel::StepDateBox(bool up) {
  HWND box = Control(IdEditDate);
  const std::wstring text = WindowText(box);
  if (form_.currentOperation == kOpChangeDateTime) {
    const std::optional<DateTime> date = locale_.readShortDate(text);
    if (!date) throw AppError{Text(TextId::MsgNotValidDate, {text})};
    SetWindowTextW(box, locale_.shortDate(AddOneDay(*date, up)).c_str());
  } else if (form_.currentOperation == kOpNumerate) {
    SetWindowTextW(box, StepLeadingDigits(text, up).c_str());
  }
}

void OperationPanel::StepTimeBox(bool up) {
  HWND box = Control(IdEditTime);
  DateTime shown;  // midnight when the text is no time
  if (const std::optional<DateTime> time = locale_.readLongTime(WindowText(box))) {
    const int ms = StepTimeOfDay(((time->hour * 60 + time->minute) * 60 + time->second) * 1000, up);
    const int seconds = ms / 1000;
    shown.hour = seconds / 3600;
    shown.minute = seconds / 60 % 60;
    shown.second = seconds % 60;
  }
  SetWindowTextW(box, locale_.longTime(shown).c_str());
}

void OperationPanel::StepCounterBox(bool up) {
  if (form_.currentOperation != kOpCreateNames) return;
  HWND box = Control(IdEditCreat);
  const std::wstring text = WindowText(box);
  const std::optional<std::wstring> next = StepCounter(text, up);
  if (!next) throw NotAnInteger(text);
  SetWindowTextW(box, next->c_str());
}

bool OperationPanel::ChooseOperation(int operation) {
  if (!HasRadioButton(operation)) return false;
  if (IsChecked(Control(RadioId(operation)))) return false;
  CheckRadio(operation);
  SelectOperation(false);
  return true;
}

void OperationPanel::SelectOperation(bool fromScript) {
  // A run in progress keeps its operation.
  if (form_.runLock) {
    CheckRadio(form_.lockedOperation);
    return;
  }
  if (!fromScript) form_.currentOperation = CheckedRadio();
  const int op = form_.currentOperation;
  form_.MakeSlotControls();
  const SlotContent content = SlotContentFor(op);
  // The "Rename to" box takes the focus when it is the one going to the slot.
  if (content == SlotContent::RenameTo) SetFocus(Control(IdComboBox2));
  // An interactive choice starts from fresh values.
  if (!fromScript) {
    if (op == kOpAttributes)
      for (const AttributeBox& b : kAttributeBoxes) SetChecked(Control(b.id), false);
    if (op == kOpNumerate) SetWindowTextW(Control(IdEditDate), L"001");
    if (op == kOpChangeDateTime) {
      const DateTime now = Now();
      const std::wstring today = locale_.shortDate(now);
      const std::wstring date =
          form_.settingsFile ? ReadOption(*form_.settingsFile, options::kDateChanged, today) : today;
      SetWindowTextW(Control(IdEditDate), date.c_str());
      SetWindowTextW(Control(IdEditTime), locale_.longTime(now).c_str());
    }
    if (op == kOpCreateNames) SetWindowTextW(Control(IdEditCreat), L"001");
  }
  ShowSlotLabel();
  if (op != kOpCapitalize) SetChecked(Control(IdCheckBox5), false);
  if (op != kOpChangeDateTime) EnableArrowBox(form_.hwnd, kDateBox, true);
  ArrangeSlot();
  if (content == SlotContent::StartNumber) SetSelector(kNumberStyle, BarPosition(IdScrollBar8), true);
  if (content == SlotContent::DateAndTime) SetSelector(kSetDatePart, BarPosition(IdScrollBar7), true);
  if (content == SlotContent::DateFormat) SetSelector(kAddDatePart, BarPosition(IdScrollBar2), true);
  // Keys must not go to a control that was just parked.
  if (HWND focus = FocusedChild(form_.hwnd); focus && IsParked(focus)) Focus();
}

void OperationPanel::Focus() {
  HWND to = Control(IdComboBox2);
  if (to && !IsParked(to)) {
    SetFocus(to);
    return;
  }
  if (HasRadioButton(form_.currentOperation))
    SetFocus(Control(RadioId(form_.currentOperation)));
  else
    SetFocus(form_.hwnd);
}

void OperationPanel::FirstShow() {
  SetSelector(kAddDatePart, kDatePartDate, false);
  ArrangeSlot();
}

// ---------------------------------------------------------------------------
// Reading and writing the request

RenameTask OperationPanel::ReadRenameTask() const {
  form_.MakeSlotControls();  // their defaults are part of the request
  auto value = [&](int bar) { return std::abs(GetScrollPos(Control(bar), SB_CTL)); };
  auto text = [&](int id) { return WindowText(Control(id)); };
  auto checked = [&](int id) { return IsChecked(Control(id)); };
  RenameTask t;
  t.Operation = form_.currentOperation;
  t.RenameTo = text(IdComboBox2);
  t.ReplaceWith = text(IdEdit4a);
  t.InsertAt = value(IdScrollBar3);
  t.TrimCount = value(IdScrollBar4);
  t.TrimAt = value(IdScrollBar5);
  t.KeepHead = value(IdScrollBar10);
  t.KeepTail = value(IdScrollBar11);
  t.EveryWord = checked(IdCheckBox5);
  t.ReplacePattern = checked(IdCheckPattern);
  t.ReplaceIgnoreCase = checked(IdCheckIgnoreCase);
  t.CaseMode = BarPosition(IdScrollBar6);
  t.Attributes.ReadOnly = checked(IdCheckBox1);
  t.Attributes.Archive = checked(IdCheckBox2);
  t.Attributes.Hidden = checked(IdCheckBox3);
  t.Attributes.System = checked(IdCheckBox4);
  t.SetDatePart = BarPosition(IdScrollBar7);
  t.NewDate = text(IdEditDate);
  t.NewTime = text(IdEditTime);
  t.AddDatePart = BarPosition(IdScrollBar2);
  t.DateFormat = text(IdComboBox3);
  t.NumberStyle = BarPosition(IdScrollBar8);
  t.StartNumber = text(IdEditDate);
  t.Prefix = text(IdComboBoxCreat1);
  t.CounterStart = text(IdEditCreat);
  t.Suffix = text(IdComboBoxCreat2);
  return t;
}

void OperationPanel::WriteRenameTask(const RenameTask& t) {
  form_.MakeSlotControls();
  form_.currentOperation = t.Operation;
  ChooseOperation(t.Operation);
  // While the request goes on the panel, touching a control chooses nothing.
  struct Writing {
    int& count;
    explicit Writing(int& c) : count(++c) {}
    ~Writing() { --count; }
  };
  {
    Writing writing(writing_);
    auto text = [&](int id, const std::wstring& value) { SetWindowTextW(Control(id), value.c_str()); };
    auto spin = [&](int bar, int value) { SetBarPosition(bar, SpinPositionForNumber(value)); };
    text(IdComboBox2, t.RenameTo);
    text(IdEditDate, t.Operation == kOpNumerate ? t.StartNumber : t.NewDate);
    // The format box is a pick list: a pattern it does not offer leaves it at "[default]".
    HWND formats = Control(IdComboBox3);
    const LRESULT found = SendMessageW(formats, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(t.DateFormat.c_str()));
    SendMessageW(formats, CB_SETCURSEL, found == CB_ERR ? 0 : found, 0);
    spin(IdScrollBar3, t.InsertAt);
    SetChecked(Control(IdCheckBox5), t.EveryWord);
    SetChecked(Control(IdCheckPattern), t.ReplacePattern);
    SetChecked(Control(IdCheckIgnoreCase), t.ReplaceIgnoreCase);
    SetBarPosition(IdScrollBar2, t.AddDatePart);
    SetBarPosition(IdScrollBar6, t.CaseMode);
    spin(IdScrollBar4, t.TrimCount);
    spin(IdScrollBar5, t.TrimAt);
    text(IdEdit4a, t.ReplaceWith);
    text(IdEditTime, t.NewTime);
    SetBarPosition(IdScrollBar7, t.SetDatePart);
    text(IdComboBoxCreat1, t.Prefix);
    text(IdEditCreat, t.CounterStart);
    text(IdComboBoxCreat2, t.Suffix);
    SetChecked(Control(IdCheckBox3), t.Attributes.Hidden);
    SetChecked(Control(IdCheckBox2), t.Attributes.Archive);
    SetChecked(Control(IdCheckBox1), t.Attributes.ReadOnly);
    SetChecked(Control(IdCheckBox4), t.Attributes.System);
    SetBarPosition(IdScrollBar8, t.NumberStyle);
    spin(IdScrollBar10, t.KeepHead);
    spin(IdScrollBar11, t.KeepTail);
  }
  SelectOperation(true);
}

int OperationPanel::BarPosition(int barId) const { return GetScrollPos(Control(barId), SB_CTL); }

void OperationPanel::SetBarPosition(int barId, int position) {
  if (const Spin* spin = SpinWith(barId); spin && spin->bar == barId)
    SetSpin(*spin, position);
  else if (const Selector* sel = SelectorWith(barId); sel && sel->bar == barId)
    SetSelector(*sel, position, false);
}

void OperationPanel::EnableCounterControls(bool enabled) { EnableArrowBox(form_.hwnd, kCounterBox, enabled); }

}  // namespace rn
