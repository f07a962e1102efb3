// The script bar at the bottom of the main window: the chooser of stored
// scripts and its buttons "Run script ..", "Edit", "New" and "Del"; the
// script run, one rename run per line; and the help the editor opens.
#include <windows.h>

#include <optional>

#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "core/ScriptEditor_win.h"
#include "scripts/ScriptStore.h"
#include "ui/Controls_win.h"

namespace rn {

namespace {

std::wstring ChooserText(const TMorvaneFrm1& form) {
  HWND chooser = form.Control(IdComboBox4);
  return ComboItemText(chooser, static_cast<int>(SendMessageW(chooser, CB_GETCURSEL, 0, 0)));
}

// The script the chooser shows, when it is in step with the settings file;
// otherwise "Error ..." and nothing.
std::optional<ChooserChoice> ChosenScript(const TMorvaneFrm1& form) {
  auto choice = CheckChooserEntry(*form.settingsFile, ChooserText(form));
  if (!choice) ShowMessagePlain(form.hwnd, Text(TextId::MsgScriptOutOfStep));
  return choice;
}

}  // namespace

// The empty entry, then "n - name" for every stored script; none chosen.
void TMorvaneFrm1::FillScriptChooser() {
  HWND chooser = Control(IdComboBox4);
  SendMessageW(chooser, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& entry : ChooserEntries(*settingsFile))
    SendMessageW(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void TMorvaneFrm1::ComboBox4Change() {
  const ScriptButtons buttons = ScriptButtonsFor(ChooserText(*this), fileList.Empty());
  EnableWindow(Control(IdButton10), buttons.run);
  EnableWindow(Control(IdButton9), buttons.edit);
  EnableWindow(Control(IdButton11), buttons.del);
}

void TMorvaneFrm1::Button10Click() { RunScript(); }
void TMorvaneFrm1::Button12Click() { MenuCreateScriptClick(); }
void TMorvaneFrm1::MenuCreateScriptClick() {
  MakeScriptEditor();
  scriptEditor->OpenNew();
}
void TMorvaneFrm1::Button11Click() { DeleteChosenScript(); }

void TMorvaneFrm1::Button9Click() {
  // The chooser is checked first, so that a refused "Edit" leaves the
  // information panel as it is.
  if (const auto choice = ChosenScript(*this)) {
    MakeScriptEditor();
    scriptEditor->OpenStored(ReadScriptLines(*settingsFile, choice->number));
  }
}

void TMorvaneFrm1::DeleteChosenScript() {
  const auto choice = ChosenScript(*this);
  if (!choice) return;
  if (DeleteScript(*settingsFile, choice->number) == ScriptChange::Refused) {
    ShowMessagePlain(hwnd, Text(TextId::MsgScriptOutOfStep));
    return;
  }
  // A file that could not be rewritten keeps its old contents, but the handle
  // holds the change (as after any failed write): the chooser shows it.
  FillScriptChooser();
  for (int id : {IdButton11, IdButton10, IdButton9}) EnableWindow(Control(id), FALSE);
}

// Every line is applied to the operation panel and followed by a rename run
// on the list as the previous run left it; each run is one level of undo. A
// line that cannot be applied refuses the whole script before the first
// rename, so that a script never stops half way for that reason.
void TMorvaneFrm1::RunScript() {
  if (ListBusy() || intake.busy) return;
  const auto choice = ChosenScript(*this);
  if (!choice) return;
  const std::vector<ScriptLine> lines = ReadScriptLines(*settingsFile, choice->number);
  if (const auto bad = FirstBadScriptLine(lines)) {
    ShowErrorBox(hwnd, BadScriptLineText(choice->name, *bad));
    EndScriptRun();
    return;
  }
  // Between the runs the list stays busy: additions and a close wait for the end.
  struct ScriptRunScope {
    TMorvaneFrm1& form;
    explicit ScriptRunScope(TMorvaneFrm1& f) : form(f) { form.scriptMode = form.scriptRunning = true; }
    ~ScriptRunScope() {
      form.scriptRunning = false;
      form.EndScriptRun();
    }
  } running(*this);
  for (const ScriptLine& line : lines) {
    if (!hwnd) return;
    const ScriptLineApply applied = PanelFromScriptLine(ScriptLineBody(line), panel->ReadRenameTask());
    if (!applied.task) return;  // read whole above: does not happen
    panel->WriteRenameTask(*applied.task);
    RenameFiles();
  }
}

void TMorvaneFrm1::EndScriptRun() {
  scriptMode = false;
  if (!hwnd) return;
  SendMessageW(Control(IdComboBox4), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  for (int id : {IdButton10, IdButton11, IdButton9}) EnableWindow(Control(id), FALSE);
  SetFocus(hwnd);
  PostMessageW(hwnd, kDrainPendingMessage, 0, 0);
}

}  // namespace rn
