#include "ui/Panel_win.h"

#include <memory>

#include "ui/Form_win.h"

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
  auto panel = std::make_unique<PanelForm>();
  panel->edge = edge;
  return CreateChildForm(std::move(panel), kPanelClassName, L"", WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent, id, b);
}

}  // namespace rn
