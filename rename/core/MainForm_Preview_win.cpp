// The new names' column of the grid: what the run would name each checked
// row, decided by the run's own rules (RenamePreview.h) from the request on
// the panel and a cache of the folders' names, never from the disk itself.
//
// A change of the request or of the list starts the preview over; the rows
// in view are made as the grid paints them, and a pass in the run's order
// follows in idle time (timer messages come only when nothing else waits), a
// few milliseconds at a time, until every row is exact and the counts below
// the grid are complete. Small lists are done before the first paint.
#include <windows.h>

#include <utility>

#include "base/DateLocale.h"
#include "base/OptionKeys.h"
#include "base/Texts.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "engine/CaseConvert.h"
#include "engine/RenamePreview.h"
#include "filelist/FileTime.h"
#include "filelist/FolderNames.h"
#include "ui/Controls_win.h"

namespace rn {

namespace {

constexpr DWORD kSliceMs = 12;         // one step of the pass in idle time
constexpr int kRowsPerCheck = 256;     // rows between two looks at the clock
constexpr int kPassAtOnceRows = 4000;  // a list this long is done at each change (a few ms)

// A request the checks stop marks no row of its own: the names show as they
// would come out, quietly, and the line under the grid says why in red.
PreviewLook LookOf(PreviewMark mark) {
  switch (mark) {
    case PreviewMark::None: return PreviewLook::Blank;
    case PreviewMark::Change: return PreviewLook::Change;
    case PreviewMark::Unchanged:
    case PreviewMark::Refused: return PreviewLook::Same;
    default: return PreviewLook::Marked;
  }
}

// The reasons break their lines with a lone CR, as the message boxes do.
std::wstring HintLines(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == L'\r' && (i + 1 >= text.size() || text[i + 1] != L'\n')) out += L'\n';
  }
  return out;
}

size_t StampIndex(DateType type) { return type == DateCreated ? 1 : type == DateAccessed ? 2 : 0; }

}  // namespace

void TMorvaneFrm1::SetPreviewShown(bool shown) {
  showPreview = shown;
  if (settingsFile && ReadOption(*settingsFile, options::kShowPreview) != shown)
    WriteOption(*settingsFile, options::kShowPreview, shown);
  const UINT check = MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED);
  CheckMenuItem(menus_.settings, IdPopPreview2, check);
  CheckMenuItem(menus_.main, IdMenuPreview, check);
  if (!shown && preview_) {
    preview_->preview.Stop();
    preview_->started = false;
  }
  FormResize();  // the path column takes the room back, or shares it
  PreviewRequestMayHaveChanged();
  ShowPreviewStatus();
}

void TMorvaneFrm1::ForgetFolderNames() {
  if (!preview_) return;
  preview_->folders.Forget();
  preview_->started = false;
  InvalidateRect(Control(IdStringGrid1), nullptr, FALSE);
}

bool TMorvaneFrm1::ReadEntryTimesAgain() {
  if (!preview_) preview_ = std::make_unique<PreviewState>();
  preview_->folders.Forget();
  preview_->started = false;
  bool changed = false;
  for (int r = 0; r < fileList.EntryCount(); ++r) {
    const FileRow& row = std::as_const(fileList).Row(r);
    const FolderEntry* e = preview_->folders.Find(row.Folder(), row.name);
    if (!e) continue;  // gone: the run says so
    std::wstring date;
    if (auto stamp = StampFromTicks(e->ticks[StampIndex(dateTypeSetting)])) date = FormatFileDate(*stamp, dateSeparator_);
    if (date == row.date) continue;
    fileList.SetCell(ColFileDate, r, date);
    changed = true;
  }
  if (hwnd) InvalidateRect(Control(IdStringGrid1), nullptr, FALSE);
  return changed;
}

