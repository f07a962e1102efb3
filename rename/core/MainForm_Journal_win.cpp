// The undo journal from the window: the file beside Rename.ini that insures
// the undo log against a crash, and its recovery at start-up. The format and
// the decisions are the engine's (UndoJournal.h).
#include <windows.h>

#include "base/FileIo.h"
#include "base/FileSystem_win.h"
#include "base/Path.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "engine/FileAside.h"
#include "engine/FileRename.h"
#include "engine/UndoJournal.h"

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
// work is offered back before anything can join the list. Whatever the
// answer, the journal is done with afterwards.
void TMorvaneFrm1::RecoverFromJournal() {
  const std::wstring path = JournalPath();
  if (FileAttributes(path) == INVALID_FILE_ATTRIBUTES) return;  // the last close was clean
  recovering = true;
  struct Done {
    TMorvaneFrm1& form;
    ~Done() {
      form.recovering = false;
      if (form.hwnd) PostMessageW(form.hwnd, kDrainPendingMessage, 0, 0);
    }
  } done{*this};

  std::string bytes;
  const Journal journal = ReadWholeFile(path, bytes) ? ReadJournal(bytes) : Journal{{}, false};
  if (!journal.readable) {
    // Kept for whoever wants to look, out of the way of the next journal.
    const std::wstring aside = path + kSetAsideSuffix;
    std::wstring text = Text(TextId::MsgJournalUnreadable, {path});
    if (MoveEntry(path, aside, MOVEFILE_REPLACE_EXISTING))
      text += L"\r" + Text(TextId::MsgJournalKeptAs, {aside});
    ShowDialog(hwnd, ReportBox(text, DialogIcon::Warning));
    return;
  }
  const RecoveryOutcome preview = PreviewRecovery(journal, SpellingOnDisk);
  if (preview.takenBack > 0) {
    const DialogRequest offer{ApplicationTitle(),
                              Text(TextId::MsgJournalOffer, {std::to_wstring(preview.takenBack)}),
                              DialogIcon::Question,
                              {Text(TextId::ButtonYes), Text(TextId::ButtonNo)},
                              {},
                              0,
                              1};
    if (ShowDialog(hwnd, offer) == 0) {
      const HCURSOR cursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      RecoveryPorts ports;
      ports.nameOnDisk = SpellingOnDisk;
      ports.renameBack = [this](const std::wstring& from, const std::wstring& to) {
        return renameOnDisk(from, to, false) == 0;
      };
      ports.putBack = [this](const std::wstring& path, const std::wstring& kept) {
        return putBackOnDisk(path, kept) == 0;
      };
      ports.sameFile = SameFile;
      ports.removeName = RemoveName;
      const RecoveryOutcome outcome = Recover(journal, ports);
      SetCursor(cursor);
      ShowDialog(hwnd, ReportBox(RecoverySummary(outcome),
                                 outcome.leftAlone.empty() ? DialogIcon::Information : DialogIcon::Warning));
    }
  } else if (!preview.leftAlone.empty()) {
    ShowDialog(hwnd, ReportBox(RecoverySummary(preview), DialogIcon::Warning));
  }
  DeleteFileAt(path);
}

}  // namespace rn
