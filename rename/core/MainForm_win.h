// The main window TMorvaneFrm1 and the state the rest of the program shares
// through it. Its members are defined by concern in this folder:
// MainForm_win.cpp (start-up, first showing, shutdown, layout, commands),
// MainForm_Access_win.cpp (screen readers and the keyboard),
// MainForm_Add_win.cpp (adding files: open dialog, drop, search, hand-off,
// "-sendto"), MainForm_Dialogs_win.cpp (options, About and welcome boxes, the
// maker's pages, the version check, help), MainForm_Explorer_win.cpp (the
// Explorer entry and the Send To link), MainForm_Journal_win.cpp (the undo
// journal and its recovery, the replaced files set aside),
// MainForm_Language_win.cpp (the texts of either language),
// MainForm_List_win.cpp (list editing, information panel, character
// position), MainForm_Menus_win.cpp (the menus, the one table of commands, the
// toggles), MainForm_Preview_win.cpp (the new names' column),
// MainForm_Run_win.cpp (rename run, undo, CD clean-up, the command line's
// pairs), MainForm_Scripts_win.cpp (the script bar and the script run). The
// operation panel and the script editor are classes of their own
// (OperationPanel_win.h, ScriptEditor_win.h); MainMenus_win.h builds the menus,
// MainLayout.h holds the layout rules, RememberedLists.h the remembered texts,
// Program_win.cpp the process entry.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/Dpi.h"
#include "base/Handle_win.h"
#include "base/SettingsFile.h"
#include "core/MainLayout.h"
#include "core/MainMenus_win.h"
#include "engine/FileAside.h"
#include "engine/Operation.h"
#include "engine/RenamePreview.h"
#include "engine/RenameRun.h"
#include "engine/UndoJournal.h"
#include "filelist/FileList.h"
#include "filelist/FolderNames.h"
#include "filelist/MediaCache.h"
#include "filelist/Intake.h"
#include "ui/Form_win.h"
#include "ui/Grid_win.h"
#include "ui/MessageBox_win.h"

namespace rn {

inline constexpr wchar_t kMainClassName[] = L"TMorvaneFrm1";
// Posted when the list is free again: what arrived meanwhile (additions, a
// close) follows from the message loop.
inline constexpr UINT kDrainPendingMessage = WM_APP + 2;
// The timer that carries the new names' pass on in idle time.
inline constexpr UINT_PTR kPreviewTimerId = 0x5052;
// The hints are made once the mouse has come over the window and the window
// has nothing else to do: a timer's message comes after every other.
inline constexpr UINT_PTR kHintsTimerId = 0x4854;
// A box with the edit menu was right-clicked: wParam is the box, lParam the point.
inline constexpr UINT kEditMenuMessage = WM_APP + 3;
// Posted by the first showing: the welcome box comes once the window is on the screen.
inline constexpr UINT kShowWelcomeMessage = WM_APP + 0x330;

class AppendFile;
class TFormSearch;
class TFormOption;
class TFormAbout;
class TFormFirst;
class OperationPanel;
class ScriptEditor;
struct SearchHost;
struct OptionValues;

// Where the program lives and what it was started with.
struct AppContext {
  std::wstring programFolder;   // with trailing backslash
  std::wstring settingsFolder;  // Rename.ini, the registration script, the journal; empty: programFolder
  std::vector<std::wstring> args;
  bool endProgramOnClose = true;  // tests keep their message loop after a close
  bool welcomeReminder = true;    // tests start without the donation reminder
};

// Where a command comes from: the window's controls and menus (WM_COMMAND),
// or its system menu (WM_SYSCOMMAND), whose numbers are some controls' too.
enum class CommandSource { Window, SystemMenu };

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
  IdPreviewStatus,  // the counts of the new names' column, right of the script bar
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
  int currentOperation = kNoOperation;
  bool runLock = false;
  int lockedOperation = kNoOperation;
  bool scriptMode = false;
  int runCount = 0;
  bool infoPanelOpen = false;
  DateType dateTypeSetting = DateModified;
  std::wstring lastFolder;
  bool renamingHints = true;
  bool showMenus = true;
  bool stayOnTop = false;
  bool terminateRequested = false;
  bool cdRunning = false;   // the CD clean-up is visiting the rows
  bool showPreview = true;  // the new names' column (Options key ShowPreview)
  // A script run is going on, between its rename runs too.
  bool scriptRunning = false;
  // Start-up takes back what the journal says was left unfinished, once the
  // window shows: the window takes no input until the answer.
  bool recovering = false;
  // A run, an undo, the CD clean-up or a script run is working through the
  // rows by number: nothing may reorder, remove or add rows meanwhile.
  bool ListBusy() const { return runLock || cdRunning || scriptRunning || recovering; }
  // The undo journal "Rename.journal" beside the settings file, the crash
  // insurance of the undo log (a benchmark measures the runs without it).
  bool keepJournal = true;

