// Adding files and folders from the window: the open-file dialog, dropped
// files, the search dialog, the hand-off from Explorer and "-sendto", and the
// batches that feed the intake through its ports.
#include "base/OptionKeys.h"
#include "base/Path.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "dialogs/FormSearch_win.h"
#include "base/FileSystem_win.h"
#include "core/MainForm_win.h"
#include "filelist/DirScan.h"
#include "filelist/FolderNames.h"
#include "filelist/TypeFilter.h"
#include "shell/HandOff.h"
#include "ui/CommonDialogs_win.h"
#include "ui/Controls_win.h"
#include "ui/Grid_win.h"

namespace rn {

namespace {

// Long folder walks hand the window its messages this often, and show the
// rows found so far this often (not at every entry: a repaint costs more
// than an entry).
constexpr DWORD kPumpSliceMs = 30;
constexpr DWORD kRowsShownMs = 100;

}  // namespace

DialogRequest FolderPromptRequest(const RECT& main) {
  DialogRequest r;
  r.caption = Text(TextId::FolderPromptTitle);
  r.text = Text(TextId::FolderPromptText);
  r.icon = DialogIcon::Question;
  r.buttons = {Text(TextId::FolderPromptFolder), Text(TextId::FolderPromptFiles), Text(TextId::FolderPromptAllFiles),
               Text(TextId::FolderPromptCancel), Text(TextId::FolderPromptAllFolders)};
  r.enabled = {true, true, true, true, false};
  r.defaultButton = 0;
  r.cancelButton = 3;
  r.topmost = true;
  r.placed = true;
  const Dpi dpi = ScreenDpi();
  r.x = main.left + dpi.Scale(20);
  r.y = main.bottom - dpi.Scale(150);
  return r;
}

DialogRequest FilterListRequest() {
  DialogRequest r;
  r.caption = ApplicationTitle();
  r.text = Text(TextId::MsgFilterListToo);
  r.icon = DialogIcon::Information;
  r.buttons = {Text(TextId::ButtonNo), Text(TextId::ButtonOk)};
  r.defaultButton = 1;
  r.cancelButton = 0;
  return r;
}

std::vector<std::wstring> DroppedPaths(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, i, path.data(), length + 1);
    path.resize(got);
    paths.push_back(std::move(path));
  }
  return paths;
}

// ---------------------------------------------------------------------------
// The intake's ports: the file system, the prompt and the message pump.

void TMorvaneFrm1::SetupIntake() {
  intake.list = &fileList;
  intake.ports.lookup = [this](const std::wstring& path) { return LookupPath(path, dateTypeSetting, dateSeparator_); };
  intake.ports.askFolder = [this](const std::wstring& path) { return AskFolder(path); };
  intake.ports.scan = [this](const std::wstring& pattern, const std::function<bool(const FoundEntry&)>& each) {
    // A folder listed whole is what the new names' column reads next: it keeps this listing.
    const bool whole =
        preview_ && showPreview && pattern.size() > 4 && pattern.compare(pattern.size() - 4, 4, L"\\*.*") == 0;
    std::vector<FolderEntry> listing;
    bool complete = true;
    ScanDirectory(pattern, dateTypeSetting, dateSeparator_, [&](const FoundEntry& e) {
      if (whole && e.name != L"." && e.name != L"..") listing.push_back({e.name, e.isDir, e.ticks, e.size});
      return complete = each(e);
    });
    if (whole && complete) preview_->folders.Adopt(FolderOf(pattern), std::move(listing));
  };
  intake.ports.pump = [this] { return PumpMessages(); };
}

FolderChoice TMorvaneFrm1::AskFolder(const std::wstring&) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  switch (ShowDialog(hwnd, FolderPromptRequest(r))) {
    case 0: return FolderChoice::Folder;
    case 1: return FolderChoice::Files;
    case 2: return FolderChoice::AllFiles;
    default: return FolderChoice::Cancel;
  }
}

bool TMorvaneFrm1::PumpMessages() {
  const DWORD now = GetTickCount();
  if (now - lastPump_ < kPumpSliceMs) return true;
  lastPump_ = now;
  if (now - lastRowsShown_ >= kRowsShownMs) {
    lastRowsShown_ = now;
    ShowRowsSoFar();  // painted by the messages below
  }
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // for the main loop
      return false;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return true;
}

// ---------------------------------------------------------------------------
// Batches

void TMorvaneFrm1::RunBatch(BatchSource source, std::vector<std::wstring> paths) {
  // One addition at a time: what arrives meanwhile (a drop, a hand-off) waits
  // for the batch or the run in progress and then comes as its own batch.
  pending_.push_back({source, std::move(paths)});
  if (intake.busy || ListBusy()) return;
  DrainPendingBatches();
}

