#include "core/Panel_win.h"

#include <memory>

#include "core/Forms_win.h"

namespace rn {

namespace {

struct PanelForm : Form {
  PanelEdge edge = PanelEdge::None;

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND: return 1;
      case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wp)); return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_NCHITTEST:
        // Clicks on the bare panel belong to the form beneath it.
        return HTTRANSPARENT;
      default: return DefWindowProcW(hwnd, msg, wp, lp);
    }
  }

  void Paint(HDC dc) {
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    switch (edge) {
      case PanelEdge::Frame: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); break;
      case PanelEdge::Horizontal: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); break;
      case PanelEdge::Vertical: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); break;
      case PanelEdge::None: break;
    }
  }
};

}  // namespace

HWND MakePanel(HWND parent, int id, const RECT& b, PanelEdge edge) {
  RegisterFormClass(kPanelClassName, 0);
  auto panel = std::make_unique<PanelForm>();
  panel->edge = edge;
  HWND hwnd =
      CreateWindowExW(0, kPanelClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, b.left, b.top, b.right - b.left,
                      b.bottom - b.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                      GetModuleHandleW(nullptr), panel.get());
  if (hwnd) {
    panel->deleteWithWindow = true;  // from now on it goes with its window
    panel.release();
  }
  return hwnd;
}

}  // namespace rn
