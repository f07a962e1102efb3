// The main window in the language of the settings: captions, hints, menus,
// the operation panel's texts and the message texts the program shows.
#include <windows.h>

#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "core/ScriptEditor_win.h"
#include "ui/Controls_win.h"
#include "ui/InfoPanel_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

namespace {

struct ControlText {
  int id;
  TextId text;
};

// Captions of the main window's own controls (the add button's follows the list).
constexpr ControlText kCaptions[] = {{IdLabelFileTypes, TextId::Label2}, {IdButton2, TextId::Button2},
                                     {IdButton4, TextId::Button4},       {IdButton5, TextId::Button5},
                                     {IdButton10, TextId::Button10},     {IdButton9, TextId::Button9},
                                     {IdButton12, TextId::Button12},     {IdButton11, TextId::Button11}};

constexpr ControlText kHints[] = {
    {IdScrollBar1, TextId::ScrollBar1Hint},     {IdPanel1, TextId::Panel1Hint},
    {IdSpeedButton3, TextId::SpeedButton3Hint}, {IdSpeedButton2, TextId::SpeedButton2Hint},
    {IdSpeedButton4, TextId::SpeedButton4Hint}, {IdSpeedButton1, TextId::SpeedButton1Hint},
    {IdSpeedButton5, TextId::SpeedButton5Hint}, {IdComboBox1, TextId::ComboBox1Hint}};

}  // namespace

void TMorvaneFrm1::ApplyLanguage(const std::wstring& setting) {
  // The window paints once, when every caption is in its place.
  const bool drawn = hwnd && IsWindowVisible(hwnd);
  if (drawn) SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
  struct RedrawAtTheEnd {
    HWND window;
    bool drawn;
    ~RedrawAtTheEnd() {
      if (!drawn) return;
      SendMessageW(window, WM_SETREDRAW, TRUE, 0);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
  } redraw{hwnd, drawn};
  // A value that names neither language applies no table: the controls keep
  // their texts, and the messages stay in the language last applied.
  if (const std::optional<Language> language = LanguageFromSetting(setting)) {
    SetShownLanguage(*language);
    for (const ControlText& c : kCaptions) SetWindowTextW(Control(c.id), Text(c.text).c_str());
    FitLabelWidth(Control(IdLabelFileTypes));
    // Hints are made when the mouse first comes over the window.
    if (hintsMade_) ApplyHints();
    RetextMenus(menus_);
    RetextInfoPanel(Control(IdPanelInfo));
    if (scriptEditor) scriptEditor->ApplyTexts();
    ShowRunCount();
  }
  // The inline controls are placed over their captions and the selectors
  // show their values, whatever the setting.
  panel->ApplyTexts(PanelTexts(ShownLanguage()));
  SetWindowTextW(Control(IdButton1), Text(fileList.Empty() ? TextId::Button1Add : TextId::Button1More).c_str());
  LayoutTopLine();
  panel->ArrangeSlot();
  // The window grows where the new language's captions need more room.
  if (const int more = panel->ReplaceBoxesShortfall(); more > 0) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left + more, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FormResize();  // the buttons take the width their captions need
}

void TMorvaneFrm1::ApplyHints() {
  if (!hintTip_) hintTip_ = CreateTooltip(hwnd);
  for (const ControlText& c : kHints) {
    if (c.id == IdComboBox1)
      SetComboTip(hintTip_, hwnd, Control(c.id), Text(c.text));
    else
      SetTip(hintTip_, hwnd, Control(c.id), Text(c.text));
  }
}

}  // namespace rn