void TMorvaneFrm1::DrainPendingBatches() {
  while (!pending_.empty() && !intake.busy && !ListBusy() && hwnd && !closePending_) {
    PendingBatch batch = std::move(pending_.front());
    pending_.pop_front();
    AddBatchPaths(batch.source, batch.paths);
  }
  if (closePending_ && !intake.busy && !ListBusy() && hwnd) {
    pending_.clear();
    closePending_ = false;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
  }
}

void TMorvaneFrm1::InBatch(const std::function<void()>& body) {
  HCURSOR oldCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  const bool addEnabled = IsWindowEnabled(Control(IdButton1)) != FALSE;
  EnableWindow(Control(IdButton1), FALSE);
  EnableWindow(Control(IdSpeedButton4), FALSE);
  intake.typeFilter = WindowText(Control(IdComboBox1));
  // The new rows' folders may hold more than when last read: they are read
  // again, or taken from the batch's own listings.
  ForgetFolderNames();
  intake.BeginBatch();
  lastPump_ = lastRowsShown_ = GetTickCount();
  rowsShown_ = fileList.EntryCount();
  body();
  intake.EndBatch();
  if (!hwnd) return;
  EnableWindow(Control(IdButton1), addEnabled);
  EnableWindow(Control(IdSpeedButton4), TRUE);
  SetCursor(oldCursor);
}

void TMorvaneFrm1::AddBatchPaths(BatchSource source, const std::vector<std::wstring>& paths) {
  InBatch([&] {
    for (const auto& path : paths) {
      if (source == BatchSource::Drop) {
        lastFolder = FolderOf(path);
        // A drop ends at the first path after a cancelled folder.
        if (intake.folderAnswer == FolderAnswer::Skip) break;
      }
      intake.AddPath(path);
      if (intake.stopped || !hwnd) break;
    }
  });
  if (hwnd) RefreshAfterBatch(source);
}

void TMorvaneFrm1::ShowRowsSoFar() {
  if (fileList.EntryCount() == rowsShown_) return;
  rowsShown_ = fileList.EntryCount();
  GridRowsChanged(Control(IdStringGrid1));
  RefreshCaption();
}

void TMorvaneFrm1::EnableListCommands() {
  for (int id : {IdButton2, IdButton4, IdSpeedButton5}) EnableWindow(Control(id), TRUE);
}

void TMorvaneFrm1::RefreshAfterBatch(BatchSource source) {
  HWND grid = Control(IdStringGrid1);
  GridRowsChanged(grid);  // one repaint for the whole batch
  // A batch that leaves the list empty changes neither buttons nor caption.
  if (fileList.Empty()) return;
  EnableListCommands();
  const bool scriptChosen = SendMessageW(Control(IdComboBox4), CB_GETCURSEL, 0, 0) > 0;
  switch (source) {
    case BatchSource::HandOff:
    case BatchSource::SendTo: break;
    case BatchSource::Drop:
      EnableWindow(Control(IdScrollBar1), TRUE);
      SetWindowTextW(Control(IdButton1), Text(TextId::Button1More).c_str());
      AppendFilterMask();
      if (scriptChosen) EnableWindow(Control(IdButton10), TRUE);
      FitPathColumn();
      break;
    case BatchSource::OpenDialog:
      if (WindowText(Control(IdButton1)) == Text(TextId::Button1Add)) FillFileInfo();
      SetWindowTextW(Control(IdButton1), Text(TextId::Button1More).c_str());
      EnableWindow(Control(IdScrollBar1), fileList.EntryCount() >= 2);
      if (scriptChosen) EnableWindow(Control(IdButton10), TRUE);
      break;
    case BatchSource::Search:
      SetWindowTextW(Control(IdButton1), Text(TextId::Button1More).c_str());
      EnableWindow(Control(IdScrollBar1), fileList.EntryCount() >= 2);
      FitPathColumn();
      break;
  }
  RefreshCaption();
}

std::vector<std::wstring> TMorvaneFrm1::MaskList() const { return ComboItems(Control(IdComboBox1)); }

void TMorvaneFrm1::AppendFilterMask() {
  // A mask typed into the box joins the list (and is remembered at close).
  const std::wstring mask = L"*" + ExtensionOfPath(EffectiveFilter(WindowText(Control(IdComboBox1))));
  if (!OccursInMaskList(MaskList(), mask))
    SendMessageW(Control(IdComboBox1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mask.c_str()));
}

// ---------------------------------------------------------------------------
// Entry points

void TMorvaneFrm1::Button1Click() { OpenFiles(); }
void TMorvaneFrm1::PopAddFiles1Click() { OpenFiles(); }

