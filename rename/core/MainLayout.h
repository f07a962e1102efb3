// Where the main window's regions go for a given client size. Pure arithmetic
// on design pixels scaled to the screen, so it is tested without a window.
#pragma once
#include "base/Dpi.h"

namespace rn {

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  int Right() const { return x + w; }
  int Bottom() const { return y + h; }
  bool operator==(const Box&) const = default;
};

// Design sizes of the main window (pixels at 106 per inch).
namespace design {
inline constexpr int kClientWidth = 630;
inline constexpr int kClientHeight = 568;
inline constexpr int kLeft = 232;
inline constexpr int kTop = 110;
inline constexpr int kPanelRadioHeight = 198;
inline constexpr int kButtonBarHeight = 25;
inline constexpr int kInfoOpenHeight = 61;
inline constexpr int kInfoClosedHeight = 2;
inline constexpr int kPanel1Left = 603;
inline constexpr int kPanel1Width = 21;
inline constexpr int kCheckColumnWidth = 12;
inline constexpr int kScriptBarHeight = 21;
inline constexpr int kPreviewStatusHeight = 15;
}  // namespace design

struct MainLayout {
  Box panelRadio, topRule, bevel9, panel1, speedButton1, speedButton3, speedButton2, speedButton5, scrollBar1;
  Box bevel8, button1, button2, button3, button4, button5;
  Box grid, panelInfo;
  Box comboBox4, button10, button9, button12, button11;  // chooser, "Run script ..", "Edit", "New", "Del"
  Box previewStatus;  // the new names' counts, a line under the grid (no height without the column)
};

// What the buttons' captions need, in pixels (0: nothing measured): each
// button is as wide as designed, or as its caption and its edges need.
struct CaptionWidths {
  int button1 = 0, button2 = 0, button3 = 0, button4 = 0, button5 = 0;
  int button10 = 0, button9 = 0, button12 = 0, button11 = 0;
};

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, bool infoPanelOpen, const Dpi& dpi,
                             bool previewShown = false, const CaptionWidths& captions = {});

// The top line: the search button, the type filter and its label, the
// "Rename to" box and its label. The boxes keep their widths; the "Rename to"
// box stands a little right of the filter's label, but far enough left that
// the widest label the slot can show fits before the help button.
struct TopLine {
  Box search, filter, filterLabel, renameTo, renameToLabel;  // the boxes' heights include their lists
};
TopLine ComputeTopLine(const Dpi& dpi, int filterLabelWidth, int renameToLabelWidth, int helpButtonLeft,
                       int widestSlotLabel);

// Minimum tracking size in screen pixels.
inline int MinTrackWidth(int sizingFrameWidth) { return 630 + 2 * sizingFrameWidth; }
inline constexpr int kMinTrackHeight = 630;

// Start-up width: both sizing frames plus the right edge of Panel1.
inline int StartupWindowWidth(int sizingFrameWidth, const Dpi& dpi) {
  return 2 * sizingFrameWidth + dpi.Scale(design::kPanel1Left + design::kPanel1Width);
}

// Column 1 of the grid after a resize: what is left beside column 0 and the lines.
inline int PathColumnWidth(int gridWidth, int checkColumnWidth, int gridLineWidth) {
  return gridWidth - checkColumnWidth - 3 * gridLineWidth - 1;
}

// With the new names' column the path column's room is shared: the path
// keeps three fifths, the new names take the rest after a grid line. Without
// it the path keeps all (and `preview` is -1, the hidden column's width).
struct PathColumns {
  int path = 0;
  int preview = -1;
};
PathColumns SplitPathRoom(int room, int gridLineWidth, bool withPreview);

// Parses the stored "height|width"; false when it does not split into two numbers.
bool ParseWindowSize(const wchar_t* text, int& height, int& width);

}  // namespace rn
