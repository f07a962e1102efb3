// The undo journal from the window: the file beside Rename.ini that insures
// the undo log against a crash, and its recovery at start-up. The format and
// the decisions are the engine's (UndoJournal.h).
#include <windows.h>

#include "base/FileIo.h"
#include "base/FileSystem_win.h"
#include "base/Path.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/FileAside.h"
#include "engine/FileRename.h"
#include "engine/UndoJournal.h"
#include "filelist/FolderNames.h"

namespace rn {

namespace {

constexpr wchar_t kJournalName[] = L"Rename.journal";
constexpr wchar_t kSetAsideSuffix[] = L".bad";
constexpr wchar_t kReplacedFolder[] = L"Replaced\\";


DialogRequest ReportBox(const std::wstring& text, DialogIcon icon) {
  return {ApplicationTitle(), text, icon, {Text(TextId::ButtonOk)}, {}, 0, 0};
}

std::wstring TimeNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  wchar_t text[32];
  wsprintfW(text, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

}  // namespace

std::wstring TMorvaneFrm1::JournalPath() const { return context_.settingsFolder + kJournalName; }

// The run's steps reach the disk before its first rename.
void TMorvaneFrm1::JournalPlan(const MovePlan& plan) { journal_->BeginRun(runCount, TimeNow(), JournalSteps(plan)); }

void TMorvaneFrm1::JournalUndoPlan(const MovePlan& plan, const std::vector<ReplacedFile>& files) {
  std::vector<JournalRestore> restores;
  for (const ReplacedFile& f : files) restores.push_back({f.path, f.keptAt, f.returnTo, false});
  journal_->BeginUndo(runCount, TimeNow(), JournalSteps(plan), restores);
}

// The CD clean-up asks as it goes: its pairs follow one by one.
void TMorvaneFrm1::JournalCdBegins() { journal_->BeginRun(runCount, TimeNow(), {}); }

// The replaced files the Recycle Bin cannot have: a folder for each run.
std::wstring TMorvaneFrm1::ReplacedFolder() const { return context_.settingsFolder + kReplacedFolder; }

bool TMorvaneFrm1::SetAsideForRun(const std::wstring& path, size_t step, ReplacedFile& where) {
  if (runStamp_.empty()) {
    runStamp_ = TimeNow();
    for (wchar_t& c : runStamp_)
      if (c == L':') c = L'.';
  }
  const AsideNames names = PlanAside(path, ReplacedFolder() + runStamp_ + L"\\");
  const size_t aside = journal_->Aside({step, path, names.link, names.kept});
  uint32_t error = 0;
  const AsideResult went = setAsideOnDisk(path, names, error);
  if (went == AsideResult::Failed) return false;
  journal_->AsideWent(aside, went == AsideResult::Kept ? JournalAside::Went::Kept : JournalAside::Went::RecycleBin);
  where = {path, went == AsideResult::Kept ? names.kept : L"", L""};
  return true;
}

void TMorvaneFrm1::OpenJournal(bool on) {
  JournalFilePorts ports;
  if (!on) {
    ports.append = [](const std::string&, bool) { return true; };
    ports.replace = [](const std::string&) { return true; };
    ports.remove = [] {};
    journal_ = std::make_unique<JournalWriter>(std::move(ports));
    return;
  }
  journalFile_ = std::make_unique<AppendFile>(JournalPath());
  AppendFile* file = journalFile_.get();
  ports.append = [file](const std::string& bytes, bool flush) { return file->Append(bytes, flush); };
  ports.replace = [file](const std::string& bytes) {
    file->Close();
    return ReplaceFileContents(file->Path(), bytes);
  };
  ports.remove = [file] {
    file->Close();
    DeleteFileAt(file->Path());
  };
  journal_ = std::make_unique<JournalWriter>(std::move(ports));
}

// A journal left by a program that did not close normally: its unfinished
// work is offered back before anything can join the list. The window is on
// the screen meanwhile and takes no input until the answer; the record is
// checked against one listing per folder, and the taking back moves the
// progress bar. Whatever the answer, the journal is done with afterwards.
void TMorvaneFrm1::RecoverFromJournal() {
  const std::wstring path = JournalPath();
  recovering = true;
  struct Done {
    TMorvaneFrm1& form;
    ~Done() {
      form.recovering = false;
      if (!form.hwnd) return;
      EnableWindow(form.hwnd, TRUE);
      if (IsWindowVisible(form.hwnd)) form.panel->Focus();
      PostMessageW(form.hwnd, kDrainPendingMessage, 0, 0);
      PostMessageW(form.hwnd, kShowWelcomeMessage, 0, 0);  // the first showing left it to now
    }
  } done{*this};
  // The whole window is drawn before the record is read.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);

  std::string bytes;
  const Journal journal = ReadWholeFile(path, bytes) ? ReadJournal(bytes) : Journal{{}, false};
  FolderNames checked(ScanFolder);
  const RecoveryOutcome preview = journal.readable ? PreviewRecovery(journal, ListedNames(checked)) : RecoveryOutcome{};
  // From here each box rests the window while it asks.
  EnableWindow(hwnd, TRUE);
  if (!journal.readable) {
    // Kept for whoever wants to look, out of the way of the next journal.
    const std::wstring aside = path + kSetAsideSuffix;
    std::wstring text = Text(TextId::MsgJournalUnreadable, {path});
    if (MoveEntry(path, aside, MOVEFILE_REPLACE_EXISTING))
      text += L"\r" + Text(TextId::MsgJournalKeptAs, {aside});
    ShowDialog(hwnd, ReportBox(text, DialogIcon::Warning));
    return;
  }
  if (preview.takenBack > 0) {
    const DialogRequest offer{ApplicationTitle(),
                              Text(TextId::MsgJournalOffer, {std::to_wstring(preview.takenBack)}),
                              DialogIcon::Question,
                              {Text(TextId::ButtonYes), Text(TextId::ButtonNo)},
                              {},
                              0,
                              1};
    // The progress bar is made before the question, so that the answer
    // starts the taking back at once.
    MakeProgressPanel();
    if (ShowDialog(hwnd, offer) == 0) {
      const RecoveryOutcome outcome = TakeBackFromJournal(journal, preview.takenBack, checked);
      ShowDialog(hwnd, ReportBox(RecoverySummary(outcome),
                                 outcome.leftAlone.empty() ? DialogIcon::Information : DialogIcon::Warning));
    }
  } else if (!preview.leftAlone.empty()) {
    ShowDialog(hwnd, ReportBox(RecoverySummary(preview), DialogIcon::Warning));
  }
  DeleteFileAt(path);
}

// The journal's unfinished work taken back, `expected` changes in all, with
// the progress bar over the list. The listings of the check serve on, kept
// up to date as the renames are made: what changed on the disk while the
// offer waited can only make a change fail (none replaces an entry), and
// is then left alone and reported.
RecoveryOutcome TMorvaneFrm1::TakeBackFromJournal(const Journal& journal, int expected, FolderNames& listed) {
  const HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // where the box was
  ShowProgress(true, expected);
  int made = 0;
  RecoveryPorts onDisk;
  onDisk.renameBack = [&](const std::wstring& from, const std::wstring& to) {
    const bool back = renameOnDisk(from, to, false) == 0;
    SetProgress(made += back);
    return back;
  };
  onDisk.putBack = [&](const std::wstring& path, const std::wstring& kept) {
    const bool back = putBackOnDisk(path, kept) == 0;
    SetProgress(made += back);
    return back;
  };
  onDisk.sameFile = SameFile;
  onDisk.removeName = RemoveName;
  const RecoveryOutcome outcome = Recover(journal, ListedRecoveryPorts(listed, std::move(onDisk)));
  ShowProgress(false, 0);
  SetCursor(cursor);
  return outcome;
}

}  // namespace rn