void TMorvaneFrm1::OpenFiles() {
  if (intake.busy || ListBusy()) return;
  HWND filter = Control(IdComboBox1);
  const int selected = static_cast<int>(SendMessageW(filter, CB_GETCURSEL, 0, 0));
  OpenFilesRequest request;
  request.title = Text(TextId::OpenDialogTitle);
  for (const auto& mask : openFilterMasks_) {
    request.filterNames.push_back(Text(TextId::OpenDialogFilter, {mask}));
    request.filterPatterns.push_back(mask);
  }
  request.filterIndex = selected >= 0 && selected < static_cast<int>(openFilterMasks_.size()) ? selected : 0;
  request.initialFolder = ReadOption(*settingsFile, options::kPath, lastFolder);
  lastFolder = request.initialFolder;
  request.fileName = WindowText(filter);
  AppendFilterMask();

  const OpenFilesResult result = ShowOpenFiles(hwnd, request);
  if (!result.ok || result.paths.empty()) {
    SetWorkingFolder(context_.programFolder);
    return;
  }
  const std::wstring folder = FolderOf(result.paths.front());
  WriteOption(*settingsFile, options::kPath, folder);
  lastFolder = folder;
  AddBatchPaths(BatchSource::OpenDialog, result.paths);
  SetFocus(Control(IdComboBox2));
  SendMessageW(filter, CB_SETCURSEL, result.filterIndex, 0);
  FitPathColumn();
  SetWorkingFolder(context_.programFolder);
  DrainPendingBatches();
}

void TMorvaneFrm1::SpeedButton4Click() { SearchFiles(); }

void TMorvaneFrm1::SearchFiles() {
  if (intake.busy || ListBusy()) return;
  if (!formSearch) {  // made when first asked for: start-up has enough to do
    formSearch = std::make_unique<TFormSearch>(MakeSearchHost());
    formSearch->Create(hwnd);
  }
  AppendFilterMask();
  RECT window{};
  GetWindowRect(hwnd, &window);
  const RECT close = ControlBounds(Control(IdButton5)), add = ControlBounds(Control(IdButton1));
  formSearch->ShowModal(hwnd, window.left + add.left + 36, window.top + close.top + 36);
  if (!hwnd) return;
  RefreshAfterBatch(BatchSource::Search);
  SetWorkingFolder(context_.programFolder);
  DrainPendingBatches();
}

SearchHost TMorvaneFrm1::MakeSearchHost() {
  SearchHost host;
  host.masks = [this] { return MaskList(); };
  host.typeFilter = [this] { return WindowText(Control(IdComboBox1)); };
  host.selectFilter = [this](int index) {
    SendMessageW(Control(IdComboBox1), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    intake.typeFilter = WindowText(Control(IdComboBox1));
  };
  host.lastFolder = [this] { return lastFolder; };
  host.filterLabel = [this] { return WindowText(Control(IdLabelFileTypes)); };
  host.search = [this](const std::wstring& folder, bool recursive) {
    InBatch([&] { intake.Search(folder, recursive); });
  };
  return host;
}

void TMorvaneFrm1::FormDropFiles(HDROP drop) {
  std::vector<std::wstring> paths = DroppedPaths(drop);
  DragFinish(drop);
  RunBatch(BatchSource::Drop, std::move(paths));
}

void TMorvaneFrm1::ComboBox1Change(bool picked) {
  HWND combo = Control(IdComboBox1);
  std::wstring text;
  if (picked) {
    const LRESULT sel = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR) return;
    text = ComboItemText(combo, static_cast<int>(sel));
  } else {
    text = WindowText(combo);
    const std::wstring fixed = NormalizeFilterText(text);
    if (fixed != text) {
      SetWindowTextW(combo, fixed.c_str());
      SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(fixed.size(), fixed.size()));
      text = fixed;
    }
  }
  intake.typeFilter = text;
  if (!fileList.Empty() && !ListBusy()) {
    if (ShowDialog(hwnd, FilterListRequest()) != 1) return;
    const std::wstring filter = EffectiveFilter(text);
    fileList.RemoveRowsWhere([&](int row) { return !PassesTypeFilter(filter, fileList.Cell(ColExt, row)); });
    GridRowsChanged(Control(IdStringGrid1));
    FitPathColumn();
  }
  RefreshCaption();
}

LRESULT TMorvaneFrm1::WMCopyData(const COPYDATASTRUCT* data) {
  if (!data) return 0;
  auto paths = HandOffPaths(data->dwData, data->lpData, data->cbData);
  if (!paths || paths->empty()) return 0;
  // The sender (Explorer) waits for the answer: only the paths are checked
  // and copied now. They are added once the message has returned, in the
  // order they came, each hand-off as its own batch.
  pending_.push_back({BatchSource::HandOff, std::move(*paths)});
  PostMessageW(hwnd, kDrainPendingMessage, 0, 0);
  return kHandOffAccepted;
}

void TMorvaneFrm1::RunSendToMode() {
  RunBatch(BatchSource::SendTo, std::vector<std::wstring>(context_.args.begin() + 1, context_.args.end()));
}

}  // namespace rn
