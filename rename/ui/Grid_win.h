// The file list's grid control (StringGrid1): a window that paints only the
// rows in view straight from a FileList, so that long lists scroll at once.
// Whole rows are selected; a selection is one contiguous block of rows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "base/Dpi.h"
#include "filelist/FileList.h"

namespace rn {

inline constexpr const wchar_t* kGridClassName = L"TStringGrid";

// The column of new names stands right of the path column when the owner
// gives it a width; this is its number for hit tests and cell rectangles.
inline constexpr int kGridPreviewColumn = -2;

// How a new name is drawn: a change, a name that stays, a row the run would
// refuse or stop at, or nothing.
enum class PreviewLook { Blank, Change, Same, Marked };
struct GridPreviewCell {
  std::wstring text;
  PreviewLook look = PreviewLook::Blank;
  std::wstring hint;  // the tooltip over the cell; line breaks as CR LF
};

// Handlers the owner attaches. All are optional and are called after the grid
// has done its own part (selection, scrolling), so they see the new state.
struct GridEvents {
  // Button down, up and double-click (WM_LBUTTONDOWN ... WM_RBUTTONUP) with the
  // cell under the pointer (-1 where there is none) and the message's key flags.
  std::function<void(int row, int col, UINT msg, WPARAM keys)> mouse;
  // WM_KEYDOWN and WM_KEYUP (and their WM_SYS forms) with the virtual key.
  std::function<void(UINT vk)> key;
  std::function<void(UINT vk)> keyUp;
  // The user moved the current row or changed the selection.
  std::function<void()> selectionChanged;
  // Before the rows in view are painted, and then the new name of each.
  std::function<void()> beforePaint;
  std::function<GridPreviewCell(int row)> previewCell;
};

HWND CreateFileGrid(HWND parent, int controlId, const FileList* list, const Dpi& dpi,
                    const RECT& at = RECT{0, 0, 100, 100});
void GridSetEvents(HWND grid, GridEvents events);

// The row count or the cells changed: scroll range, selection and top row
// follow the list, and the grid is repainted once.
void GridRowsChanged(HWND grid);
// The check marks of rows first ... last changed: repainted, and screen
// readers told of the rows in view and of the current one.
void GridRowsStateChanged(HWND grid, int first, int last);
// The list the grid shows (nullptr for a window that is no grid), and the new
// name of a row as the grid paints it.
const FileList* GridList(HWND grid);
GridPreviewCell GridPreview(HWND grid, int row);

int GridTopRow(HWND grid);
void GridSetTopRow(HWND grid, int row);
// Whole rows that fit into the client area (at least 1).
int GridVisibleRows(HWND grid);
// More rows than fit, so the vertical scroll bar is shown.
bool GridHasScrollBar(HWND grid);

// Selection as first and last row (first <= last). Setting it clamps to the
// rows present, makes `last` the current row and does not call selectionChanged.
void GridGetSelection(HWND grid, int& first, int& last);
void GridSetSelection(HWND grid, int first, int last);
int GridCurrentRow(HWND grid);

// Width in pixels; -1 hides the column (kGridPreviewColumn too).
void GridSetColumnWidth(HWND grid, int col, int width);
int GridColumnWidth(HWND grid, int col);
int GridLineWidth(HWND grid);

// The tooltip's current text (empty when no hint is due).
std::wstring GridHintText(HWND grid);

// Client rectangle of a cell as painted (empty for a hidden column).
void GridCellRect(HWND grid, int col, int row, RECT& rect);
// The visible cell under a client point, the grid line after a cell counting
// as part of it; false outside every row or column.
bool GridHitTest(HWND grid, POINT client, int& col, int& row);

}  // namespace rn
