// Editing the list from the window: the list's context menu, removing,
// clearing, sorting, checking and moving rows, the file's date and
// attributes, the information panel and the character position strip.
#include <windows.h>

#include <utility>

#include "base/DateLocale.h"
#include "base/LongPath.h"
#include "base/Text.h"
#include "base/Texts.h"
#include "base/FileSystem_win.h"
#include "core/MainForm_win.h"
#include "filelist/FileInfo.h"
#include "filelist/FileTime.h"
#include "ui/CharPosit_win.h"
#include "ui/Controls_win.h"
#include "ui/Grid_win.h"
#include "ui/InfoPanel_win.h"

namespace rn {

// ---------------------------------------------------------------------------

void TMorvaneFrm1::ShowListMenu(POINT screen) {
  const UINT state = fileList.Empty() ? MF_GRAYED : MF_ENABLED;
  for (int id : {IdPopRemoveFile1, IdPopClearList1, IdPopGetFileDate1, IdPopGetFileAttr1, IdPopCharPosit1,
                 IdPopCheckFiles1, IdPopUnCheckFiles1, IdPopSelectAll1})
    EnableMenuItem(menus_.list, id, MF_BYCOMMAND | state);
  EnableMenuItem(menus_.list, 2, MF_BYPOSITION | state);  // "&Sort Files"
  CheckMenuItem(menus_.list, IdPopInfoPanel1, MF_BYCOMMAND | (infoPanelOpen ? MF_CHECKED : MF_UNCHECKED));
  TrackPopupMenu(menus_.list, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd, nullptr);
}

void TMorvaneFrm1::ShowInfoMenu(POINT screen) {
  EnableMenuItem(menus_.info, IdPopCopy5, MF_BYCOMMAND | (fileList.Empty() ? MF_GRAYED : MF_ENABLED));
  CheckMenuItem(menus_.info, IdPopFileInfo5, MF_BYCOMMAND | (infoPanelOpen ? MF_CHECKED : MF_UNCHECKED));
  TrackPopupMenu(menus_.info, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, hwnd, nullptr);
}

void TMorvaneFrm1::PopRemoveFile1Click() { RemoveSelectedRows(); }
void TMorvaneFrm1::PopSortbyName1Click() { SortList(ColFileName); }
void TMorvaneFrm1::PopSortbyDate1Click() { SortList(ColFileDate); }
void TMorvaneFrm1::PopSortbyType1Click() { SortList(ColExt); }
void TMorvaneFrm1::PopSortbyTaken1Click() { SortListByTaken(); }
void TMorvaneFrm1::PopCheckFiles1Click() { SetCheckOnSelection(true); }
void TMorvaneFrm1::PopUnCheckFiles1Click() { SetCheckOnSelection(false); }
void TMorvaneFrm1::PopSelectAll1Click() { SelectAll(); }
void TMorvaneFrm1::PopClearList1Click() { ClearList(); }
void TMorvaneFrm1::Button4Click() { ClearList(); }
void TMorvaneFrm1::PopGetFileDate1Click() { ShowFileDate(); }
void TMorvaneFrm1::PopGetFileAttr1Click() { ShowFileAttributes(); }
void TMorvaneFrm1::PopCharPosit1Click() { OpenCharPosition(); }
void TMorvaneFrm1::PopInfoPanel1Click() { ToggleInfoPanel(); }
void TMorvaneFrm1::PopFileInfo5Click() { ToggleInfoPanel(); }
void TMorvaneFrm1::PopCopy5Click() { CopyInfoToClipboard(); }

void TMorvaneFrm1::RemoveSelectedRows() {
  if (ListBusy()) return;
  if (fileList.Empty()) return;
  HWND grid = Control(IdStringGrid1);
  int first = 0, last = 0;
  GridGetSelection(grid, first, last);
  fileList.RemoveRows(first, last);
  GridRowsChanged(grid);
  FitPathColumn();
  if (fileList.EntryCount() < 2) EnableWindow(Control(IdScrollBar1), FALSE);
  if (fileList.Empty()) {
    EnableWindow(Control(IdButton2), FALSE);
    SetWindowTextW(Control(IdButton1), Text(TextId::Button1Add).c_str());
    for (int id : {IdButton4, IdSpeedButton5, IdScrollBar1}) EnableWindow(Control(id), FALSE);
  }
  RefreshCaption();
}

void TMorvaneFrm1::ClearList() {
  if (ListBusy()) return;
  fileList.Clear();
  for (int id : {IdButton2, IdButton3}) EnableWindow(Control(id), FALSE);
  SetWindowTextW(Control(IdButton1), Text(TextId::Button1Add).c_str());
  for (int id : {IdButton4, IdSpeedButton5, IdScrollBar1}) EnableWindow(Control(id), FALSE);
  SendMessageW(Control(IdComboBox4), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  for (int id : {IdButton10, IdButton11, IdButton9}) EnableWindow(Control(id), FALSE);
  HWND grid = Control(IdStringGrid1);
  GridRowsChanged(grid);
  RefreshCaption();
  GridSetColumnWidth(grid, ColShortPath, pathColumnWidth_);
  SetWorkingFolder(context_.programFolder);
  runCount = 0;
  replacedByRun_.clear();  // the replaced files stay where they went
  journal_->End();  // the undo log is gone, and with it what the journal insures
  // The run count " (N)" goes from the undo button's caption.
  std::wstring undo = WindowText(Control(IdButton3));
  const size_t space = undo.find(L' ');
  if (space != std::wstring::npos) SetWindowTextW(Control(IdButton3), undo.substr(0, space).c_str());
  ClearFileInfoFields();
}

void TMorvaneFrm1::SortList(int keyColumn) {
  if (ListBusy()) return;
  if (fileList.Empty()) return;
  fileList.SortBy(keyColumn, CompareLocaleNoCase);
  InvalidateRect(Control(IdStringGrid1), nullptr, FALSE);
}

void TMorvaneFrm1::SetCheckOnSelection(bool checked) {
  if (ListBusy()) return;
  if (fileList.Empty()) return;
  HWND grid = Control(IdStringGrid1);
  int first = 0, last = 0;
  GridGetSelection(grid, first, last);
  for (int row = first; row <= last; ++row) fileList.Row(row).checked = checked;
  GridRowsStateChanged(grid, first, last);
}

void TMorvaneFrm1::SelectAll() {
  if (fileList.Empty()) return;
  GridSetSelection(Control(IdStringGrid1), 0, fileList.RowCount() - 1);
}

void TMorvaneFrm1::ScrollBar1Scroll(int delta) {
  if (ListBusy()) return;
  HWND grid = Control(IdStringGrid1);
  int first = 0, last = 0;
  GridGetSelection(grid, first, last);
  const int current = GridCurrentRow(grid);
  if (!fileList.Empty() && fileList.MoveBlock(first, last, delta)) {
    // The selection and the current row follow the rows.
    if (current == first - delta)
      GridSetSelection(grid, last, first);
    else
      GridSetSelection(grid, first, last);
    InvalidateRect(grid, nullptr, FALSE);
  }
  SetScrollPos(Control(IdScrollBar1), SB_CTL, 0, TRUE);
  SetFocus(grid);
}

void TMorvaneFrm1::StringGrid1Mouse(int row, int col, UINT msg) {
  if (ListBusy()) return;
  if (fileList.Empty()) return;
  HWND grid = Control(IdStringGrid1);
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (col == ColCheckMark && row >= 0) {
        fileList.Row(row).checked = !fileList.Row(row).checked;
        GridRowsStateChanged(grid, row, row);
      }
      break;
    case WM_RBUTTONUP: {
      int first = 0, last = 0;
      GridGetSelection(grid, first, last);
      if (first == last && row >= 0) GridSetSelection(grid, row, row);
      break;
    }
    default: break;
  }
}

void TMorvaneFrm1::StringGrid1SelectionChanged() { FillFileInfo(); }

void TMorvaneFrm1::ShowFileDate() {
  if (fileList.Empty()) return;
  const FileRow& row = std::as_const(fileList).Row(GridCurrentRow(Control(IdStringGrid1)));
  std::wstring when;
  // A file deleted behind the program's back shows no date.
  if (auto stamp = ReadFileTime(row.FullPath(), dateTypeSetting)) {
    const DateLocale dates = SystemDateLocale();
    when = dates.shortDate(*stamp) + L" " + dates.longTime(*stamp);
  }
  ShowMessagePlain(hwnd, row.name + L" = " + when);
}

void TMorvaneFrm1::ShowFileAttributes() {
  if (fileList.Empty()) return;
  const FileRow& row = std::as_const(fileList).Row(GridCurrentRow(Control(IdStringGrid1)));
  const DWORD attributes = FileAttributes(row.FullPath());
  ShowMessagePlain(hwnd,
                   row.name + L" = " + (attributes == INVALID_FILE_ATTRIBUTES ? L"" : AttributeNames(attributes)));
}

// ---------------------------------------------------------------------------
// Information panel and character position strip

void TMorvaneFrm1::FillFileInfo() {
  HWND panel = Control(IdPanelInfo);
  rn::ClearFileInfo(panel);
  int first = 0, last = 0;
  GridGetSelection(Control(IdStringGrid1), first, last);
  if (first != last || !infoPanelOpen || fileList.Empty()) return;
  const FileRow& row = std::as_const(fileList).Row(GridCurrentRow(Control(IdStringGrid1)));
  rn::FillFileInfo(panel, row.FullPath(), row.name, MediaOf(row));
}

void TMorvaneFrm1::ClearFileInfoFields() { rn::ClearFileInfo(Control(IdPanelInfo)); }

void TMorvaneFrm1::ToggleInfoPanel() {
  SetInfoPanelOpen(!infoPanelOpen);
  if (infoPanelOpen) {
    if (!fileList.Empty()) FillFileInfo();
  } else {
    ClearFileInfoFields();
  }
}

void TMorvaneFrm1::OpenCharPosition() {
  if (fileList.Empty()) return;
  MakeCharStrip();
  HWND grid = Control(IdStringGrid1);
  const RECT g = ControlBounds(grid);
  OpenCharPosit(Control(IdPanelCharPosit), std::as_const(fileList).Row(GridCurrentRow(grid)).name, dpi.Scale(24),
                g.top + dpi.Scale(2));
}

void TMorvaneFrm1::CopyInfoToClipboard() {
  if (!fileList.Empty()) rn::CopyInfoToClipboard(Control(IdPanelInfo), hwnd);
}

}  // namespace rn
