#include "core/MainLayout.h"

#include <algorithm>
#include <string>

#include "base/Text.h"

namespace rn {

MainLayout ComputeMainLayout(int cw, int ch, bool infoOpen, const Dpi& dpi, bool previewShown,
                             const CaptionWidths& captions) {
  auto s = [&](int v) { return dpi.Scale(v); };
  // A push button's caption keeps clear of its raised edges and focus frame.
  auto fit = [&](int designed, int caption) { return std::max(s(designed), caption > 0 ? caption + s(12) : 0); };
  MainLayout l;
  const int panelH = s(design::kPanelRadioHeight);
  l.panelRadio = {0, 0, cw, panelH};
  l.topRule = {0, s(27), cw, 2};

  // Tool strip at the right edge of the operation panel.
  const int p1 = cw - s(26);
  l.panel1 = {p1, s(30), s(21), s(21)};
  l.speedButton1 = {p1 - 1, s(4), s(23), s(22)};
  l.speedButton3 = {p1 - 1, s(56), s(23), s(22)};
  l.speedButton2 = {p1 - 1, s(80), s(23), s(22)};
  l.speedButton5 = {p1 - 1, s(104), s(23), s(22)};
  l.scrollBar1 = {cw - s(55), s(150), s(17), s(40)};
  l.bevel9 = {p1 - s(14), s(30), 2, panelH - s(32)};

  // Button bar directly below the operation panel.
  const int barTop = panelH;
  const int barH = s(design::kButtonBarHeight);
  l.bevel8 = {0, barTop, cw, barH};
  const int by = barTop + s(2), bh = s(21);
  // At their designed places, or after the one before when that had to grow.
  auto after = [&](const Box& before, int designedX) { return std::max(s(designedX), before.Right() + s(6)); };
  l.button1 = {s(6), by, fit(112, captions.button1), bh};
  l.button2 = {after(l.button1, 124), by, fit(112, captions.button2), bh};
  l.button3 = {after(l.button2, 242), by, fit(90, captions.button3), bh};
  l.button4 = {after(l.button3, 338), by, fit(90, captions.button4), bh};
  const int closeW = fit(90, captions.button5);
  l.button5 = {cw - s(26) - closeW, by, closeW, bh};

  // Script bar on the bottom line.
  const int sh = s(design::kScriptBarHeight);
  const int st = ch - sh - 4;
  l.comboBox4 = {s(6), st, s(220), sh};
  int bx = l.comboBox4.Right() + s(6);
  l.button10 = {bx, st, fit(80, captions.button10), sh};
  l.button9 = {l.button10.Right() + s(4), st, fit(56, captions.button9), sh};
  l.button12 = {l.button9.Right() + s(4), st, fit(56, captions.button12), sh};
  l.button11 = {l.button12.Right() + s(4), st, fit(56, captions.button11), sh};

  // Info panel above the script bar, the new names' counts above it; the
  // grid fills what is left.
  const int infoH = s(infoOpen ? design::kInfoOpenHeight : design::kInfoClosedHeight);
  l.panelInfo = {0, st - s(4) - infoH, cw, infoH};
  const int statusH = previewShown ? s(design::kPreviewStatusHeight) : 0;
  l.previewStatus = {s(6), l.panelInfo.y - statusH, std::max(0, cw - s(12)), statusH};
  const int gridTop = barTop + barH;
  l.grid = {0, gridTop, cw, l.previewStatus.y - gridTop};
  if (l.grid.h < 0) l.grid.h = 0;
  return l;
}

PathColumns SplitPathRoom(int room, int gridLineWidth, bool withPreview) {
  if (!withPreview) return {room, -1};
  const int preview = std::max(0, (room - gridLineWidth) * 2 / 5);
  return {room - gridLineWidth - preview, preview};
}

bool ParseWindowSize(const wchar_t* text, int& height, int& width) {
  std::wstring value = text ? text : L"";
  size_t bar = value.find(L'|');
  if (bar == std::wstring::npos) return false;
  auto h = ParseInteger(value.substr(0, bar));
  auto w = ParseInteger(value.substr(bar + 1));
  if (!h || !w) return false;
  height = *h;
  width = *w;
  return true;
}

TopLine ComputeTopLine(const Dpi& dpi, int filterLabelWidth, int renameToLabelWidth, int helpButtonLeft,
                       int widestSlotLabel) {
  auto s = [&](int v) { return dpi.Scale(v); };
  TopLine t;
  const int top = s(4), line = s(21);
  t.filter = {s(74), top, s(88), s(200)};
  t.search = {t.filter.x - 1 - s(21), top, s(21), line};
  t.filterLabel = {t.filter.Right() + 1, top, filterLabelWidth, line};
  const int toWidth = s(150);
  const int room = helpButtonLeft - s(4) - widestSlotLabel;
  const int toLeft = std::min(t.filterLabel.Right() + s(120), room - toWidth);
  t.renameTo = {toLeft, top, toWidth, s(300)};
  t.renameToLabel = {t.renameTo.Right(), top, renameToLabelWidth, line};
  return t;
}

}  // namespace rn
