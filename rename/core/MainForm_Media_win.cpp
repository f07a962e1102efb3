// What the files say about themselves, as the window uses it: sorting by the
// date a photo was taken.
#include <windows.h>

#include <string>
#include <vector>

#include "base/Text.h"
#include "core/MainForm_win.h"
#include "filelist/FileTime.h"
#include "ui/Grid_win.h"
#include "ui/InfoPanel_win.h"

namespace rn {

static_assert(design::kInfoOpenHeight == kInfoPanelHeight, "the window leaves the panel the room it lays out");

const MediaFields* TMorvaneFrm1::MediaOf(const FileRow& row) {
  // A file of no kind the readers take is neither opened nor kept.
  static const MediaFields kNothing;
  if (!row.isDir && !MayHoldMediaFields(row.name)) return &kNothing;
  if (!preview_) preview_ = std::make_unique<PreviewState>();
  const FolderEntry* e = preview_->folders.Find(row.Folder(), row.name);
  if (!e || e->isDir) return nullptr;
  return &preview_->media.Fields(row.FullPath(), e->size, e->ticks[0]);
}

void TMorvaneFrm1::SortListByTaken() {
  if (ListBusy() || fileList.Empty()) return;
  const HCURSOR was = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  std::vector<std::wstring> keys;
  keys.reserve(static_cast<size_t>(fileList.RowCount()));
  for (int r = 0; r < fileList.RowCount(); ++r) {
    const FileRow& row = std::as_const(fileList).Row(r);
    std::optional<DateTime> when;
    if (const MediaFields* media = MediaOf(row)) when = media->Taken;
    if (!when)
      if (const FolderEntry* e = preview_->folders.Find(row.Folder(), row.name)) when = StampFromTicks(e->ticks[0]);
    keys.push_back(when ? DateSortKey(*when) : std::wstring());
  }
  fileList.SortByKeys(std::move(keys), CompareLocaleNoCase);
  InvalidateRect(Control(IdStringGrid1), nullptr, FALSE);
  SetCursor(was);
}

}  // namespace rn