// Starts the preview over when what it shows is no longer what the run would
// do; true when it did. While the list is busy (a run, an undo) it shows nothing.
bool TMorvaneFrm1::PreviewCurrent() {
  if (!preview_) preview_ = std::make_unique<PreviewState>();
  PreviewState& s = *preview_;
  if (!showPreview || !panel || ListBusy() || intake.busy || fileList.Empty()) {
    const bool was = s.preview.Active();
    s.preview.Stop();
    s.started = false;
    if (was) ShowPreviewStatus();
    return was;
  }
  // Without an operation there is nothing to read off the panel (whose slot
  // is made when one is first chosen).
  const RenameTask task = currentOperation == kNoOperation ? RenameTask{} : panel->ReadRenameTask();
  // The date stamps show the entries' times: read afresh when chosen.
  if (task.Operation != s.task.Operation && (task.Operation == kOpDateToBegin || task.Operation == kOpDateToEnd))
    s.folders.Forget();
  if (s.started && task == s.task && s.listRevision == fileList.Revision() && s.dateType == dateTypeSetting &&
      s.language == ShownLanguage())
    return false;
  s.started = true;
  s.task = task;
  s.listRevision = fileList.Revision();
  s.dateType = dateTypeSetting;
  s.language = ShownLanguage();

  PreviewPorts ports;
  ports.entry = [this](const std::wstring& folder, const std::wstring& name) {
    const FolderEntry* e = preview_->folders.Find(folder, name);
    return !e ? EntryKind::None : e->isDir ? EntryKind::Folder : EntryKind::File;
  };
  ports.stamp = [this](const FileRow& row) -> std::optional<DateTime> {
    const FolderEntry* e = preview_->folders.Find(row.Folder(), row.name);
    if (!e) return std::nullopt;
    return StampFromTicks(e->ticks[StampIndex(preview_->dateType)]);
  };
  ports.fields.media = [this](const FileRow& row) { return MediaOf(row); };
  ports.fields.stamp = [this](const FileRow& row, DateType type) -> std::optional<DateTime> {
    const FolderEntry* e = preview_->folders.Find(row.Folder(), row.name);
    return e ? StampFromTicks(e->ticks[StampIndex(type)]) : std::nullopt;
  };
  ports.cases = &SystemCaseConverter();
  ports.dates = SystemDateLocale();
  s.preview.Start(task, fileList, std::move(ports));

  // A short list is exact before it is painted; a long one shows the rows in
  // view from themselves alone until the pass comes by.
  if (fileList.RowCount() <= kPassAtOnceRows) s.preview.Advance(kPassAtOnceRows);
  if (!s.preview.Done() && !s.timer) s.timer = SetTimer(hwnd, kPreviewTimerId, USER_TIMER_MINIMUM, nullptr) != 0;
  ShowPreviewStatus();
  return true;
}

void TMorvaneFrm1::PreviewRequestMayHaveChanged() {
  if (!hwnd || !IsWindow(hwnd) || previewHeld_) return;
  if (PreviewCurrent()) InvalidateRect(Control(IdStringGrid1), nullptr, FALSE);
}

void TMorvaneFrm1::PreviewIdle() {
  PreviewState* s = preview_.get();
  if (s && s->preview.Active() && !s->preview.Done() && !ListBusy()) {
    const DWORD start = GetTickCount();
    while (!s->preview.Advance(kRowsPerCheck) && GetTickCount() - start < kSliceMs) {
    }
    if (!s->preview.Done()) return;
    // The rows in view may have been shown from themselves alone.
    InvalidateRect(Control(IdStringGrid1), nullptr, FALSE);
    ShowPreviewStatus();
  }
  if (s) s->timer = false;
  KillTimer(hwnd, kPreviewTimerId);
}

void TMorvaneFrm1::FinishPreview() {
  PreviewCurrent();
  while (!preview_->preview.Advance(1 << 20)) {
  }
  PreviewIdle();
  ShowPreviewStatus();
}

GridPreviewCell TMorvaneFrm1::PreviewCell(int row) {
  GridPreviewCell cell;
  if (!preview_ || !preview_->preview.Active()) return cell;
  const RowPreview& p = preview_->preview.Row(row);
  cell.look = LookOf(p.mark);
  cell.text = p.name;
  cell.hint = HintLines(p.reason);
  return cell;
}

std::wstring TMorvaneFrm1::PreviewStatusText() const {
  if (!preview_ || !preview_->preview.Active()) return L"";
  const RenamePreview& p = preview_->preview;
  if (!p.Refusal().empty()) return p.Refusal().substr(0, p.Refusal().find(L'\r'));
  if (!p.Done()) return Text(TextId::PreviewCounting);
  return PreviewSummary(p.Counts());
}

LRESULT TMorvaneFrm1::PreviewStatusColour(HDC dc) {
  // The line turns red while the run would stop, or a row would collide, be
  // refused or not be found.
  const RenamePreview* p = preview_ && preview_->preview.Active() ? &preview_->preview : nullptr;
  const PreviewCounts c = p ? p->Counts() : PreviewCounts{};
  const bool marked = p && (!p->Refusal().empty() || (p->Done() && (c.collide > 0 || c.refused > 0 || c.missing > 0)));
  SetTextColor(dc, marked ? RGB(170, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TMorvaneFrm1::ShowPreviewStatus() {
  HWND status = Control(IdPreviewStatus);
  if (!status) return;
  const std::wstring text = PreviewStatusText();
  if (WindowText(status) != text) SetWindowTextW(status, text.c_str());
}

}  // namespace rn
