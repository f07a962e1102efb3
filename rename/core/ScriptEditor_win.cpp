#include "core/ScriptEditor_win.h"

#include <algorithm>

#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "scripts/ScriptStore.h"
#include "ui/Controls_win.h"
#include "ui/Form_win.h"
#include "ui/InputBox_win.h"
#include "ui/MessageBox_win.h"

namespace rn {

namespace {

constexpr int kButtonIds[] = {IdButton6, IdButton15, IdButton14, IdButton8, IdButton7, IdButton13};
constexpr TextId kButtonTexts[] = {TextId::Button6, TextId::Button15, TextId::Button14,
                                   TextId::Button8, TextId::Button7,  TextId::Button13};

// Design sizes: the list leaves 94 pixels below it for the button row and the
// help spot, and is 20 narrower than the editor.
constexpr int kListTop = 8;
constexpr int kListMargin = 10;
constexpr int kBelowList = 94;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kHelpBelowRow = 40;
constexpr int kHelpHeight = 18;
constexpr int kHelpIcon = 16;

// Panel2 is a frame that lets clicks through to what lies beneath; the editor
// keeps them (the file list is hidden behind it) and hears its controls.
LRESULT EditorPanelHook(HWND panel, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR data) {
  auto* editor = reinterpret_cast<ScriptEditor*>(data);
  switch (msg) {
    case WM_NCHITTEST: return HTCLIENT;
    case WM_MEASUREITEM:
      if (wp == IdListBox1) {
        editor->MeasureLine(*reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
        return TRUE;
      }
      break;
    case WM_DRAWITEM:
      if (wp == IdListBox1) {
        editor->DrawLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
      }
      break;
    case WM_COMMAND:
      if (editor->Command(LOWORD(wp), HIWORD(wp))) return 0;
      break;
    case WM_SIZE: {
      const LRESULT result = CallControl(panel, msg, wp, lp);
      editor->Layout();
      return result;
    }
    default: break;
  }
  return CallControl(panel, msg, wp, lp);
}

std::wstring ItemText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void AddItem(HWND list, const std::wstring& text) {
  SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int SelectedItem(HWND list) { return static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)); }

}  // namespace

ScriptEditor::ScriptEditor(TMorvaneFrm1& form) : form_(form) {}

ScriptEditor::~ScriptEditor() {
}

void ScriptEditor::Create() {
  panel_ = form_.Control(IdPanel2);
  AddStyle(panel_, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
  HookControl(panel_, EditorPanelHook, reinterpret_cast<DWORD_PTR>(this));
  // What the open editor covers must not paint over it.
  for (int id : {IdComboBox4, IdButton9, IdButton10, IdButton11, IdButton12, IdPanelInfo})
    AddStyle(form_.Control(id), WS_CLIPSIBLINGS);

  const HFONT font = form_.Font();
  const RECT none = Bounds(0, 0, 0, 0);
  MakeChild(panel_, L"LISTBOX", L"",
            WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
            IdListBox1, none, font, WS_EX_CLIENTEDGE);
  for (int id : kButtonIds) MakeChild(panel_, L"BUTTON", L"", WS_TABSTOP | BS_PUSHBUTTON, id, none, font);
  const int icon = form_.dpi.Scale(kHelpIcon);
  helpIconOwner_.Reset(helpIcon_ = static_cast<HICON>(LoadImageW(nullptr, IDI_QUESTION, IMAGE_ICON, icon, icon, 0)));
  HWND image = MakeChild(panel_, L"STATIC", L"", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, IdImage2, none, font);
  SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(helpIcon_), 0);
  MakeChild(panel_, L"STATIC", L"", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY, IdPanel3, none, font);
  EnableWindow(Control(IdButton15), FALSE);
  EnableWindow(Control(IdButton14), FALSE);
  ApplyTexts();
}

void ScriptEditor::ApplyTexts() {
  for (size_t i = 0; i < std::size(kButtonIds); ++i)
    SetWindowTextW(Control(kButtonIds[i]), Text(kButtonTexts[i]).c_str());
  SetWindowTextW(Control(IdPanel3), Text(TextId::Panel3).c_str());
  Layout();
}

void ScriptEditor::Layout() {
  if (!panel_) return;
  RECT r{};
  GetClientRect(panel_, &r);
  auto s = [&](int v) { return form_.dpi.Scale(v); };
  const int left = s(kListMargin);
  const int listW = std::max(0, static_cast<int>(r.right) - 2 * left);
  const int listH = std::max(0, static_cast<int>(r.bottom) - s(kBelowList));
  MoveControl(Control(IdListBox1), left, s(kListTop), listW, listH);

  // One row of equal buttons wide enough for the longest caption, narrowed
  // to the list's width when the editor is small.
  const HFONT font = form_.Font();
  int buttonW = s(84);
  for (int id : kButtonIds) buttonW = std::max(buttonW, DrawnWidth(font, WindowText(Control(id))) + s(16));
  const int gap = s(kButtonGap), count = static_cast<int>(std::size(kButtonIds));
  buttonW = std::max(s(20), std::min(buttonW, (listW - (count - 1) * gap) / count));
  const int rowTop = s(kListTop) + listH + s(4);
  for (int i = 0; i < count; ++i)
    MoveControl(Control(kButtonIds[i]), left + i * (buttonW + gap), rowTop, buttonW, s(kButtonHeight));

  const int helpTop = rowTop + s(kHelpBelowRow);
  const int icon = s(kHelpIcon);
  MoveControl(Control(IdImage2), left, helpTop + (s(kHelpHeight) - icon) / 2, icon, icon);
  HWND caption = Control(IdPanel3);
  MoveControl(caption, left + icon, helpTop, DrawnWidth(font, WindowText(caption)) + s(4), s(kHelpHeight));
}

// The list shows a line's hint, the text before its first TAB. It draws the
// hint itself: a tab stop far right would hide the rest as well, but some
// systems then paint the gap over the last letter's overhang.
void ScriptEditor::MeasureLine(MEASUREITEMSTRUCT& item) const {
  item.itemHeight = static_cast<UINT>(TextHeight(form_.Font()) + 2);
}

void ScriptEditor::DrawLine(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const std::wstring hint = ScriptLineHint(ItemText(item.hwndItem, static_cast<int>(item.itemID)));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const HGDIOBJ old = SelectObject(item.hDC, form_.Font());
  r.left += 2;
  DrawTextW(item.hDC, hint.c_str(), static_cast<int>(hint.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(item.hDC, old);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

bool ScriptEditor::IsOpen() const { return panel_ && !IsParked(panel_); }

std::vector<ScriptLine> ScriptEditor::Lines() const {
  HWND list = Control(IdListBox1);
  std::vector<ScriptLine> lines;
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) lines.push_back(ItemText(list, i));
  return lines;
}

// ---------------------------------------------------------------------------
// Opening and closing

void ScriptEditor::OpenNew() {
  form_.scriptMode = false;
  Open(false, {});
}

void ScriptEditor::OpenStored(const std::vector<ScriptLine>& lines) {
  Open(true, lines);
  form_.scriptMode = true;
}

void ScriptEditor::Open(bool stored, const std::vector<ScriptLine>& lines) {
  if (form_.infoPanelOpen) {
    form_.ToggleInfoPanel();
    infoPanelWasOpen_ = true;
  }
  editingStoredScript_ = stored;
  HWND list = Control(IdListBox1);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const ScriptLine& line : lines) AddItem(list, line);

  // Over the file list, from its top to the window's bottom, above everything there.
  const int top = ControlBounds(form_.Control(IdStringGrid1)).top;
  SetWindowPos(panel_, HWND_TOP, 0, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  form_.FormResize();
  // The new names' counts speak of the list the editor now covers.
  ShowWindow(form_.Control(IdPreviewStatus), SW_HIDE);

  HWND move = form_.Control(IdScrollBar1);
  EnableWindow(move, FALSE);
  if (stored) ShowWindow(move, SW_HIDE);
  // No line is selected yet: nothing to apply or replace.
  EnableWindow(Control(IdButton15), FALSE);
  EnableWindow(Control(IdButton14), FALSE);
}

void ScriptEditor::Close() {
  HWND move = form_.Control(IdScrollBar1);
  EnableWindow(move, form_.fileList.EntryCount() > 1);
  Park(panel_, form_.dpi);
  ShowWindow(form_.Control(IdPreviewStatus), SW_SHOWNA);
  if (form_.panel->Shown()) ShowWindow(move, SW_SHOWNA);
  form_.scriptMode = false;
  if (infoPanelWasOpen_ && !form_.infoPanelOpen) form_.ToggleInfoPanel();
  infoPanelWasOpen_ = false;
}

// ---------------------------------------------------------------------------
// Handlers

bool ScriptEditor::Command(int id, int code) {
  if (id == IdListBox1) {
    if (code == LBN_SELCHANGE) ListBox1Click();
    if (code == LBN_DBLCLK) Button15Click();
    return true;
  }
  if (code != BN_CLICKED) return false;  // STN_CLICKED of the help spot is the same value
  switch (id) {
    case IdButton6: Button6Click(); return true;
    case IdButton15: Button15Click(); return true;
    case IdButton14: Button14Click(); return true;
    case IdButton8: Button8Click(); return true;
    case IdButton7: Button7Click(); return true;
    case IdButton13: Button13Click(); return true;
    case IdImage2:
    case IdPanel3: Panel3MouseDown(); return true;
    default: return false;
  }
}

void ScriptEditor::Button6Click() { AddOrReplaceLine(false); }
void ScriptEditor::Button14Click() { AddOrReplaceLine(true); }
void ScriptEditor::Button13Click() { Close(); }
void ScriptEditor::Panel3MouseDown() { form_.ShowHelpContext(kScriptHelpContext, true); }

void ScriptEditor::ListBox1Click() { EnableWindow(Control(IdButton15), SelectedItem(Control(IdListBox1)) >= 0); }

void ScriptEditor::AddOrReplaceLine(bool replace) {
  const OperationPanel& panel = *form_.panel;
  const int operation = form_.currentOperation;
  const ScriptLineBuild built =
      BuildScriptLine(panel.ReadRenameTask(), panel.RadioHint(operation), panel.RadioCaption(operation));
  if (built.refusal != LineRefusal::None) {
    ShowMessagePlain(form_.hwnd, built.message);
    if (built.refusal == LineRefusal::NoRenameTo) SetFocus(form_.Control(IdComboBox2));
    return;
  }
  HWND list = Control(IdListBox1);
  if (!replace) {
    AddItem(list, built.line);
    return;
  }
  const int at = SelectedItem(list);
  if (at < 0) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(built.line.c_str()));
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
  EnableWindow(Control(IdButton14), FALSE);
}

// The line goes on the panel as a run applies it: no selector chooses an
// operation of its own meanwhile. A line that does not read leaves the panel
// as it was.
void ScriptEditor::Button15Click() {
  HWND list = Control(IdListBox1);
  const int at = SelectedItem(list);
  if (at < 0) return;
  OperationPanel& panel = *form_.panel;
  const ScriptLineApply applied = PanelFromScriptLine(ScriptLineBody(ItemText(list, at)), panel.ReadRenameTask());
  if (!applied.task) {
    ShowErrorBox(form_.hwnd, applied.error);
    return;
  }
  panel.WriteRenameTask(*applied.task);
  EnableWindow(Control(IdButton14), TRUE);
}

void ScriptEditor::Button8Click() {
  HWND list = Control(IdListBox1);
  const int at = SelectedItem(list);
  if (at < 0) return;
  SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  if (SendMessageW(list, LB_GETCOUNT, 0, 0) == 0) {
    EnableWindow(Control(IdButton15), FALSE);
    EnableWindow(Control(IdButton14), FALSE);
  }
}

void ScriptEditor::Button7Click() {
  if (Lines().empty()) {
    ShowInformation(form_.hwnd, Text(TextId::MsgScriptEmpty));
    return;
  }
  if (!SaveScript()) return;
  SendMessageW(Control(IdListBox1), LB_RESETCONTENT, 0, 0);
  Close();
}

// Saves the list as a new script (its name asked for) or in place of the
// edited one, and shows it in the chooser, chosen. False when nothing was
// saved: the editor stays open.
bool ScriptEditor::SaveScript() {
  SettingsFile& ini = *form_.settingsFile;
  HWND chooser = form_.Control(IdComboBox4);
  const std::vector<ScriptLine> lines = Lines();
  ScriptSave saved;
  if (!editingStoredScript_) {
    const std::wstring ask = Text(TextId::MsgScriptName);
    const auto name = ShowInputBox(form_.hwnd, {ask, ask + L" :", L""});
    if (!name || !IsScriptName(*name)) return false;
    saved = SaveNewScript(ini, *name, lines);
    if (saved.change == ScriptChange::Refused) return false;
    const std::wstring entry = ChooserEntry(saved.number, saved.name);
    SendMessageW(chooser, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  } else {
    const int current = static_cast<int>(SendMessageW(chooser, CB_GETCURSEL, 0, 0));
    if (const auto choice = ParseChooserEntry(ComboItemText(chooser, current)))
      saved = SaveEditedScript(ini, choice->number, choice->name, lines);
    if (saved.change == ScriptChange::Refused) {
      ShowMessagePlain(form_.hwnd, Text(TextId::MsgScriptOutOfStep));
      return false;
    }
    const std::wstring entry = ChooserEntry(saved.number, saved.name);
    SendMessageW(chooser, CB_DELETESTRING, static_cast<WPARAM>(current), 0);
    SendMessageW(chooser, CB_INSERTSTRING, static_cast<WPARAM>(current), reinterpret_cast<LPARAM>(entry.c_str()));
  }
  // A file that could not be rewritten keeps its old contents, but the
  // handle holds the change (as after any failed write): the chooser shows it.
  EnableWindow(chooser, TRUE);
  SendMessageW(chooser, CB_SETCURSEL, static_cast<WPARAM>(saved.number), 0);
  form_.ComboBox4Change();
  return true;
}

}  // namespace rn
