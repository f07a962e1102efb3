// The controls that start out of sight, made at their first need: a start
// makes only what the window shows, and a user who never opens the script
// editor never waits for it.
#include <windows.h>

#include <commctrl.h>

#include "base/OptionKeys.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "core/ScriptEditor_win.h"
#include "ui/CharPosit_win.h"
#include "ui/Controls_win.h"
#include "ui/InfoPanel_win.h"
#include "ui/Panel_win.h"

namespace rn {

// The attribute boxes, the date and time boxes, the date formats and the
// prefix / counter / suffix group; with them come the remembered prefixes
// and suffixes and the stored date format.
void TMorvaneFrm1::MakeSlotControls() {
  if (slotMade_ || !panel) return;
  slotMade_ = true;
  panel->CreateSlotControls();
  AttachEditMenu({IdComboBoxCreat2, IdEditDate});
  StackFrames();
  panel->ParkOptionalControls(ParkX(dpi));
  if (settingsFile) {
    SettingsFile::Batch reading(*settingsFile);
    LoadRememberedNameParts();
    HWND formats = Control(IdComboBox3);
    const std::wstring format = ReadOption(*settingsFile, options::kDateFormat);
    LRESULT found =
        SendMessageW(formats, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(format.c_str()));
    SendMessageW(formats, CB_SETCURSEL, found == CB_ERR ? 0 : found, 0);
  }
  panel->ArrangeSlot();
}

void TMorvaneFrm1::MakeInfoPanel() {
  if (Control(IdPanelInfo)) return;
  HWND info = CreateInfoPanel(hwnd, IdPanelInfo, Bounds(ParkX(dpi), 0, dpi.Scale(300), dpi.Scale(60)), font_, dpi);
  // The open script editor covers it like the rest of the bottom.
  if (scriptEditor) AddStyle(info, WS_CLIPSIBLINGS);
  StackFrames();
}

void TMorvaneFrm1::MakeScriptEditor() {
  if (scriptEditor) return;
  MakePanel(hwnd, IdPanel2, Bounds(ParkX(dpi), 0, dpi.Scale(630), dpi.Scale(340)), PanelEdge::Frame);
  scriptEditor = std::make_unique<ScriptEditor>(*this);
  scriptEditor->Create();
  StackFrames();
  ApplyLayout(true);  // its height follows the window's
}

void TMorvaneFrm1::MakeProgressPanel() {
  if (Control(IdPanel4)) return;
  MakePanel(hwnd, IdPanel4, Bounds(ParkX(dpi), 0, dpi.Scale(300), dpi.Scale(30)), PanelEdge::Frame);
  MakeChild(hwnd, PROGRESS_CLASSW, L"", PBS_SMOOTH, IdProgressBar1, Bounds(ParkX(dpi), 0, dpi.Scale(288), dpi.Scale(18)),
            font_);
  StackFrames();
}

void TMorvaneFrm1::MakeCharStrip() {
  if (!Control(IdPanelCharPosit)) CreateCharPositPanel(hwnd, IdPanelCharPosit, font_, dpi);
}

void TMorvaneFrm1::MakeHints() {
  if (hintsMade_ || !panel) return;
  hintsMade_ = true;
  ApplyHints();
  panel->MakeHints();
}

HWND TMorvaneFrm1::MadeControl(int id) {
  if (HWND control = Control(id)) return control;
  MakeSlotControls();
  MakeInfoPanel();
  MakeScriptEditor();
  MakeProgressPanel();
  MakeCharStrip();
  MakeHints();
  return Control(id);
}

}  // namespace rn
