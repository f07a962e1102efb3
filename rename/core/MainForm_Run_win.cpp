
// The rename run, undo and the CD clean-up from the window: the checks'
// boxes, the commands at rest while a run lasts, the progress bar, the
// collision question and the reports; and the command line's pairs. The
// decisions are the engine's (RenameRun.h, RunChecks.h, RunLog.h).
#include <windows.h>

#include <commctrl.h>

#include "base/FileSystem_win.h"
#include "base/OptionKeys.h"
#include "base/Path.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/CaseConvert.h"
#include "engine/CdCleanUp.h"
#include "engine/FileChange.h"
#include "engine/FileRename.h"
#include "engine/RenameRun.h"
#include "engine/RowDecision.h"
#include "engine/RunChecks.h"
#include "engine/RunLog.h"
#include "engine/Transforms.h"
#include "filelist/DirScan.h"
#include "filelist/FileTime.h"
#include "ui/Controls_win.h"
#include "ui/Grid_win.h"
#include "ui/InputBox_win.h"

namespace rn {

namespace {

constexpr int kProgressRows = 100;  // longer lists show the progress bar
constexpr DWORD kProgressPaintMs = 30;

std::vector<ReplacedFile>& ReplacedOfLevel(std::vector<std::vector<ReplacedFile>>& byLevel, int level) {
  if (byLevel.size() <= static_cast<size_t>(level)) byLevel.resize(static_cast<size_t>(level) + 1);
  return byLevel[static_cast<size_t>(level)];
}

DialogRequest Warning(const std::wstring& text) {
  return {ApplicationTitle(), text, DialogIcon::Warning, {Text(TextId::ButtonOk)}, {}, 0, 0};
}

}  // namespace

DialogRequest CollisionRequest(const std::wstring& proposal) {
  DialogRequest r;
  r.caption = Text(TextId::CollisionCaption);
  r.text = CollisionMessage(proposal);
  r.icon = DialogIcon::Warning;
  r.buttons = {Text(TextId::ButtonYes), Text(TextId::ButtonNo), Text(TextId::ButtonCancel),
               Text(TextId::ButtonYesToAll)};
  r.defaultButton = 0;
  r.cancelButton = 2;
  return r;
}

std::wstring NotRenamedText(size_t count) {
  return Text(TextId::MsgItemsNotRenamed) + L"  " + std::to_wstring(count) + L"\r\r" + Text(TextId::MsgNotFound);
}

// The entries that lack a field, ten of them by name with the reason each.
std::wstring LackingFieldText(const FileList& list, const std::vector<std::pair<int, std::wstring>>& lacking) {
  constexpr size_t kNamed = 10;
  std::wstring text = Text(TextId::MsgLackingFields, {std::to_wstring(lacking.size())}) + L"\r";
  for (size_t i = 0; i < lacking.size() && i < kNamed; ++i)
    text += L"\r" + lacking[i].second + L" '" + list.Row(lacking[i].first).name + L"' " + Text(TextId::MsgKeepsName);
  if (lacking.size() > kNamed) text += L"\r" + Text(TextId::MsgAndMore, {std::to_wstring(lacking.size() - kNamed)});
  return text;
}

std::wstring NotRestoredText(size_t count) {
  return Text(TextId::MsgItemsNotRestored) + std::to_wstring(count) + L"\r\r" + Text(TextId::MsgNotRestoredReason);
}

// "Files replaced by an overwrite: N", where they went, and that undo puts them back.
std::wstring TMorvaneFrm1::ReplacedText(const std::vector<ReplacedFile>& files) const {
  size_t binned = 0;
  for (const ReplacedFile& f : files) binned += f.keptAt.empty();
  std::wstring text = Text(TextId::MsgReplacedFiles, {std::to_wstring(files.size())});
  if (binned > 0) text += L"\r" + Text(TextId::MsgReplacedInBin, {std::to_wstring(binned)});
  if (binned < files.size())
    text += L"\r" + Text(TextId::MsgReplacedKept, {std::to_wstring(files.size() - binned), ReplacedFolder()});
  return text + L"\r" + Text(TextId::MsgReplacedUndo);
}

std::wstring PairErrorText(const std::wstring& oldName, const std::wstring& newName) {
  return Text(TextId::MsgPairError, {oldName, newName});
}

// ---------------------------------------------------------------------------

ListRunScope::ListRunScope(TMorvaneFrm1& form, Kind kind, int operation) : form_(form), kind_(kind) {
  if (kind_ == Kind::CdCleanUp) {
    form_.cdRunning = true;
    return;
  }
  if (kind_ == Kind::Undo) level_ = form_.runCount;
  oldCursor_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  form_.SetCommandsEnabled(false);
  form_.runLock = true;
  form_.lockedOperation = operation;
}

ListRunScope::~ListRunScope() {
  // The journal hears of the end on every way out.
  if (kind_ == Kind::Undo)
    form_.journal_->EndUndo(level_);
  else
    form_.journal_->EndRun();
  if (kind_ == Kind::CdCleanUp) {
    form_.cdRunning = false;
  } else {
    form_.ShowProgress(false, 0);
    form_.SetCommandsEnabled(true);
    if (form_.fileList.Empty()) form_.UpdateListCommands();  // nothing left to rename or clear
    form_.runLock = false;
    form_.lockedOperation = kNoOperation;
    SetCursor(oldCursor_);
  }
  // The names on disk have changed: the new names' column reads the folders again.
  form_.ForgetFolderNames();
  if (form_.hwnd) PostMessageW(form_.hwnd, kDrainPendingMessage, 0, 0);
}

void TMorvaneFrm1::SetCommandsEnabled(bool enabled) {
  for (int id : {IdScrollBar1, IdComboBox2, IdButton1, IdButton2, IdButton4, IdButton5, IdSpeedButton5,
                 IdComboBoxCreat1, IdComboBoxCreat2, IdComboBox4, IdButton12})
    EnableWindow(Control(id), enabled);
  panel->EnableCounterControls(enabled);
  if (SendMessageW(Control(IdComboBox4), CB_GETCURSEL, 0, 0) > 0)
    for (int id : {IdButton9, IdButton10, IdButton11, IdComboBox1}) EnableWindow(Control(id), enabled);
  EnableWindow(Control(IdButton3), enabled && runCount != 0);
}

void TMorvaneFrm1::ShowProgress(bool show, int maximum) {
  if (show) MakeProgressPanel();
  HWND panel = Control(IdPanel4), bar = Control(IdProgressBar1);
  if (!show) {
    Park(panel, dpi);
    Park(bar, dpi);
    return;
  }
  const RECT g = ControlBounds(Control(IdStringGrid1)), p = ControlBounds(panel);
  const int w = p.right - p.left, h = p.bottom - p.top;
  const int x = g.left + (g.right - g.left) / 2 - w / 7, y = g.top + (g.bottom - g.top - h) / 2;
  SetWindowPos(panel, HWND_TOP, x, y, w, h, SWP_NOACTIVATE);
  SetWindowPos(bar, HWND_TOP, x + dpi.Scale(6), y + dpi.Scale(6), w - dpi.Scale(12), h - dpi.Scale(12), SWP_NOACTIVATE);
  SendMessageW(bar, PBM_SETRANGE32, 0, maximum);
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  UpdateWindow(panel);
  UpdateWindow(bar);
}

void TMorvaneFrm1::SetProgress(int position) {
  // The run lets no messages through: the bar is moved and painted now and
  // then by hand (moving it is a repaint each time on some systems).
  const DWORD now = GetTickCount();
  if (now - lastProgressPaint_ < kProgressPaintMs) return;
  lastProgressPaint_ = now;
  HWND bar = Control(IdProgressBar1);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  UpdateWindow(bar);
}

void TMorvaneFrm1::FocusCheckTarget(int target) {
  switch (static_cast<CheckFocus>(target)) {
    case CheckFocus::RenameTo: SetFocus(Control(IdComboBox2)); break;
    case CheckFocus::Prefix: SetFocus(Control(IdComboBoxCreat1)); break;
    case CheckFocus::DateBox: SetFocus(Control(IdEditDate)); break;
    case CheckFocus::TimeBox: SetFocus(Control(IdEditTime)); break;
    case CheckFocus::None: break;
  }
}

void TMorvaneFrm1::Button2Click() { RenameFiles(); }
void TMorvaneFrm1::Button3Click() { UndoLastRun(); }
void TMorvaneFrm1::SpeedButton5Click() { RenameForCd(); }

void TMorvaneFrm1::ShowRunCount() {
  SetWindowTextW(Control(IdButton3),
                 (Text(TextId::Button3) + (runCount > 0 ? L" (" + std::to_wstring(runCount) + L")" : L"")).c_str());
}

void TMorvaneFrm1::RenameFiles() {
  // A script run keeps the list busy between its runs and starts each itself.
  if ((ListBusy() && !scriptRunning) || intake.busy || fileList.Empty()) return;
  // The dates the run reads are the ones the list shows before anything moves.
  if (ReadEntryTimesAgain()) UpdateWindow(Control(IdStringGrid1));
  const DateLocale dates = SystemDateLocale();
  const RenameTask request = panel->ReadRenameTask();
  CheckResult check = CheckRenameTask(request, fileList, dates);
  for (const auto& message : check.messages) ShowMessagePlain(hwnd, message);
  if (!(check.task == request)) {
    // The corrections show in the panel. Each box they change would start the
    // new names over; once is enough, after the run or now when it stops.
    previewHeld_ = true;
    panel->WriteRenameTask(check.task);
    previewHeld_ = false;
    if (check.stop) PreviewRequestMayHaveChanged();
  }
  if (check.rememberDate) WriteOption(*settingsFile, options::kDateChanged, *check.rememberDate);
  if (check.stop) {
    FocusCheckTarget(static_cast<int>(check.focus));
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    return;
  }
  const RenameTask& task = check.task;
  if (!scriptMode) RememberInputs(task);

  ListRunScope busy(*this, ListRunScope::Kind::Run, task.Operation);
  ++runCount;
  const bool progress = fileList.RowCount() > kProgressRows;
  if (progress) ShowProgress(true, fileList.RowCount());

  const CaseConverter& cases = SystemCaseConverter();
  RowFieldPorts fields;
  fields.media = [this](const FileRow& row) { return MediaOf(row); };
  fields.stamp = [](const FileRow& row, DateType type) { return ReadFileTime(row.FullPath(), type); };
  RunPorts ports;
  ports.fileExists = IsFile;
  ports.folderExists = IsFolder;
  ports.enterFolder = [](const std::wstring& folder) { return folder.empty() || EnterFolder(folder); };
  ports.propose = [&](const FileRow& row, int64_t counter) -> std::optional<std::wstring> {
    const std::wstring path = row.FullPath();
    if (task.Operation == kOpAttributes) {
      ApplyAttributeChange(path, task);
      return std::nullopt;
    }
    if (task.Operation == kOpChangeDateTime) {
      ApplyTimeStampChange(path, task, dateTypeSetting, dates);
      return std::nullopt;
    }
    return ProposeForRow(
        task, row, counter, [&] { return ReadFileTime(path, dateTypeSetting); }, cases, dates, &fields);
  };
  int atRow = -1;  // the row whose rename comes next: the one a question names
  ports.askCollision = [&](const std::wstring& proposal) {
    if (atRow >= 0) GridSetSelection(Control(IdStringGrid1), atRow, atRow);
    switch (ShowDialog(hwnd, CollisionRequest(proposal))) {
      case 0: return CollisionAnswer::Yes;
      case 3: return CollisionAnswer::YesToAll;
      case 2: return CollisionAnswer::Cancel;
      default: return CollisionAnswer::No;
    }
  };
  ports.tell = [&](const std::wstring& message) { ShowMessagePlain(hwnd, message); };
  ports.rename = [this](const std::wstring& from, const std::wstring& to) {
    const uint32_t error = renameOnDisk(from, to, false);
    if (error == 0) return RenameResult::Done;
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? RenameResult::TargetExists
                                                                       : RenameResult::Failed;
  };
  ports.temporaryName = TemporaryName;
  ports.setAside = [this](const std::wstring& path, size_t step, ReplacedFile& where) {
    return SetAsideForRun(path, step, where);
  };
  ports.progress = [&](int position) {
    atRow = position - 1;
    if (progress) SetProgress(position);
  };
  ports.planned = [this](const MovePlan& plan) { JournalPlan(plan); };
  ports.stepDone = [this](size_t index) { journal_->MarkDone(index); };
  runStamp_.clear();
  const RunOutcome outcome = VisitRows(fileList, runCount, check.firstCounter, ports);
  journal_->EndRun();  // before the report, which waits for the user
  ReplacedOfLevel(replacedByRun_, runCount) = outcome.replacedFiles;

  if (!outcome.renamedAny) --runCount;
  ShowRunCount();
  if (progress) ShowProgress(false, 0);
  // One report: the entries not renamed, then the files replaced and where they went.
  std::wstring report;
  if (!outcome.notRenamed.empty()) report = NotRenamedText(outcome.notRenamed.size());
  if (!outcome.lackingField.empty())
    report += (report.empty() ? L"" : L"\r\r") + LackingFieldText(fileList, outcome.lackingField);
  if (!outcome.replacedFiles.empty())
    report += (report.empty() ? L"" : L"\r\r") + ReplacedText(outcome.replacedFiles);
  if (!report.empty()) ShowDialog(hwnd, Warning(report));
  if (!outcome.notRenamed.empty() || !outcome.replaced.empty()) {
    std::vector<bool> gone(static_cast<size_t>(fileList.RowCount()));
    for (int row : outcome.notRenamed) gone[static_cast<size_t>(row)] = true;
    for (int row : outcome.replaced) gone[static_cast<size_t>(row)] = true;
    fileList.RemoveRowsWhere([&](int row) { return gone[static_cast<size_t>(row)]; });
  }
  AfterListRun();
}

void TMorvaneFrm1::AfterListRun() {
  GridRowsChanged(Control(IdStringGrid1));
  FitPathColumn();
  RefreshCaption();
  if (fileList.Empty()) {
    runCount = 0;
    fileList.SetColumnCount(kBaseColumnCount);
    replacedByRun_.clear();
    ShowRunCount();
    journal_->End();
  }
}

void TMorvaneFrm1::UndoLastRun() {
  if (ListBusy() || intake.busy || runCount == 0) return;
  UndoOutcome outcome;
  {
    ListRunScope busy(*this, ListRunScope::Kind::Undo);
    const bool progress = fileList.RowCount() > kProgressRows;
    if (progress) ShowProgress(true, fileList.RowCount());
    UndoPorts ports;
    ports.rename = [this](const std::wstring& from, const std::wstring& to) {
      return renameOnDisk(from, to, false) == 0 ? RenameResult::Done : RenameResult::Failed;
    };
    ports.temporaryName = TemporaryName;
    ports.planned = [this](const MovePlan& plan, const std::vector<ReplacedFile>& files) {
      JournalUndoPlan(plan, files);
    };
    ports.done = [this](size_t index) { journal_->MarkDone(index); };
    ports.putBack = [this](const ReplacedFile& file) { return putBackOnDisk(file.path, file.keptAt) == 0; };
    ports.progress = [&](int row) {
      if (progress) SetProgress(row + 1);
    };
    std::vector<ReplacedFile>& replaced = ReplacedOfLevel(replacedByRun_, runCount);
    outcome = UndoRun(fileList, runCount, replaced, ports);
    replaced.clear();
    if (!fileList.Empty()) {
      --runCount;
      ShowRunCount();
    }
    GridRowsChanged(Control(IdStringGrid1));
    FitPathColumn();
  }
  // Undo used to say nothing when a name could not go back: now it says so.
  std::wstring report;
  if (outcome.leftAlone > 0) report = NotRestoredText(static_cast<size_t>(outcome.leftAlone));
  if (!outcome.notPutBack.empty()) {
    report += (report.empty() ? L"" : L"\r\r") + Text(TextId::MsgNotPutBack, {std::to_wstring(outcome.notPutBack.size())});
    for (const std::wstring& path : outcome.notPutBack) report += L"\r" + ShortenPath(path, 80);
  }
  if (!report.empty()) ShowDialog(hwnd, Warning(report));
}

void TMorvaneFrm1::RememberInputs(const RenameTask& task) {
  auto atTop = [](HWND combo, const std::wstring& text, bool moveExisting) {
    const LRESULT found =
        SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (found != CB_ERR && !moveExisting) return;
    if (found != CB_ERR) SendMessageW(combo, CB_DELETESTRING, static_cast<WPARAM>(found), 0);
    SendMessageW(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  };
  if (task.Operation < kOpCapitalize && !OnlySpaces(task.RenameTo)) {
    atTop(Control(IdComboBox2), task.RenameTo, true);
    SendMessageW(Control(IdComboBox2), CB_SETCURSEL, 0, 0);
  }
  if (task.Operation == kOpReplace && !OnlySpaces(task.ReplaceWith)) {
    HWND history = Control(IdComboBox4a);
    atTop(history, task.ReplaceWith, false);
    const LRESULT n = SendMessageW(history, CB_GETCOUNT, 0, 0);
    if (n < 12) SendMessageW(history, CB_SETMINVISIBLE, static_cast<WPARAM>(std::max<LRESULT>(n, 1)), 0);
  }
  if (task.Operation == kOpCreateNames) {
    if (!OnlySpaces(task.Prefix)) atTop(Control(IdComboBoxCreat1), task.Prefix, false);
    if (!OnlySpaces(task.Suffix)) atTop(Control(IdComboBoxCreat2), task.Suffix, false);
  }
}

// ---------------------------------------------------------------------------
// Rename for CD

void TMorvaneFrm1::RenameForCd() {
  if (fileList.Empty() || ListBusy() || intake.busy) return;
  ListRunScope busy(*this, ListRunScope::Kind::CdCleanUp);
  ++runCount;  // also a CD run that ends up renaming nothing uses a level
  JournalCdBegins();
  size_t journalPairs = 0;
  CdPorts ports;
  ports.enterFolder = EnterFolder;
  ports.folderGone = [this](const std::wstring& folder) {
    ShowErrorBox(hwnd, SystemErrorText(LastSystemError()) + L"\r'" + folder + L"'");
  };
  ports.askShorterBase = [this](const std::wstring& base) {
    return ShowInputBox(hwnd, {Text(TextId::CdNameCaption), Text(TextId::CdNamePrompt), base});
  };
  ports.fileExists = IsFile;
  ports.askReplace = [this](const std::wstring& next) {
    const DialogRequest ask{ApplicationTitle(),
                            CollisionMessage(next),
                            DialogIcon::Warning,
                            {Text(TextId::ButtonYes), Text(TextId::ButtonNo)},
                            {},
                            0,
                            1};
    return ShowDialog(hwnd, ask) == 0;
  };
  std::vector<ReplacedFile>& replaced = ReplacedOfLevel(replacedByRun_, runCount);
  replaced.clear();
  runStamp_.clear();
  ports.rename = [&](const std::wstring& from, const std::wstring& to, bool replace) {
    // The file that is there goes aside first: never deleted.
    ReplacedFile where;
    if (replace && !SetAsideForRun(to, journalPairs - 1, where)) return false;
    if (replace) replaced.push_back(where);
    return renameOnDisk(from, to, false) == 0;
  };
  ports.renameFailed = [this](const std::wstring& name) {
    ShowDialog(hwnd, Warning(Text(TextId::MsgErrorRenaming) + L"\r '" + name));
  };
  ports.aboutToRename = [&](const std::wstring& from, const std::wstring& newName) {
    journal_->AddPair({from, newName, false});
    ++journalPairs;
  };
  ports.renamed = [&](int) {
    journal_->MarkDone(journalPairs - 1);
    ShowRunCount();
    EnableWindow(Control(IdButton3), TRUE);
  };
  CleanNamesForCd(fileList, runCount, ports);
  journal_->EndRun();
  GridRowsChanged(Control(IdStringGrid1));
  FitPathColumn();
}

// ---------------------------------------------------------------------------
// The command line's pairs: each old path renamed to the new name in its own
// folder, before the window shows.

bool TMorvaneFrm1::RunPairMode() {
  const auto& args = context_.args;
  if (args.size() % 2 != 0) {
    ShowMessagePlain(hwnd, Text(TextId::MsgNotEnoughParameters));
    return false;
  }
  RECT r{};
  GetWindowRect(hwnd, &r);
  SetWindowPos(hwnd, nullptr, -600, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (size_t k = 0; k + 1 < args.size(); k += 2) {
    std::wstring folder, oldName, ignored, newName;
    // Made whole against the working directory, so that entering its folder
    // does not move what it names.
    SplitPath(WholePath(args[k]), folder, oldName);
    SplitPath(args[k + 1], ignored, newName);  // the new name's folder part does not count
    // A folder that cannot be entered fails like the rename itself.
    const bool entered = folder.empty() || EnterFolder(folder);
    if (!entered || renameOnDisk(folder + oldName, folder + newName, false) != 0) {
      ShowMessagePlain(hwnd, PairErrorText(oldName, newName));
      return true;
    }
  }
  return true;
}

}  // namespace rn
