// The undo journal from the window: the file beside Rename.ini that insures
// the undo log against a crash, and its recovery at start-up. The format and
// the decisions are the engine's (UndoJournal.h).
#include <windows.h>

#include <unordered_set>

#include "base/FileIo.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "engine/FileRename.h"
#include "engine/UndoJournal.h"

namespace rn {

namespace {

constexpr wchar_t kJournalName[] = L"Rename.journal";
constexpr wchar_t kSetAsideSuffix[] = L".bad";

std::optional<std::wstring> NameOnDiskOf(const std::wstring& path) {
  // A wildcard would find some other entry; no file name holds one.
  if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return std::wstring(data.cFileName);
}

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

std::wstring TMorvaneFrm1::JournalPath() const { return context_.programFolder + kJournalName; }

// The run's pairs reach the disk before its first rename.
void TMorvaneFrm1::JournalPlan(const std::vector<PlannedRename>& plan) {
  std::vector<JournalPair> pairs;
  pairs.reserve(plan.size());
  for (const PlannedRename& p : plan) pairs.push_back({p.folder + p.oldName, p.newName, false});
  journal_->BeginRun(runCount, TimeNow(), pairs, ListedInHistory());
}

// The CD clean-up asks as it goes: its pairs follow one by one.
void TMorvaneFrm1::JournalCdBegins() { journal_->BeginRun(runCount, TimeNow(), {}, ListedInHistory()); }

void TMorvaneFrm1::OpenJournal(bool on) {
  JournalFilePorts ports;
  if (!on) {
    ports.append = [](const std::string&, bool) { return true; };
    ports.replace = [](const std::string&) { return true; };
    ports.read = [](std::string&) { return false; };
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
  ports.read = [file](std::string& bytes) { return ReadWholeFile(file->Path(), bytes); };
  ports.remove = [file] {
    file->Close();
    DeleteFileW(file->Path().c_str());
  };
  journal_ = std::make_unique<JournalWriter>(std::move(ports));
}

// For a rewrite of the journal: a pair is still of use while a row's history
// cell of its level holds the name it was renamed from.
ListedPair TMorvaneFrm1::ListedInHistory() const {
  auto names = std::make_shared<std::vector<std::unordered_set<std::wstring>>>();
  return [this, names](int level, const std::wstring& oldName) {
    if (names->empty()) {
      names->resize(static_cast<size_t>(runCount) + 1);
      for (const FileRow& row : fileList.Rows())
        for (size_t n = 1; n < row.names.size() && n < names->size(); ++n)
          if (!row.names[n].empty()) (*names)[n].insert(row.names[n]);
    }
    return level > 0 && static_cast<size_t>(level) < names->size() &&
           (*names)[static_cast<size_t>(level)].count(oldName);
  };
}

// A journal left by a program that did not close normally: its unfinished
// work is offered back before anything can join the list. Whatever the
// answer, the journal is done with afterwards.
void TMorvaneFrm1::RecoverFromJournal() {
  const std::wstring path = JournalPath();
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;  // the last close was clean
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
    if (MoveFileExW(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
      text += L"\r" + Text(TextId::MsgJournalKeptAs, {aside});
    ShowDialog(hwnd, ReportBox(text, DialogIcon::Warning));
    return;
  }
  const RecoveryOutcome preview = PreviewRecovery(journal, NameOnDiskOf);
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
      const RecoveryOutcome outcome = Recover(
          journal, NameOnDiskOf,
          [this](const std::wstring& from, const std::wstring& to) { return renameOnDisk(from, to, false) == 0; });
      SetCursor(cursor);
      ShowDialog(hwnd, ReportBox(RecoverySummary(outcome),
                                 outcome.leftAlone.empty() ? DialogIcon::Information : DialogIcon::Warning));
    }
  } else if (!preview.leftAlone.empty()) {
    ShowDialog(hwnd, ReportBox(RecoverySummary(preview), DialogIcon::Warning));
  }
  DeleteFileW(path.c_str());
}

}  // namespace rn
