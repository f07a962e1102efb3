// The main window TMorvaneFrm1: start-up, first showing, shutdown, layout and
// the state the rest of the program shares through it.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Forms_win.h"
#include "core/MainLayout.h"
#include "core/SettingsFile.h"
#include "engine/Operation.h"
#include "filelist/FileList.h"
#include "filelist/FileTime.h"
#include "filelist/Intake.h"

namespace rn {

inline constexpr wchar_t kMainClassName[] = L"TMorvaneFrm1";

class TFormSearch;
struct SearchHost;
struct RenameTask;
struct OperationPanelTexts;
struct OperationPanelState;

// Where the program lives and what it was started with.
struct AppContext {
  std::wstring programFolder;  // with trailing backslash; Rename.ini lives here
  std::vector<std::wstring> args;
  bool endProgramOnClose = true;  // tests keep their message loop after a close
};

enum ControlId : int {
  IdPanelRadio = 1000,
  IdComboBox1,  // type filter
  IdSpeedButton4,
  IdLabelFileTypes,
  IdComboBox2,  // "Rename to"
  IdLabelRenameTo,
  IdTopRule,
  IdBevel9,
  IdPanel1,
  IdSpeedButton1,
  IdSpeedButton2,
  IdSpeedButton3,
  IdSpeedButton5,
  IdScrollBar1,
  IdBevel8,
  IdButton1,
  IdButton2,
  IdButton3,
  IdButton4,
  IdButton5,
  IdStringGrid1,
  IdPanelInfo,
  IdComboBox4,
  IdButton9,
  IdButton10,
  IdButton11,
  IdButton12,
  IdPanel2,
  IdPanelCreat,
  IdComboBoxCreat1,
  IdComboBoxCreat2,
  IdComboBox3,
  IdComboBox4a,
  IdBevel22,
  IdEditDate,
  IdScrollDate,
  IdEditTime,
  IdScrollTime,
  IdGroupBox1,
  IdPanel4,
  IdPanelCharPosit,
  IdProgressBar1,
};

// Commands of the list's context menu (PopupMenu1) and the info panel's (PopupMenu5).
enum MenuId : int {
  IdPopRemove = 2000,
  IdPopAddFiles,
  IdPopSortbyName1,
  IdPopSortbyDate1,
  IdPopSortbyType1,
  IdPopCheck,
  IdPopUncheck,
  IdPopSelectAll,
  IdPopClear,
  IdPopGetDate,
  IdPopGetAttr,
  IdPopCharPosit,
  IdPopShowInfo,
  IdPopInfoShow,
  IdPopInfoCopy,
};

// Where a batch of additions came from: each refreshes the window its own way.
enum class BatchSource { OpenDialog, Drop, Search, SendTo, HandOff };

class TMorvaneFrm1 : public Form {
 public:
  explicit TMorvaneFrm1(AppContext context);
  ~TMorvaneFrm1() override;

  // Creates the window (start-up runs) and shows it (first showing runs).
  bool Create(int showCommand);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  // Shared state of the main window.
  std::unique_ptr<SettingsFile> settingsFile;
  int currentOperation = -1;
  bool runLock = false;
  int lockedOperation = -1;
  bool scriptMode = false;
  int runCount = 0;
  bool infoPanelOpen = false;
  DateType dateTypeSetting = DateModified;
  std::wstring lastFolder;
  bool renamingHints = true;
  bool showMenus = true;
  bool stayOnTop = false;
  bool terminateRequested = false;
  bool cdRunning = false;  // the CD clean-up is visiting the rows
  // A run, an undo or the CD clean-up is working through the rows by number:
  // nothing may reorder, remove or add rows meanwhile.
  bool ListBusy() const { return runLock || cdRunning; }

  FileList fileList;
  Intake intake;
  Dpi dpi;

  // The file list's window-side helpers.
  int AddRow(const std::wstring& path, bool isFolder);
  void RefreshCaption();
  void FitPathColumn();
  void ListChanged();  // after a batch: caption, buttons, grid, column
  std::wstring DateSeparator() const;

  HWND Control(int id) const { return GetDlgItem(hwnd, id); }
  const AppContext& Context() const { return context_; }

  // Handlers.
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormResize();
  void Button5Click();
  bool OnCommand(int id, int code);

  // Adding files and folders.
  void Button1Click();       // the open-file dialog
  void SpeedButton4Click();  // the search dialog
  void FormDropFiles(HDROP drop);
  LRESULT WMCopyData(const COPYDATASTRUCT* data);
  void ComboBox1Change(bool picked);
  // Runs one batch now, or after the batch (or run) in progress has ended.
  void RunBatch(BatchSource source, std::vector<std::wstring> paths);
  void DrainPendingBatches();
  bool PumpMessages();
  std::vector<std::wstring> MaskList() const;
  void AppendFilterMask();

  // The rename run, undo and the CD clean-up.
  void Button2Click();
  void Button3Click();
  void SpeedButton5Click();
  void SetCommandsEnabled(bool enabled);

