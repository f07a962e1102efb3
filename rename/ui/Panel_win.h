// Panels and bevels: plain face-coloured areas with an etched edge. Controls
// placed over a panel are its siblings, so a panel stays at the bottom of the
// z-order and paints only what they leave uncovered.
#pragma once
#include <windows.h>

namespace rn {

inline constexpr const wchar_t* kPanelClassName = L"TPanel";

enum class PanelEdge { None, Frame, Horizontal, Vertical };

HWND MakePanel(HWND parent, int id, const RECT& bounds, PanelEdge edge);

}  // namespace rn