  FileList fileList;
  Intake intake;
  Dpi dpi;
  std::unique_ptr<OperationPanel> panel;
  std::unique_ptr<TFormSearch> formSearch;  // created when first needed, reused
  std::unique_ptr<ScriptEditor> scriptEditor;
  std::unique_ptr<TFormOption> formOption;  // these three when first needed
  std::unique_ptr<TFormAbout> formAbout;
  std::unique_ptr<TFormFirst> formFirst;

  // The registry editor importing a script (ShellExecute "runas"), and the
  // pause that lets it; tests watch instead.
  std::function<void(const std::wstring& scriptPath)> registryImport;
  int registryImportPauseMs = 2000;
  // Whether the marker key says the extension is registered (an error when
  // the registry cannot tell); a test may stand in a failing registry.
  std::function<bool()> registrationMarker;

  // Every rename on disk of a run, an undo and the CD clean-up goes through
  // here (RenameEntry; a test may put a failing one in its place).
  std::function<uint32_t(const std::wstring& from, const std::wstring& to, bool replace)> renameOnDisk;
  // A file an accepted overwrite replaces goes aside (the Recycle Bin, or the
  // folder "Replaced" beside the settings) and comes back on undo; a test
  // may stand in for a volume without a Recycle Bin.
  std::function<AsideResult(const std::wstring& path, const AsideNames& names, uint32_t& error)> setAsideOnDisk;
  std::function<uint32_t(const std::wstring& path, const std::wstring& kept)> putBackOnDisk;

  // The file list's window-side helpers.
  int AddRow(const std::wstring& path, bool isFolder);
  void RefreshCaption();
  void FitPathColumn();
  void ListChanged();  // after a batch: caption, buttons, grid, column
  const std::wstring& DateSeparator() const { return dateSeparator_; }
  HFONT Font() const { return font_; }

  HWND Control(int id) const { return GetDlgItem(hwnd, id); }
  // The controls that start out of sight are made at their first need: the
  // slot's other boxes when an operation is chosen, the information panel
  // when it opens, the script editor, the progress panel and the character
  // strip when they show, the hints when the mouse first comes over the
  // window. Each call makes its group once.
  void MakeSlotControls();
  void MakeInfoPanel();
  void MakeScriptEditor();
  void MakeProgressPanel();
  void MakeCharStrip();
  void MakeHints();
  // The control of the id, every group that starts out of sight made first
  // when it is one of theirs (what the window tests reach controls through).
  HWND MadeControl(int id);
  const AppContext& Context() const { return context_; }

  // Handlers, named after their controls.
  void FormCreate();
  void FormShow();
  void FormClose();
  void FormResize();
  void FormDropFiles(HDROP drop);
  LRESULT WMCopyData(const COPYDATASTRUCT* data);
  void Button1Click();       // "&Add Files ..."
  void Button2Click();       // "&Rename Files ..."
  void Button3Click();       // "&Undo"
  void Button4Click();       // "Clear &List"
  void Button5Click();       // "Cl&ose"
  void SpeedButton4Click();  // "..." search
  void SpeedButton5Click();  // "C" rename for CD
  void ComboBox1Change(bool picked);
  void ScrollBar1Scroll(int delta);
  void StringGrid1Mouse(int row, int col, UINT msg);
  void StringGrid1SelectionChanged();
  void StringGrid1KeyDown(UINT vk);  // Space ticks the selection
  void PopRemoveFile1Click();     // the list's pop-up: remove the selected rows
  void PopAddFiles1Click();
  void PopSortbyName1Click();
  void PopSortbyDate1Click();
  void PopSortbyType1Click();
  void PopSortbyTaken1Click();
  void PopCheckFiles1Click();     // tick the selected rows
  void PopUnCheckFiles1Click();   // untick them
  void PopSelectAll1Click();
  void PopClearList1Click();
  void PopGetFileDate1Click();    // the current row's time stamp in a box
  void PopGetFileAttr1Click();    // its attributes in a box
  void PopCharPosit1Click();      // the character position strip
  void PopInfoPanel1Click();      // the information panel, open or closed
  void PopFileInfo5Click();       // the panel's own pop-up: close it
  void PopCopy5Click();           // its fields to the clipboard
  void PopStayonTop2Click();      // the window's pop-up (a click on Panel1) and the main menu's twins
  void PopExplorerContMenu2Click();  // the Explorer entry, added or removed
  void PopSendToExt2Click();      // the Send To link made
  void PopOptions2Click();
  void PopFileInfo2Click();
  void PopHideMenu2Click();       // the main menu, hidden or shown
  void PopPreview2Click();        // the new names' column, hidden or shown
  void PopHelp2Click();
  void PopDonate2Click();
  void PopLikeProgram2Click();    // the maker's page for a kind word
  void PopAbout2Click();
  void PopCut3Click();            // the edit boxes' pop-up
  void PopCopy3Click();
  void PopPaste3Click();
  void PopDelete3Click();
  void PopSelectAll3Click();
  void Panel1Click();             // the tool strip's panel: opens the window's pop-up
  void SpeedButton1Click();  // "?" help
  void SpeedButton2Click();  // "O" options
  void SpeedButton3Click();  // "T" stay on top
  void SystemMenuClick(int id);
  void MenuCreateScriptClick();
  void MenuSoftwareNewsClick();
  void MenuCheckVersionsClick();
  void ComboBox4Change();  // script chooser
  void Button10Click();    // "Run script .."
  void Button9Click();     // "Edit"
  void Button12Click();    // "New"
  void Button11Click();    // "Del"

