// What the operation panel's own files share: its spins and selectors, the
// attribute boxes, the slot's optional controls, its design sizes, and the
// message by which its controls tell the window about keys, clicks and focus.
#pragma once
#include <windows.h>

#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/PatternReplace.h"
#include "ui/ArrowBox_win.h"

namespace rn {

struct OperationPanel::Spin {
  int edit, bar;
  bool threeDigits;
  constexpr ArrowBox Box() const { return {edit, bar}; }
};

struct OperationPanel::Selector {
  int edit, bar;
  SelectorRange range;
  int initial;
  constexpr ArrowBox Box() const { return {edit, bar}; }
};

namespace panel {

// Design sizes.
inline constexpr int kLineHeight = 14;
inline constexpr int kSlotTop = 4;
inline constexpr int kFrameWidth = 150;
inline constexpr int kStartNumberWidth = 94;
inline constexpr int kDateWidth = 77;
inline constexpr int kTimeWidth = 92;
inline constexpr int kDateFormatWidth = 104;
inline constexpr int kPartsWidth = 254;  // the prefix / counter / suffix group
inline constexpr int kLeftColumn = 8;
inline constexpr int kRightColumn = 300;
// The inline offset that puts a control right over its caption's marker.
inline constexpr int kMarkerOffset = 14;

using Spin = OperationPanel::Spin;
using Selector = OperationPanel::Selector;

inline constexpr Spin kSpins[] = {{IdSpin3, IdScrollBar3, true},
                                  {IdSpin4, IdScrollBar4, true},
                                  {IdSpin5, IdScrollBar5, true},
                                  {IdSpin10, IdScrollBar10, false},
                                  {IdSpin11, IdScrollBar11, false}};

inline constexpr Selector kAddDatePart{IdEdit5, IdScrollBar2, kDatePartRange, kDatePartDate};
inline constexpr Selector kCaseMode{IdEdit6, IdScrollBar6, kCaseRange, kCaseUpper};
inline constexpr Selector kSetDatePart{IdEdit7, IdScrollBar7, kDatePartRange, kDatePartDate};
inline constexpr Selector kNumberStyle{IdEdit8, IdScrollBar8, kNumberStyleRange, kNumberName};
inline constexpr const Selector* kSelectors[] = {&kAddDatePart, &kCaseMode, &kSetDatePart, &kNumberStyle};

inline constexpr ArrowBox kDateBox{IdEditDate, IdScrollDate};
inline constexpr ArrowBox kTimeBox{IdEditTime, IdScrollTime};
inline constexpr ArrowBox kCounterBox{IdEditCreat, IdScrollBarCreat};

inline const Spin* SpinWith(int id) {
  for (const Spin& s : kSpins)
    if (s.edit == id || s.bar == id) return &s;
  return nullptr;
}
inline const Selector* SelectorWith(int id) {
  for (const Selector* s : kSelectors)
    if (s->edit == id || s->bar == id) return s;
  return nullptr;
}

// The attribute boxes left to right with their captions and hints.
struct AttributeBox {
  int id;
  TextId caption;
  TextId hint;
};
inline constexpr AttributeBox kAttributeBoxes[] = {{IdCheckBox3, TextId::CheckBox3, TextId::CheckBox3Hint},
                                                   {IdCheckBox2, TextId::CheckBox2, TextId::CheckBox2Hint},
                                                   {IdCheckBox1, TextId::CheckBox1, TextId::CheckBox1Hint},
                                                   {IdCheckBox4, TextId::CheckBox4, TextId::CheckBox4Hint}};

// Controls the slot takes in turn; all but the "Rename to" box start parked.
inline constexpr int kOptionalControls[] = {
    IdComboBox2,  IdBevel22,        IdGroupBox1,  IdCheckBox3,      IdCheckBox2,     IdCheckBox1,
    IdCheckBox4,  IdEditDate,       IdScrollDate, IdEditTime,       IdScrollTime,    IdComboBox3,
    IdPanelCreat, IdComboBoxCreat1, IdEditCreat,  IdScrollBarCreat, IdComboBoxCreat2, IdCheckPattern, IdCheckIgnoreCase,
    IdFieldButton};

// A control's message passed to the window before and after the control saw it.
inline constexpr UINT kPanelEventMessage = WM_APP + 0x310;
// A spin box lost the focus to another control of the window.
inline constexpr UINT kSpinLeftMessage = WM_APP + 0x311;
struct ControlEvent {
  HWND control;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};
enum EventPhase : WPARAM { kBefore = 0, kAfter = 1 };
// The panel's boxes and bars tell the window about keys, clicks and focus.
void ForwardEvents(HWND control);

}  // namespace panel
}  // namespace rn