  // List editing.
  void PopRemoveClick();
  void ClearList();
  void SortList(int keyColumn);
  void SetCheckOnSelection(bool checked);
  void SelectAll();
  void ScrollBar1Scroll(int delta);
  void StringGrid1Mouse(int row, int col, UINT msg);
  void StringGrid1SelectionChanged();
  void PopGetDateClick();
  void PopGetAttrClick();
  void ShowListMenu(POINT screen);
  void ShowInfoMenu(POINT screen);
  void ToggleInfoPanel();
  void FillFileInfo();
  void ClearFileInfoFields();
  void OpenCharPosition();
  void CopyInfoToClipboard();

  // The operation panel (OperationPanel_win.cpp).
  // The request as the panel holds it; the rename run reads it when it starts.
  RenameTask ReadRenameTask() const;
  // Puts a request on the panel as a script line does: checks the operation's
  // radio button, sets every control with its change rule (choosing nothing by
  // touch meanwhile), then runs the selection logic from the script-run marker.
  void WriteRenameTask(const RenameTask& task);
  // The selection logic: from the checked radio button (fromScript false) or
  // from the script-run marker, which keeps CurrentOperation and resets nothing.
  void SelectOperation(bool fromScript);
  // Checks the radio button of the operation; the selection logic runs only when
  // the check changes. False when nothing changed (already checked, no such button).
  bool ChooseOperation(int operation);
  void ShowOperationPanel(bool visible);
  bool OperationPanelShown() const;
  // Captions, hints, selector and slot texts of one language; places the inline controls.
  void ApplyOperationPanelTexts(const OperationPanelTexts& texts);
  std::wstring RadioCaption(int operation) const;
  std::wstring RadioHint(int operation) const;
  // Bar positions as a script line stores them (spins negative, selectors their code).
  int PanelBarPosition(int barId) const;
  // Sets a bar as a user's step would, with the bar's change rule.
  void SetPanelBarPosition(int barId, int position);
  // The counter box of 18 and its arrows, enabled or disabled around a run.
  void EnableCounterControls(bool enabled);
  void ShowRenameMenu(POINT screen);

 private:
  // The operation panel's share of the window's messages.
  bool OperationPanelMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  void CreateOperationPanel();
  void ParkOperationControls(int x);
  void FirstShowOperationPanel();
  void FocusOperationPanel();
  void StackWithoutOperationPanel();
  std::shared_ptr<OperationPanelState> operationPanel_;

  void CreateControls();
  void ParkOptionalControls();
  void LayoutTopLine();
  void ApplyLayout(bool editorOnly);
  void LoadRememberedLists();
  void SaveRememberedLists();
  void SetInfoPanelOpen(bool open);
  void ApplyStayOnTop();
  void UpdateListCommands();
  void EnableListCommands();
  void SetupIntake();
  void AddBatchPaths(BatchSource source, const std::vector<std::wstring>& paths);
  // Runs `body` as one batch of additions: the add commands rest meanwhile.
  void InBatch(const std::function<void()>& body);
  void RefreshAfterBatch(BatchSource source);
  FolderChoice AskFolder(const std::wstring& path);
  void ShowProgress(bool show, int maximum);
  void SetProgress(int position);
  void FocusCheckTarget(int target);
  void AfterListRun();
  void RememberInputs(const RenameTask& task);
  void ParkControl(HWND control);
  SearchHost MakeSearchHost();

  // Start-up call sites whose work belongs to other parts of the program.
  bool RunPairMode();
  void RunSendToMode();
  void ApplyLanguage(const std::wstring& language);
  void InstallMessageHook();
  void AppendSystemMenuEntries();
  void CheckExplorerRegistration();
  void UpgradeScripts(const std::wstring& storedVersion);
  void ApplyMainMenu();
  void ApplyRadioHints();
  void ShowWelcomeIfDue();
  void SelectLastOperation(int operation);
  void DeleteLeftoverRegistrationScript();

  AppContext context_;
  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  int pathColumnWidth_ = 0;
  std::wstring dateSeparator_ = L"/";
  std::wstring versionLabel_;

  struct PendingBatch {
    BatchSource source;
    std::vector<std::wstring> paths;
  };
  std::deque<PendingBatch> pending_;
  bool closePending_ = false;         // a close asked for while a batch ran
  std::wstring undoBase_ = L"&Undo";  // the undo button's caption without its run count
  DWORD lastProgressPaint_ = 0;
  DWORD lastPump_ = 0;
  std::vector<std::wstring> openFilterMasks_;  // the open dialog's filter list
  HMENU listMenu_ = nullptr;
  HMENU infoMenu_ = nullptr;

 public:
  std::unique_ptr<TFormSearch> formSearch;  // created once, reused
};

// Process entry: the single-instance rule, the forms, the message loop.
int RunProgram(const AppContext& context, int showCommand);

// The running program's folder (with trailing backslash) and its arguments,
// split as the command line rules say.
std::wstring ProgramFolder();

}  // namespace rn