  // Verbs the handlers call.
  void OpenFiles();
  void SearchFiles();
  void RenameFiles();
  void UndoLastRun();
  void RenameForCd();
  void RemoveSelectedRows();
  void ClearList();
  void SortList(int keyColumn);
  void SetCheckOnSelection(bool checked);
  void SelectAll();
  void ShowFileDate();
  void ShowFileAttributes();
  void ToggleInfoPanel();
  void FillFileInfo();
  void ClearFileInfoFields();
  void OpenCharPosition();
  void CopyInfoToClipboard();
  void ShowListMenu(POINT screen);
  void ShowInfoMenu(POINT screen);
  void ShowSettingsMenu(POINT screen);
  void ShowEditMenu(HWND control, POINT screen);
  // The "Files" and "Options" menus as they open: what needs a list rests without one.
  void PrepareMainMenu(HMENU menu);
  // Stay on top and the main menu, each shown or not: buttons and menu checks follow.
  void SetStayOnTop(bool on);
  void SetMainMenuShown(bool shown);
  // Adds the context-menu extension to Explorer, or removes it when the
  // entries show it registered; the user confirms first (`byUser`).
  void ToggleExplorerEntry(bool byUser);
  bool ExplorerEntryChecked() const;
  // The texts of the language a setting names, everywhere in the window; a
  // value that names neither language changes no text.
  void ApplyLanguage(const std::wstring& setting);
  const WindowMenus& Menus() const { return menus_; }
  // The new names' column (MainForm_Preview_win.cpp). Shown or hidden with
  // its menu checks, remembered as ShowPreview; the grid lays out anew.
  void SetPreviewShown(bool shown);
  // The request on the panel may have changed: when it has, the rows in view
  // are made again and the rest follow in idle time.
  void PreviewRequestMayHaveChanged();
  // What the folders hold is read again when next needed (after a run, and
  // when the user comes back from another program).
  void ForgetFolderNames();
  // The entries' times as the disk has them now: the folders are read again,
  // the rows' dates follow, the new names start over. True when a date changed.
  bool ReadEntryTimesAgain();
  // The pass in the run's order to its end now: every row exact, the counts there.
  void FinishPreview();
  // What the column shows for the row (as the grid paints it), and the counts.
  GridPreviewCell PreviewCell(int row);
  std::wstring PreviewStatusText() const;
  // Whether a command of the menus can be carried out by this build.
  bool CommandBuilt(int id) const;
  // Help from Rename.chm beside the program by context number; a missing file
  // is reported only when asked for from a menu or button (`tell`).
  void ShowHelpContext(int context, bool tell);
  // What the message hook sees of every message taken from the queue; it
  // may take the message (then nothing else sees it).
  void HookedMessage(MSG& message);
  // The keys a dialog has and this window gets no other way: Tab, Enter on a
  // button, Alt with a button's letter (MainForm_Access_win.cpp). True when taken.
  bool KeyboardKey(const MSG& message);
  // The controls in the order Tab reaches them.
  std::vector<HWND> TabOrder() const;
  void SetCommandsEnabled(bool enabled);
  void RunScript();
  void DeleteChosenScript();

