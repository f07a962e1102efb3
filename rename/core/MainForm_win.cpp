// The main window's life: start-up, first showing, shutdown, the layout of
// its regions, and the dispatch of its commands to their handlers.
#include "core/MainForm_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "base/DateLocale.h"
#include "base/FileIo.h"
#include "base/FileSystem_win.h"
#include "base/LongPath.h"
#include "base/OptionKeys.h"
#include "base/SettingsPlace.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "base/VersionInfo.h"
#include "core/OperationPanel_win.h"
#include "core/RememberedLists.h"
#include "core/ScriptEditor_win.h"
#include "dialogs/FormAbout_win.h"
#include "dialogs/FormFirst_win.h"
#include "dialogs/FormOption_win.h"
#include "dialogs/FormSearch_win.h"
#include "engine/FileRename.h"
#include "filelist/DirScan.h"
#include "filelist/FileTime.h"
#include "scripts/ScriptStore.h"
#include "shell/Explorer.h"
#include "shell/Registration.h"
#include "ui/CharPosit_win.h"
#include "ui/Controls_win.h"
#include "ui/Grid_win.h"
#include "ui/InfoPanel_win.h"
#include "ui/Panel_win.h"

namespace rn {

namespace {

constexpr UINT kRunSendToMessage = WM_APP + 1;

constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDropDown = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr DWORD kPickList = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;

void FillCombo(HWND combo, const std::vector<std::wstring>& items) {
  for (const auto& item : items) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void SelectFirst(HWND combo) {
  if (SendMessageW(combo, CB_GETCOUNT, 0, 0) > 0) SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

// The grid's inner width whether or not its scroll bar is showing: the path
// column makes room for the bar itself (FitPathColumn).
int GridInnerWidth(HWND grid) {
  RECT r{};
  GetClientRect(grid, &r);
  const bool bar = (GetWindowLongPtrW(grid, GWL_STYLE) & WS_VSCROLL) != 0;
  return r.right + (bar ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}

}  // namespace

TMorvaneFrm1::TMorvaneFrm1(AppContext context)
    : renameOnDisk([](const std::wstring& from, const std::wstring& to, bool replace) {
        return RenameEntry(from, to, replace);
      }),
      setAsideOnDisk(SetAside),
      putBackOnDisk(PutBack),
      context_(std::move(context)) {
  if (context_.settingsFolder.empty()) context_.settingsFolder = context_.programFolder;
  registryImport = [this](const std::wstring& script) { StartRegistryImport(script); };
  registrationMarker = RegistrationMarkerExists;
  OpenJournal(false);  // until start-up has dealt with the journal of an earlier start
}

TMorvaneFrm1::~TMorvaneFrm1() {
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
  ReleaseMessageHook();
  DestroyMenus(menus_, showMenus);
}

bool TMorvaneFrm1::Create(int showCommand) {
  RegisterFormClass(kMainClassName);
  dpi = ScreenDpi();

  RECT r = Bounds(0, 0, dpi.Scale(design::kClientWidth), dpi.Scale(design::kClientHeight));
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTROLPARENT);
  if (!CreateForm(this, kMainClassName, ListCaption(0), style, WS_EX_CONTROLPARENT, design::kLeft, design::kTop,
                  r.right - r.left, r.bottom - r.top, nullptr))
    return false;
  // Run with administrator rights, the window would not hear Explorer's
  // hand-off (a process of lower integrity): this one message comes through.
  ChangeWindowMessageFilterEx(hwnd, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
  // Start-up runs in the guard of every handler: an error shows in the error
  // box, and a start-up that cannot go on ends here, Rename.ini and the
  // journal left as they were.
  bool started = false;
  Guarded(hwnd, [&] {
    FormCreate();
    // After the command line's pairs the program ends without showing its window.
    if (!terminateRequested) {
      if (recovering) EnableWindow(hwnd, FALSE);
      ShowWindow(hwnd, showCommand);
      // A window the system did not bring to the front has no focus yet.
      if (const HWND focus = GetFocus(); !focus || focus == hwnd) panel->Focus();
      UpdateWindow(hwnd);
    }
    // A journal a crash left is offered back once the window is on the
    // screen (it takes no input until the answer).
    if (keepJournal && !terminateRequested) {
      if (recovering) RecoverFromJournal();
      OpenJournal(true);
    }
    started = true;
    return LRESULT{0};
  });
  if (!started) {
    settingsFile.reset();  // nothing of it is written at the close
    if (hwnd) DestroyWindow(hwnd);
    return false;
  }
  return true;
}

LRESULT TMorvaneFrm1::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT result = Dispatch(msg, wp, lp);
  // Every change of the request reaches the window as a command (typing,
  // boxes, buttons) or a scroll message (spins and selectors).
  if (msg == WM_COMMAND || msg == WM_VSCROLL) PreviewRequestMayHaveChanged();
  return result;
}

LRESULT TMorvaneFrm1::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  if (LRESULT result = 0; panel && panel->Message(msg, wp, lp, result)) return result;
  switch (msg) {
    case WM_GETMINMAXINFO: {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(lp);
      mmi->ptMinTrackSize.x = MinTrackWidth(GetSystemMetrics(SM_CXSIZEFRAME));
      mmi->ptMinTrackSize.y = kMinTrackHeight;
      return 0;
    }
    case WM_SIZE:
      // The first showing reports the size the window was laid out for.
      if (wp != SIZE_MINIMIZED && Control(IdStringGrid1) && lp != laidOutSize_) FormResize();
      return 0;
    case WM_SHOWWINDOW:
      if (wp) FormShow();
      break;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wp), HIWORD(wp))) return 0;
      break;
    case WM_SYSCOMMAND:
      if (wp >= IdSysAbout && wp <= IdSysExplorer) {
        SystemMenuClick(static_cast<int>(wp));
        return 0;
      }
      break;
    case WM_INITMENUPOPUP: PrepareMainMenu(reinterpret_cast<HMENU>(wp)); return 0;
    case kEditMenuMessage:
      ShowEditMenu(reinterpret_cast<HWND>(wp), POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case kRunSendToMessage: RunSendToMode(); return 0;
    case kDrainPendingMessage: DrainPendingBatches(); return 0;
    case kShowWelcomeMessage: ShowWelcomeIfDue(); return 0;
    case WM_TIMER:
      if (wp == kHintsTimerId) {
        KillTimer(hwnd, kHintsTimerId);
        MakeHints();
        return 0;
      }
      if (wp != kPreviewTimerId) break;
      PreviewIdle();
      return 0;
    case WM_ACTIVATEAPP:
      if (wp && !ListBusy()) ReadEntryTimesAgain();  // the user may have changed the folders meanwhile
      break;
    case WM_ACTIVATE:
      // The focus leaves with the window and comes back to the control that
      // had it; the first time, to where the panel puts it.
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        lastFocus_ = focus && IsChild(hwnd, focus) ? focus : nullptr;
        break;
      }
      if (HIWORD(wp)) break;  // minimized
      if (lastFocus_ && IsChild(hwnd, lastFocus_) && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_))
        SetFocus(lastFocus_);
      else
        panel->Focus();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) != Control(IdPreviewStatus)) break;
      return PreviewStatusColour(reinterpret_cast<HDC>(wp));
    case WM_DROPFILES: FormDropFiles(reinterpret_cast<HDROP>(wp)); return 0;
    case WM_COPYDATA: return WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_CONTEXTMENU: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (pt.x == -1 && pt.y == -1) {  // from the keyboard: at the current row
        RECT cell{};
        GridCellRect(Control(IdStringGrid1), ColShortPath, GridCurrentRow(Control(IdStringGrid1)), cell);
        pt = POINT{cell.left, cell.bottom};
        ClientToScreen(Control(IdStringGrid1), &pt);
      }
      const HWND from = reinterpret_cast<HWND>(wp);
      if (HasEditMenu(from))
        ShowEditMenu(from, pt);
      else if (from == Control(IdStringGrid1))
        ShowListMenu(pt);
      else if (from == Control(IdPanelInfo))
        ShowInfoMenu(pt);
      return 0;
    }
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lp) == Control(IdScrollBar1)) {
        switch (LOWORD(wp)) {
          case SB_LINEDOWN:
          case SB_PAGEDOWN: ScrollBar1Scroll(+1); break;
          case SB_LINEUP:
          case SB_PAGEUP: ScrollBar1Scroll(-1); break;
          default: break;
        }
        return 0;
      }
      break;
    case WM_SETCURSOR:
      // A hint may be due soon.
      if (!hintsMade_ && !std::exchange(hintsTimerSet_, true))
        SetTimer(hwnd, kHintsTimerId, USER_TIMER_MINIMUM, nullptr);
      if (intake.busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // A batch that lets messages through finishes first; the close follows.
      if (intake.busy || ListBusy()) {
        closePending_ = true;
        return 0;
      }
      FormClose();
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      if (context_.endProgramOnClose) PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// ---------------------------------------------------------------------------
// Start-up

void TMorvaneFrm1::CreateControls() {
  fonts_[0].Reset(font_ = CreateFormFont(dpi));
  fonts_[1].Reset(boldFont_ = CreateFormFont(dpi, true));

  const HWND p = hwnd;
  const HFONT f = font_;
  // Made where the first layout puts them: nothing moves when it runs.
  RECT client{};
  GetClientRect(hwnd, &client);
  const bool infoOpen = settingsFile && ReadOption(*settingsFile, options::kShowFileInfo);
  const bool previewShown = !settingsFile || ReadOption(*settingsFile, options::kShowPreview);
  const MainLayout l = ComputeMainLayout(client.right, client.bottom, infoOpen, dpi, previewShown, ButtonCaptions());
  auto s = [&](int v) { return dpi.Scale(v); };
  auto at = [](const Box& b) { return Bounds(b.x, b.y, b.w, b.h); };

  // Labels are as wide as their text, whatever font the system substitutes.
  const TopLine top =
      ComputeTopLine(dpi, TextWidth(f, Text(TextId::Label2)) + 1, TextWidth(f, Text(TextId::SlotRenameTo)) + 1,
                     l.speedButton1.x, WidestSlotLabel(PanelTexts(ShownLanguage()), f));
  MakeChild(p, L"BUTTON", Text(TextId::SpeedButton4), BS_PUSHBUTTON | WS_TABSTOP, IdSpeedButton4, at(top.search), f);
  MakeChild(p, WC_COMBOBOXW, L"", kDropDown, IdComboBox1, at(top.filter), f);
  MakeChild(p, L"STATIC", Text(TextId::Label2), SS_LEFT | SS_CENTERIMAGE, IdLabelFileTypes, at(top.filterLabel), f);
  MakeChild(p, WC_COMBOBOXW, L"", kDropDown, IdComboBox2, at(top.renameTo), f);
  MakeChild(p, L"STATIC", Text(TextId::SlotRenameTo), SS_LEFT | SS_CENTERIMAGE, IdLabelRenameTo, at(top.renameToLabel),
            f);

  // Tool strip. With the list empty, the commands on its rows start disabled.
  HWND panel1 = MakeChild(p, L"STATIC", L"", SS_ICON | SS_CENTERIMAGE | SS_NOTIFY, IdPanel1, at(l.panel1), f,
                          WS_EX_DLGMODALFRAME);
  SendMessageW(panel1, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))),
               0);
  MakeChild(p, L"BUTTON", Text(TextId::SpeedButton1), kButton | BS_FLAT, IdSpeedButton1, at(l.speedButton1), f);
  MakeChild(p, L"BUTTON", Text(TextId::SpeedButton3), WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, IdSpeedButton3,
            at(l.speedButton3), f);
  MakeChild(p, L"BUTTON", Text(TextId::SpeedButton2), kButton, IdSpeedButton2, at(l.speedButton2), f);
  MakeChild(p, L"BUTTON", Text(TextId::SpeedButton5), kButton | WS_DISABLED, IdSpeedButton5, at(l.speedButton5),
            boldFont_);
  HWND move = MakeChild(p, L"SCROLLBAR", L"", SBS_VERT | WS_DISABLED, IdScrollBar1, at(l.scrollBar1), f);
  SetScrollRange(move, SB_CTL, -1, 1, FALSE);
  SetScrollPos(move, SB_CTL, 0, FALSE);

  // Button bar.
  MakeChild(p, L"BUTTON", Text(TextId::Button1Add), kButton, IdButton1, at(l.button1), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button2), kButton | WS_DISABLED, IdButton2, at(l.button2), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button3), kButton | WS_DISABLED, IdButton3, at(l.button3), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button4), kButton | WS_DISABLED, IdButton4, at(l.button4), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button5), kButton, IdButton5, at(l.button5), f);

  // File list.
  CreateFileGrid(p, IdStringGrid1, &fileList, dpi, at(l.grid));

  // Script bar.
  MakeChild(p, WC_COMBOBOXW, L"", kPickList, IdComboBox4,
            Bounds(l.comboBox4.x, l.comboBox4.y, l.comboBox4.w, l.comboBox4.h + s(200)), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button10), kButton | WS_DISABLED, IdButton10, at(l.button10), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button9), kButton | WS_DISABLED, IdButton9, at(l.button9), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button12), kButton, IdButton12, at(l.button12), f);
  MakeChild(p, L"BUTTON", Text(TextId::Button11), kButton | WS_DISABLED, IdButton11, at(l.button11), f);
  MakeChild(p, L"STATIC", L"", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_ENDELLIPSIS, IdPreviewStatus,
            at(l.previewStatus), f);

  panel = std::make_unique<OperationPanel>(*this);
  panel->Create(PanelTexts(ShownLanguage()));
  AttachEditMenu({IdComboBox2, IdEdit4a});

  // The frames lie below everything placed on them: made last, each below
  // the one before, in the order StackFrames keeps. The information panel is
  // made when it first opens; here when it opens at start.
  MakePanel(p, IdTopRule, at(l.topRule), PanelEdge::Horizontal);
  MakePanel(p, IdBevel9, at(l.bevel9), PanelEdge::Vertical);
  MakePanel(p, IdBevel8, at(l.bevel8), PanelEdge::Frame);
  if (infoOpen) CreateInfoPanel(p, IdPanelInfo, at(l.panelInfo), font_, dpi);
  MakePanel(p, IdPanelRadio, at(l.panelRadio), PanelEdge::Frame);
  PrepareAccess();
}

