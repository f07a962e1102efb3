// Child controls and what placing them needs: creation, texts, bounds, the
// screen's density, the forms' font, text measuring, and parking beyond the
// right edge of the screen (optional controls are never hidden, only parked).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/Dpi.h"

namespace rn {

// Child controls: real Win32 windows that carry their captions as window text.
HWND MakeChild(HWND parent, const wchar_t* windowClass, const std::wstring& text, DWORD style, int id,
               const RECT& bounds, HFONT font, DWORD exStyle = 0);
inline RECT Bounds(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }

std::wstring WindowText(HWND hwnd);
// True when the control stands there with that size (for a drop-down combo
// box, the height of its open list).
bool IsInPlace(HWND control, int x, int y, int w, int h);
// Remembers the open list's height a drop-down combo box was given (others pass).
void NoteListHeight(HWND control, int h);
void MoveControl(HWND control, int x, int y, int w, int h);
inline void MoveControl(HWND control, const RECT& r) { MoveControl(control, r.left, r.top, r.right - r.left, r.bottom - r.top); }
void MoveControlTo(HWND control, int x, int y);  // keeps the size
RECT ControlBounds(HWND control);                // in the parent's client coordinates
int WidthOf(HWND control);
int HeightOf(HWND control);
// The text of a combo box's item (empty for no such item), and all items in order.
std::wstring ComboItemText(HWND combo, int index);
std::vector<std::wstring> ComboItems(HWND combo);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool on);

// The screen's pixels per inch, for scaling the design.
Dpi ScreenDpi();
// The forms' font ("MS Sans Serif", 11 design pixels) at the screen's density;
// the system's message font. The caller deletes them.
HFONT CreateFormFont(const Dpi& dpi, bool bold = false);
HFONT CreateMessageFont();
// A font like `base`, `pixelHeight` high (0: as high as base), bold or
// underlined as asked. The caller deletes it.
HFONT CreateDerivedFont(HFONT base, int pixelHeight, bool bold, bool underline);

// Width and line height of a text in a font, in pixels.
int TextWidth(HFONT font, const std::wstring& text);
int TextHeight(HFONT font);
// Where drawn text really ends: some font engines draw glyphs wider apart than
// their advances say, so the ink is measured too and the larger one counts.
int DrawnWidth(HFONT font, const std::wstring& text);
// Height of a text broken into lines at word ends to fit `width` pixels.
int WrappedTextHeight(HFONT font, const std::wstring& text, int width);
// Gives a label the width of its text in its own font.
void FitLabelWidth(HWND label);

// After Tab or Alt, systems of the NT family from version 6 on leave the focus
// and mnemonic marks of buttons unpainted: every button, radio button and
// check box of the form is redrawn at the next paint. Elsewhere nothing happens.
void RefreshControlsAfterKey(HWND form, UINT key);

// Tab on a form that is no dialog. The tab stops in the order the user meets
// them: those of the form's controls `order` lists, in that order; a container
// (WS_EX_CONTROLPARENT) stands for its own tab stops. Only
// visible, enabled tab stops in view count (parked ones do not); every radio
// button is one.
std::vector<HWND> TabStops(HWND form, const std::vector<HWND>& order);
// The stop after `from` (or before it, `back`), round the end; the first (or
// last) when the focus is elsewhere; nullptr when there is none. A focus
// inside a stop (a combo box's edit part) counts as on it.
HWND NextTabStop(const std::vector<HWND>& stops, HWND from, bool back);

// Adds window styles to a control that exists.
void AddStyle(HWND window, DWORD style, DWORD exStyle = 0);

// Parked controls stand this far beyond the right edge of the screen.
int ParkX(const Dpi& dpi);
void Park(HWND control, const Dpi& dpi);  // keeps its top and size
bool IsParked(HWND control);

}  // namespace rn