  // The options dialog, the About box, the welcome box, the maker's pages,
  // the version check and help (MainForm_Dialogs_win.cpp).
  void ShowOptions();                             // "&Options ...", SpeedButton2, system menu 1029
  void ApplyOptions(const OptionValues& values);  // what "ok" wrote, at once
  void ShowAbout();                               // "&About ...", system menu 1025
  void LikeProgram();                             // "Do you like this &program ?"
  void DonateFromSystemMenu();                    // system menu 1028
  void OpenDonationPage();                        // "&Donate ..."
  void OpenNewsPage();                            // "Software &news ..."
  void CheckNewVersions();                        // "Check new versions *"
  void ShowHelp();                                // "&Help ...", SpeedButton1, system menu 1030

  // Adding: runs one batch now, or after the batch (or run) in progress has ended.
  void RunBatch(BatchSource source, std::vector<std::wstring> paths);
  void DrainPendingBatches();
  bool PumpMessages();
  std::vector<std::wstring> MaskList() const;
  void AppendFilterMask();

 private:
  friend class ListRunScope;

  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  CaptionWidths ButtonCaptions() const;
  bool OnCommand(int id, int code);
  // The one table of the window's commands (MainForm_Menus_win.cpp).
  bool RunCommand(CommandSource source, int id);
  void CharPositClosed();
  bool HasEditMenu(HWND control) const;
  void ReleaseMessageHook();
  void StartRegistryImport(const std::wstring& scriptPath);
  void SetExplorerChecks(bool on);
  void AttachEditMenu(std::initializer_list<int> ids);
  void CreateControls();
  void StackFrames();
  void ApplyHints();
  void PrepareAccess();  // spoken names, the logo and the move arrows reached by Tab
  void LayoutTopLine();
  void ApplyLayout(bool editorOnly);
  void PlaceWindow(int moreWidth);
  void ApplyStoredGeometry();
  void RestoreRememberedPath();
  void FillScriptChooser();
  void EndScriptRun();
  void LoadRememberedLists();
  void LoadRememberedNameParts();
  std::wstring ShownDateFormat() const;
  void SaveRememberedLists();
  void SetInfoPanelOpen(bool open);
  void UpdateListCommands();
  void EnableListCommands();
  void SetupIntake();
  void AddBatchPaths(BatchSource source, const std::vector<std::wstring>& paths);
  // Runs `body` as one batch of additions: the add commands rest meanwhile.
  void InBatch(const std::function<void()>& body);
  // The rows a batch has added so far, in the grid and the caption.
  void ShowRowsSoFar();
  void RefreshAfterBatch(BatchSource source);
  FolderChoice AskFolder(const std::wstring& path);
  void ShowProgress(bool show, int maximum);
  void SetProgress(int position);
  void FocusCheckTarget(int target);
  void AfterListRun();
  void ShowRunCount();
  bool PreviewCurrent();
  void PreviewIdle();
  void ShowPreviewStatus();
  LRESULT PreviewStatusColour(HDC dc);
  void RememberInputs(const RenameTask& task);
  SearchHost MakeSearchHost();

  // The undo journal (MainForm_Journal_win.cpp).
  std::wstring JournalPath() const;
  void OpenJournal(bool on);
  void RecoverFromJournal();
  RecoveryOutcome TakeBackFromJournal(const Journal& journal, int expected, FolderNames& listed);
  void JournalPlan(const MovePlan& plan);
  void JournalUndoPlan(const MovePlan& plan, const std::vector<ReplacedFile>& files);
  void JournalCdBegins();
  // Puts the file at `path` aside before step `step` of the run takes its
  // name, the journal told first; true with where it went.
  bool SetAsideForRun(const std::wstring& path, size_t step, ReplacedFile& where);
  std::wstring ReplacedFolder() const;
  std::wstring ReplacedText(const std::vector<ReplacedFile>& files) const;

  // Start-up call sites whose work belongs to other parts of the program.
  bool RunPairMode();
  void RunSendToMode();
  void InstallMessageHook();
  void AppendSystemMenuEntries();
  void CheckExplorerRegistration();
  void ApplyMainMenu();
  void ShowWelcomeIfDue();
  void DeleteLeftoverRegistrationScript();

  AppContext context_;
  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  FontHandle fonts_[2];  // the two above, freed with the window's form
  int pathColumnWidth_ = 0;
  std::wstring dateSeparator_ = L"/";
  std::wstring versionLabel_;

