// TSoftButt: a flat push button that paints itself and never takes the focus.
// It shows a raised edge while the mouse is over it and a sunken edge while it
// is held down, can draw a thin frame around itself, and reports the mouse
// entering and leaving. A click (press and release on it) sends
// WM_COMMAND(MAKEWPARAM(id, BN_CLICKED), button) to the parent, as a push
// button does; BM_CLICK clicks it too. Its caption is its window text.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace rn {

inline constexpr const wchar_t* kSoftButtClassName = L"TSoftButt";
// Size in design pixels when created with empty bounds.
inline constexpr int kSoftButtDefaultWidth = 35;
inline constexpr int kSoftButtDefaultHeight = 20;

// Border = true, Transparent = false, Flat = true at creation. Empty bounds
// give the default size, scaled to the screen.
HWND CreateSoftButt(HWND parent, int id, const std::wstring& caption, const RECT& bounds, HFONT font);

// Each setter stores the value and repaints. Functions given a window that is
// no TSoftButt do nothing (getters answer false).
void SoftButtSetBorder(HWND button, bool border);            // one-pixel shadow frame around the control
void SoftButtSetTransparent(HWND button, bool transparent);  // false: clears its area with the face colour
void SoftButtSetFlat(HWND button, bool flat);                // hover and pressed edges only when flat
bool SoftButtBorder(HWND button);
bool SoftButtTransparent(HWND button);
bool SoftButtFlat(HWND button);

// OnEnter fires when the mouse enters an enabled button, OnExit whenever it
// leaves (also when disabled); both get the button.
void SoftButtSetOnEnter(HWND button, std::function<void(HWND)> handler);
void SoftButtSetOnExit(HWND button, std::function<void(HWND)> handler);

bool SoftButtMouseInside(HWND button);  // the hover state
bool SoftButtDown(HWND button);         // pressed (sunken): the left button is held on it

}  // namespace rn
