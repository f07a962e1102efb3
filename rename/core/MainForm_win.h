// The main window TMorvaneFrm1: start-up, first showing, shutdown, layout and
// the state the rest of the program shares through it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Forms_win.h"
#include "core/MainLayout.h"
#include "core/SettingsFile.h"
#include "filelist/FileList.h"
#include "filelist/FileTime.h"

namespace rn {

inline constexpr wchar_t kMainClassName[] = L"TMorvaneFrm1";

// Where the program lives and what it was started with.
struct AppContext {
  std::wstring programFolder;  // with trailing backslash; Rename.ini lives here
  std::vector<std::wstring> args;
  bool endProgramOnClose = true;  // tests keep their message loop after a close
};

enum ControlId : int {
  IdPanelRadio = 1000,
  IdComboBox1,  // type filter
  IdSearchButton,
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
};

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

  FileList fileList;
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

 private:
  void CreateControls();
  void ParkOptionalControls();
  void LayoutTopLine();
  void ApplyLayout(bool editorOnly);
  void LoadRememberedLists();
  void SaveRememberedLists();
  void SetInfoPanelOpen(bool open);
  void ApplyStayOnTop();
  void UpdateListCommands();

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
};

// Process entry: the single-instance rule, the forms, the message loop.
int RunProgram(const AppContext& context, int showCommand);

// The running program's folder (with trailing backslash) and its arguments,
// split as the command line rules say.
std::wstring ProgramFolder();

}  // namespace rn