  struct PendingBatch {
    BatchSource source;
    std::vector<std::wstring> paths;
  };
  std::deque<PendingBatch> pending_;
  bool closePending_ = false;  // a close asked for while a batch ran
  DWORD lastProgressPaint_ = 0;
  DWORD lastPump_ = 0;
  DWORD lastRowsShown_ = 0;
  int rowsShown_ = 0;
  std::vector<std::wstring> openFilterMasks_;  // the open dialog's filter list
  WindowMenus menus_;
  HHOOK messageHook_ = nullptr;
  HWND editMenuTarget_ = nullptr;  // the box the edit menu was opened on
  HWND hintTip_ = nullptr;         // hints of the main window's own controls
  HWND lastFocus_ = nullptr;       // the control that had the focus when the window was last left
  bool slotMade_ = false;          // the slot's controls but the "Rename to" box exist
  bool hintsMade_ = false;
  bool hintsTimerSet_ = false;  // the mouse came over the window: the hints follow in idle time
  // Start-up sets the window's size, menu and panels one after another: the
  // layout follows once, at the end (each layout moves a score of controls).
  bool layoutHeld_ = false;
  bool layoutWanted_ = false;
  LPARAM laidOutSize_ = -1;  // the client size of the last layout, as WM_SIZE gives it
  // The new names' column: the folders as last read, the preview, and what
  // it was started for.
  struct PreviewState {
    FolderNames folders{ScanFolder};
    MediaCache media;  // what the files say about themselves, checked against the folders' listings
    RenamePreview preview;
    bool started = false;
    RenameTask task;
    uint64_t listRevision = 0;
    DateType dateType = DateModified;
    Language language = kStartLanguage;
    bool timer = false;
  };
  std::unique_ptr<PreviewState> preview_;
  // What the row's file says about itself (nothing for a folder or an entry
  // not found), read once while the file stays as it was.
  const MediaFields* MediaOf(const FileRow& row);
  // "by Date taken": photos by the moment they were shot, other files by their last write.
  void SortListByTaken();
  bool previewHeld_ = false;            // the panel is being written as a whole: no restart per box
  bool explorerEntryAvailable_ = true;  // an extension DLL lies beside the program
  std::unique_ptr<AppendFile> journalFile_;
  std::unique_ptr<JournalWriter> journal_;  // writes nowhere when the journal is off
  // The files each run's overwrites replaced, by undo level; the folder of
  // the run in progress that keeps those the Recycle Bin cannot have.
  std::vector<std::vector<ReplacedFile>> replacedByRun_;
  std::wstring runStamp_;
};

// While a run, an undo or the CD clean-up works through the rows: the list is
// busy (and, for a run or an undo, the commands rest and the cursor waits).
// Every way out, an error included, gives the list and the commands back, and
// what arrived meanwhile (additions, a close) follows from the message loop.
class ListRunScope {
 public:
  enum class Kind { Run, Undo, CdCleanUp };
  ListRunScope(TMorvaneFrm1& form, Kind kind, int operation = kNoOperation);
  ~ListRunScope();
  ListRunScope(const ListRunScope&) = delete;
  ListRunScope& operator=(const ListRunScope&) = delete;

 private:
  TMorvaneFrm1& form_;
  Kind kind_;
  int level_ = 0;  // the undo level an undo takes back
  HCURSOR oldCursor_ = nullptr;
};

// The boxes the main window asks with.
// The question asked for a folder: its buttons map to FolderChoice in order.
DialogRequest FolderPromptRequest(const RECT& mainWindow);
// The question asked when the filter changes while the list holds entries.
DialogRequest FilterListRequest();
// " Duplicate file !!" with Yes, No, Cancel and Yes to All.
DialogRequest CollisionRequest(const std::wstring& proposal);
// The report of the rows a run could not rename ("Items not renamed: ...").
std::wstring NotRenamedText(size_t count);
// The report of the rows an undo could not take back.
std::wstring NotRestoredText(size_t count);
// "Error while renaming  'old'  to  'new' " for the two last components.
std::wstring PairErrorText(const std::wstring& oldName, const std::wstring& newName);

// Every path of a drop, whole (no length limit).
std::vector<std::wstring> DroppedPaths(HDROP drop);

// Process entry: the single-instance rule, the forms, the message loop.
int RunProgram(const AppContext& context, int showCommand);

// The running program's folder (with trailing backslash).
std::wstring ProgramFolder();
// Whether a file can be made in the folder.
bool FolderIsWritable(const std::wstring& folder);
// Where the settings go (core/SettingsPlace.h), decided once at start; the
// folder is made when it is new.
std::wstring DecideSettingsFolder(const std::wstring& programFolder);

}  // namespace rn