// The panel's frame stays behind the controls drawn over it, the rule and
// the separator on it included: each goes to the bottom in turn, the frame last.
void TMorvaneFrm1::StackFrames() {
  panel->StackSlotFrames();
  for (int id : {IdTopRule, IdBevel9, IdBevel8, IdPanelInfo, IdPanel2, IdPanel4, IdPanelRadio})
    if (HWND frame = Control(id))
      SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMorvaneFrm1::FormCreate() {
  // Pairs of the command line are renamed before the settings file is open.
  if (!context_.args.empty() && context_.args[0] != L"-sendto" && RunPairMode()) {
    terminateRequested = true;
    if (context_.endProgramOnClose) PostQuitMessage(0);
  }

  settingsFile = std::make_unique<SettingsFile>(context_.settingsFolder + kSettingsFileName);
  SettingsFile& ini = *settingsFile;
  // Start-up reads the file once and writes what it changes in one rewrite,
  // instead of asking the disk whether the file changed at every key.
  SettingsFile::Batch startUp(ini);
  MoveSection(ini, L"Directories", L"Options");  // where older versions kept their options
  dateSeparator_ = SystemDateLocale().dateSeparator;
  layoutHeld_ = true;
  struct LayoutAtTheEnd {
    TMorvaneFrm1& form;
    ~LayoutAtTheEnd() {
      form.layoutHeld_ = false;
      // A start-up that failed leaves the layout to whatever comes next.
      if (std::exchange(form.layoutWanted_, false) && std::uncaught_exceptions() == 0) form.FormResize();
    }
  } layoutAtTheEnd{*this};

  // The controls are made in the language of the settings, where its captions put them.
  if (const std::optional<Language> language = LanguageFromSetting(ReadOption(ini, options::kLanguage)))
    SetShownLanguage(*language);
  // The window takes its menu bar, place and size before the controls are
  // made, so that they are made where they stay.
  menus_ = CreateMenus(CreateRenameMenu());
  showMenus = ReadOption(ini, options::kShowMenus);
  ApplyMainMenu();
  PlaceWindow(0);
  CreateControls();
  SetupIntake();
  GridEvents events;
  events.mouse = [this](int row, int col, UINT msg, WPARAM) { StringGrid1Mouse(row, col, msg); };
  events.selectionChanged = [this] { StringGrid1SelectionChanged(); };
  events.key = [this](UINT vk) { StringGrid1KeyDown(vk); };
  events.beforePaint = [this] { PreviewCurrent(); };
  events.previewCell = [this](int row) { return PreviewCell(row); };
  GridSetEvents(Control(IdStringGrid1), std::move(events));

  // The controls, their places and the menus were made in the language of
  // the settings: nothing to retext or place again.
  InstallMessageHook();
  AppendSystemMenuEntries();
  ApplyStoredGeometry();
  runLock = false;
  RestoreRememberedPath();
  ini.EraseSection(L"Replace_str3");  // a list of older versions
  CheckExplorerRegistration();
  // What a program that did not close normally left half done goes back
  // once the window shows, before anything can join the list: the list is
  // held from here (the command line's pairs end the program: the journal
  // waits for the next start). A start-up that fails before the window
  // shows leaves the journal for the next one.
  recovering = keepJournal && !terminateRequested && FileAttributes(JournalPath()) != INVALID_FILE_ATTRIBUTES;

  LoadRememberedLists();
  dateTypeSetting = DateTypeFromSetting(ReadOption(ini, options::kDateType));
  FillScriptChooser();
  UpgradeScriptLines(ini);  // lines of versions before 1.2.2.3

  SetPreviewShown(ReadOption(ini, options::kShowPreview));
  SetInfoPanelOpen(ReadOption(ini, options::kShowFileInfo));
  renamingHints = ReadOption(ini, options::kRenamingHints);
  panel->ApplyRadioHints();

  currentOperation = kNoOperation;
  runCount = 0;
  UpdateListCommands();
}

// The stored place and height count; the width is always the designed one,
// wider by `moreWidth`.
void TMorvaneFrm1::PlaceWindow(int moreWidth) {
  SettingsFile& ini = *settingsFile;
  RECT wr{};
  GetWindowRect(hwnd, &wr);
  int height = wr.bottom - wr.top, left = wr.left, top = wr.top;
  if (ReadOption(ini, options::kWindowSize)) {
    int h = 0, w = 0;
    if (ParseWindowSize(ReadOption(ini, options::kSize).c_str(), h, w)) height = h;
  }
  if (ReadOption(ini, options::kWindowPosition)) {
    left = ReadOption(ini, options::kPositLeft);
    top = ReadOption(ini, options::kPositTop);
  }
  const int frame = GetSystemMetrics(SM_CXSIZEFRAME);
  const RECT to = Bounds(left, top, std::max(StartupWindowWidth(frame, dpi) + moreWidth, MinTrackWidth(frame)),
                         std::max(height, kMinTrackHeight));
  if (!EqualRect(&to, &wr))
    SetWindowPos(hwnd, nullptr, to.left, to.top, to.right - to.left, to.bottom - to.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window grows where the panel's captions in the language shown need
// it. Only the check mark and the path columns of the grid show.
void TMorvaneFrm1::ApplyStoredGeometry() {
  if (const int more = panel->ReplaceBoxesShortfall(); more > 0) PlaceWindow(more);

  HWND grid = Control(IdStringGrid1);
  GridSetColumnWidth(grid, ColCheckMark, dpi.Scale(design::kCheckColumnWidth));
  GridSetColumnWidth(grid, ColShortPath,
                     GridInnerWidth(grid) - GridColumnWidth(grid, ColCheckMark) - 3 * GridLineWidth(grid));
  for (int c = ColFolder; c < fileList.ColumnCount(); ++c) GridSetColumnWidth(grid, c, -1);
  FormResize();
}

// The remembered folder becomes the current one; a folder that is gone is
// replaced by the program's own.
void TMorvaneFrm1::RestoreRememberedPath() {
  SettingsFile& ini = *settingsFile;
  std::wstring path = ReadOption(ini, options::kPath, context_.programFolder);
  if (!EnterFolder(path)) {
    ShowInformation(hwnd, Text(TextId::MsgOldPathGone) + L"\r\r" + Text(TextId::MsgRevertingPath));
    path = context_.programFolder;
    WriteOption(ini, options::kPath, path);
    EnterFolder(path);
  }
  lastFolder = path;
}

void TMorvaneFrm1::LoadRememberedLists() {
  SettingsFile& ini = *settingsFile;
  FillCombo(Control(IdComboBox2), ReadRememberedList(ini, L"Expressions", 15));
  // The replacements' list takes its height when it drops down.
  FillCombo(Control(IdComboBox4a), ReadRememberedList(ini, L"Replace_str4", 8));
  openFilterMasks_ = ReadTypeFilterMasks(ini);  // masks added later do not join the open dialog's list
  FillCombo(Control(IdComboBox1), openFilterMasks_);
  for (int id : {IdComboBox2, IdComboBox1}) SelectFirst(Control(id));
}

void TMorvaneFrm1::LoadRememberedNameParts() {
  SettingsFile& ini = *settingsFile;
  FillCombo(Control(IdComboBoxCreat1), ReadRememberedList(ini, L"Prefixes", 8));
  FillCombo(Control(IdComboBoxCreat2), ReadRememberedList(ini, L"Sufixes", 8));
  for (int id : {IdComboBoxCreat1, IdComboBoxCreat2}) SelectFirst(Control(id));
}

// ---------------------------------------------------------------------------
// First showing

void TMorvaneFrm1::LayoutTopLine() {
  const TopLine t =
      ComputeTopLine(dpi, WidthOf(Control(IdLabelFileTypes)), WidthOf(Control(IdLabelRenameTo)),
                     ControlBounds(Control(IdSpeedButton1)).left, WidestSlotLabel(PanelTexts(ShownLanguage()), font_));
  auto put = [this](int id, const Box& b) { MoveControl(Control(id), b.x, b.y, b.w, b.h); };
  put(IdComboBox1, t.filter);
  put(IdSpeedButton4, t.search);
  put(IdLabelFileTypes, t.filterLabel);
  put(IdComboBox2, t.renameTo);
  put(IdLabelRenameTo, t.renameToLabel);
}

void TMorvaneFrm1::FormShow() {
  SettingsFile& ini = *settingsFile;
  SettingsFile::Batch showing(ini);
  LayoutTopLine();
  panel->FirstShow();
  SetWindowContextHelpId(hwnd, 3);

  // Stay on top ends in the stored state.
  SetStayOnTop(ReadOption(ini, options::kStayOnTop));

  // The "-sendto" paths come once the window is on the screen, so that the
  // folder prompt has the window it speaks of behind it.
  if (!context_.args.empty() && context_.args[0] == L"-sendto") PostMessageW(hwnd, kRunSendToMessage, 0, 0);
  // What DragAcceptFiles does, without loading the shell's DLL before the window shows.
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);

  EnableWindow(Control(IdComboBox4), SendMessageW(Control(IdComboBox4), CB_GETCOUNT, 0, 0) > 0);
  for (int id : {IdButton9, IdButton10, IdButton11}) EnableWindow(Control(id), FALSE);

  if (!recovering) ShowWelcomeIfDue();  // else once the journal is dealt with

  const bool lastSelection = ReadOption(ini, options::kLastSelection);
  const int last = ReadOption(ini, options::kLastRenameSelect);
  if (lastSelection && last > 0) panel->ChooseOperation(last);
  if (!lastSelection) currentOperation = -1;

  // The first showing gives the focus once the window is on the screen: an
  // invisible window would be activated for it first.
  if (IsWindowVisible(hwnd)) panel->Focus();
}

// ---------------------------------------------------------------------------
// Shutdown

void TMorvaneFrm1::SaveRememberedLists() {
  SettingsFile& ini = *settingsFile;
  WriteRememberedList(ini, L"Expressions", ComboItems(Control(IdComboBox2)), 15);
  WriteRememberedList(ini, L"Replace_str4", ComboItems(Control(IdComboBox4a)), 8);
  // Boxes never made hold the lists as they were read: nothing to write.
  if (slotMade_) {
    WriteRememberedList(ini, L"Prefixes", ComboItems(Control(IdComboBoxCreat1)), 8);
    WriteRememberedList(ini, L"Sufixes", ComboItems(Control(IdComboBoxCreat2)), 8);
  }
  WriteTypeFilterMasks(ini, ComboItems(Control(IdComboBox1)));
}

// The format the date formats' box shows, or would show had it been made:
// the stored one when the box offers it, else its first.
std::wstring TMorvaneFrm1::ShownDateFormat() const {
  if (slotMade_) return WindowText(Control(IdComboBox3));
  const std::wstring stored = ReadOption(*settingsFile, options::kDateFormat);
  for (const wchar_t* format : kDateFormats)  // the box finds its items whatever their case
    if (CompareStringOrdinal(stored.c_str(), -1, format, -1, TRUE) == CSTR_EQUAL) return format;
  return kDateFormats[0];
}

void TMorvaneFrm1::FormClose() {
  if (!settingsFile) return;
  SettingsFile& ini = *settingsFile;
  SaveRememberedLists();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(hwnd, &wp);
  const RECT& r = wp.rcNormalPosition;
  WriteOption(ini, options::kSize, std::to_wstring(r.bottom - r.top) + L"|" + std::to_wstring(r.right - r.left));
  WriteOption(ini, options::kPositLeft, static_cast<int>(r.left));
  WriteOption(ini, options::kPositTop, static_cast<int>(r.top));
  WriteOption(ini, options::kDateFormat, ShownDateFormat());
  WriteOption(ini, options::kLastRenameSelect, currentOperation);
  try {
    if (versionLabel_.empty()) versionLabel_ = ProgramVersionLabel();
    WriteOption(ini, options::kVersion, versionLabel_);
  } catch (const AppError&) {
    // Closing never fails: a program without a version resource keeps the old value.
  }
  settingsFile.reset();
  journal_->End();  // a clean close: nothing left to insure
  DeleteLeftoverRegistrationScript();
}

void TMorvaneFrm1::Button5Click() { PostMessageW(hwnd, WM_CLOSE, 0, 0); }

bool TMorvaneFrm1::OnCommand(int id, int code) {
  if (id == IdComboBox1) {
    switch (code) {
      case CBN_DROPDOWN: {
        // As many lines as there are masks, ten at most.
        const LRESULT n = SendMessageW(Control(IdComboBox1), CB_GETCOUNT, 0, 0);
        SendMessageW(Control(IdComboBox1), CB_SETMINVISIBLE, static_cast<WPARAM>(std::clamp<LRESULT>(n, 1, 10)), 0);
        return true;
      }
      case CBN_EDITCHANGE: ComboBox1Change(false); return true;
      case CBN_SELCHANGE: ComboBox1Change(true); return true;
      default: return false;
    }
  }
  if (id == IdComboBox4) {
    if (code == CBN_SELCHANGE) ComboBox4Change();
    return code == CBN_SELCHANGE;
  }
  if (code != BN_CLICKED) return false;  // menu commands and static clicks carry 0, the same value
  return RunCommand(CommandSource::Window, id);
}

// ---------------------------------------------------------------------------
// Layout

void TMorvaneFrm1::FormResize() {
  if (layoutHeld_) {
    layoutWanted_ = true;
    return;
  }
  ApplyLayout(false);
}

void TMorvaneFrm1::ApplyLayout(bool editorOnly) {
  RECT client{};
  GetClientRect(hwnd, &client);
  if (!editorOnly) laidOutSize_ = MAKELPARAM(client.right, client.bottom);
  const MainLayout l =
      ComputeMainLayout(client.right, client.bottom, infoPanelOpen, dpi, showPreview, ButtonCaptions());

  // The script editor panel follows the client height wherever it is parked.
  HWND editor = Control(IdPanel2);
  RECT er = ControlBounds(editor);
  MoveControl(editor, er.left, er.top, client.right, std::max<int>(0, client.bottom - er.top));
  if (editorOnly) return;

  HDWP batch = BeginDeferWindowPos(32);
  auto put = [&](int id, const Box& b, int extraHeight = 0) {
    HWND c = Control(id);
    if (!c || IsInPlace(c, b.x, b.y, b.w, b.h + extraHeight)) return;
    batch = DeferWindowPos(batch, c, nullptr, b.x, b.y, b.w, b.h + extraHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    NoteListHeight(c, b.h + extraHeight);
  };
  const int dropDown = dpi.Scale(200);
  put(IdComboBox4, l.comboBox4, dropDown);
  put(IdButton10, l.button10);
  put(IdButton9, l.button9);
  put(IdButton12, l.button12);
  put(IdButton11, l.button11);
  put(IdPreviewStatus, l.previewStatus);
  put(IdPanel1, l.panel1);
  put(IdSpeedButton1, l.speedButton1);
  put(IdSpeedButton3, l.speedButton3);
  put(IdSpeedButton2, l.speedButton2);
  put(IdSpeedButton5, l.speedButton5);
  put(IdScrollBar1, l.scrollBar1);
  put(IdBevel9, l.bevel9);
  put(IdTopRule, l.topRule);
  put(IdPanelRadio, l.panelRadio);
  put(IdBevel8, l.bevel8);
  put(IdButton1, l.button1);
  put(IdButton2, l.button2);
  put(IdButton3, l.button3);
  put(IdButton4, l.button4);
  put(IdButton5, l.button5);
  put(IdPanelInfo, l.panelInfo);
  put(IdStringGrid1, l.grid);
  EndDeferWindowPos(batch);
  panel->StackWithout();
  panel->PlaceReplaceBoxes(currentOperation == kOpReplace);

  // The path column takes what is left, shared with the new names when they
  // show, and the budget follows its width.
  HWND grid = Control(IdStringGrid1);
  const PathColumns columns =
      SplitPathRoom(PathColumnWidth(GridInnerWidth(grid), GridColumnWidth(grid, ColCheckMark), GridLineWidth(grid)),
                    GridLineWidth(grid), showPreview);
  pathColumnWidth_ = columns.path;
  GridSetColumnWidth(grid, kGridPreviewColumn, columns.preview);
  GridSetColumnWidth(grid, ColShortPath, pathColumnWidth_);
  fileList.SetPathBudget(PathBudgetForWidth(pathColumnWidth_));
  FitPathColumn();
}

// What the buttons' captions need in the language shown ("&" takes no room),
// the undo button's with the most runs it may count.
CaptionWidths TMorvaneFrm1::ButtonCaptions() const {
  auto width = [this](TextId id, const std::wstring& more = L"") {
    std::wstring caption = Text(id) + more;
    caption.erase(std::remove(caption.begin(), caption.end(), L'&'), caption.end());
    return DrawnWidth(font_, caption);
  };
  CaptionWidths c;
  c.button1 = std::max(width(TextId::Button1Add), width(TextId::Button1More));
  c.button2 = width(TextId::Button2);
  c.button3 = width(TextId::Button3, L" (999)");
  c.button4 = width(TextId::Button4);
  c.button5 = width(TextId::Button5);
  c.button10 = width(TextId::Button10);
  c.button9 = width(TextId::Button9);
  c.button12 = width(TextId::Button12);
  c.button11 = width(TextId::Button11);
  return c;
}

void TMorvaneFrm1::SetInfoPanelOpen(bool open) {
  if (open) MakeInfoPanel();
  infoPanelOpen = open;
  FormResize();
  rn::ClearFileInfo(Control(IdPanelInfo));
}

// ---------------------------------------------------------------------------
// The file list's window side

int TMorvaneFrm1::AddRow(const std::wstring& path, bool isFolder) {
  std::wstring date;
  if (auto stamp = ReadFileTime(path, dateTypeSetting)) date = FormatFileDate(*stamp, dateSeparator_);
  return fileList.AddRow(path, isFolder, date);
}

void TMorvaneFrm1::RefreshCaption() { SetWindowTextW(hwnd, ListCaption(fileList.EntryCount()).c_str()); }

void TMorvaneFrm1::FitPathColumn() {
  HWND grid = Control(IdStringGrid1);
  const int width = GridHasScrollBar(grid) ? pathColumnWidth_ - GetSystemMetrics(SM_CYVSCROLL) : pathColumnWidth_;
  GridSetColumnWidth(grid, ColShortPath, width);
}

void TMorvaneFrm1::UpdateListCommands() {
  const bool any = !fileList.Empty();
  SetWindowTextW(Control(IdButton1), Text(any ? TextId::Button1More : TextId::Button1Add).c_str());
  for (int id : {IdButton2, IdButton4, IdSpeedButton5}) EnableWindow(Control(id), any);
  EnableWindow(Control(IdScrollBar1), fileList.EntryCount() >= 2);
  EnableWindow(Control(IdButton3), runCount != 0);
}

void TMorvaneFrm1::ListChanged() {
  GridRowsChanged(Control(IdStringGrid1));
  FitPathColumn();
  RefreshCaption();
  UpdateListCommands();
}

// ---------------------------------------------------------------------------
// Call sites for the parts of the program that join later. Each keeps the
// place in the start-up order where its work runs.

void TMorvaneFrm1::DeleteLeftoverRegistrationScript() {
  DeleteFileAt(context_.settingsFolder + kRegistrationScriptName);
}

}  // namespace rn
