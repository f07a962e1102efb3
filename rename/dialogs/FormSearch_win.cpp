#include "dialogs/FormSearch_win.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "base/Text.h"
#include "base/Texts.h"
#include "filelist/SearchPath.h"
#include "ui/CommonDialogs_win.h"
#include "ui/Controls_win.h"
#include "ui/Modal_win.h"
#include "ui/SoftButt_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

namespace {

constexpr wchar_t kClassName[] = L"TFormSearch";

// Design of the dialog (pixels at the design resolution).
namespace design {
constexpr int kClientWidth = 367, kClientHeight = 88;
constexpr int kMargin = 8;
constexpr int kRight = kClientWidth - kMargin;
constexpr int kTopLineY = 4, kTopLineH = 17;
constexpr int kEditY = 22, kEditW = 331, kEditH = 21;
constexpr int kFolderButtonW = 17, kFolderButtonH = 18;
constexpr int kBottomY = 56, kButtonW = 68, kButtonH = 23, kButtonGap = 4;
constexpr int kComboW = 88, kComboH = 21, kComboDropDown = 200;
constexpr int kLabelGap = 3;
constexpr int kTextSlack = 6;
}  // namespace design

}  // namespace

SearchTexts CurrentSearchTexts() {
  return SearchTexts{Text(TextId::SearchCaption), Text(TextId::SearchComboBox1Hint), Text(TextId::Label2),
                     Text(TextId::SearchLabel1),  Text(TextId::SearchButton1Hint),   Text(TextId::SearchCheckBox1),
                     Text(TextId::SearchButton2), Text(TextId::SearchButton3),       Text(TextId::SearchBrowseTitle)};
}

TFormSearch::TFormSearch(SearchHost host) : host_(std::move(host)) {}

TFormSearch::~TFormSearch() {
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

bool TFormSearch::Create(HWND owner) {
  if (hwnd) return true;
  RegisterFormClass(kClassName);
  dpi_ = ScreenDpi();

  // A fixed-size dialog frame around the designed client area.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT r = Bounds(0, 0, dpi_.Scale(design::kClientWidth), dpi_.Scale(design::kClientHeight));
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  if (!CreateForm(this, kClassName, texts.caption, style, exStyle, 0, 0, r.right - r.left, r.bottom - r.top, owner))
    return false;
  CreateControls();
  ApplyTexts(texts.filterLabel);
  return true;
}

void TFormSearch::CreateControls() {
  fontOwner_.Reset(font_ = CreateFormFont(dpi_));

  using namespace design;
  auto s = [&](int v) { return dpi_.Scale(v); };
  const HWND p = hwnd;
  const HFONT f = font_;
  // Created in tab order: filter, path, recursion, then the two buttons.
  MakeChild(p, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, IdComboBox1,
            Bounds(s(kMargin), s(kBottomY + 1), s(kComboW), s(kComboDropDown)), f);
  MakeChild(p, L"STATIC", texts.filterLabel, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, IdLabelFilter,
            Bounds(s(kMargin + kComboW + kLabelGap), s(kBottomY + 1), s(80), s(kComboH)), f);
  MakeChild(p, L"STATIC", texts.pathLabel, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, IdLabelPath,
            Bounds(s(kMargin), s(kTopLineY), s(80), s(kTopLineH)), f);
  MakeChild(p, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY | ES_LOWERCASE, IdEdit1,
            Bounds(s(kMargin), s(kEditY), s(kEditW), s(kEditH)), f, WS_EX_CLIENTEDGE);
  HWND folder = CreateSoftButt(p, IdButton1, L"...",
                               Bounds(s(kRight - kFolderButtonW), s(kEditY) + (s(kEditH) - s(kFolderButtonH)) / 2,
                                      s(kFolderButtonW), s(kFolderButtonH)),
                               f);
  SoftButtSetTransparent(folder, false);
  SoftButtSetBorder(folder, true);
  MakeChild(p, L"BUTTON", texts.recursive, WS_TABSTOP | BS_AUTOCHECKBOX, IdCheckBox1,
            Bounds(s(kRight - 110), s(kTopLineY), s(110), s(kTopLineH)), f);
  MakeChild(p, L"BUTTON", texts.goFind, WS_TABSTOP | BS_DEFPUSHBUTTON, IdButton2,
            Bounds(s(kRight - 2 * kButtonW - kButtonGap), s(kBottomY), s(kButtonW), s(kButtonH)), f);
  MakeChild(p, L"BUTTON", texts.cancel, WS_TABSTOP | BS_PUSHBUTTON, IdButton3,
            Bounds(s(kRight - kButtonW), s(kBottomY), s(kButtonW), s(kButtonH)), f);

  tip_ = CreateTooltip(hwnd);
  SetTip(tip_, hwnd, Control(IdComboBox1), texts.filterHint);
  SetTip(tip_, hwnd, Control(IdButton1), texts.folderHint);
  focus_ = Control(IdEdit1);
}

std::wstring TFormSearch::Hint(int id) const { return TipText(tip_, hwnd, Control(id)); }

void TFormSearch::ApplyTexts(const std::wstring& filterLabel) {
  SetWindowTextW(hwnd, texts.caption.c_str());
  SetWindowTextW(Control(IdLabelFilter), (filterLabel.empty() ? texts.filterLabel : filterLabel).c_str());
  SetWindowTextW(Control(IdLabelPath), texts.pathLabel.c_str());
  SetWindowTextW(Control(IdCheckBox1), texts.recursive.c_str());
  SetWindowTextW(Control(IdButton2), texts.goFind.c_str());
  SetWindowTextW(Control(IdButton3), texts.cancel.c_str());
  SetTip(tip_, hwnd, Control(IdComboBox1), texts.filterHint);
  SetTip(tip_, hwnd, Control(IdButton1), texts.folderHint);

  // Texts size their controls, whatever font the system substitutes (some draw
  // a little wider than they measure): the filter label stops short of
  // "Go find ...", the check box keeps to the right margin.
  auto fit = [&](int id, int extra, int maxRight) {
    HWND c = Control(id);
    FitLabelWidth(c);
    const RECT r = ControlBounds(c);
    const int w = std::max<int>(0, std::min<int>(r.right + extra, maxRight) - r.left);
    MoveControl(c, r.left, r.top, w, r.bottom - r.top);
    return w;
  };
  const int slack = dpi_.Scale(design::kTextSlack), right = dpi_.Scale(design::kRight);
  fit(IdLabelFilter, slack, ControlBounds(Control(IdButton2)).left - dpi_.Scale(design::kLabelGap));
  const int checkW = fit(IdCheckBox1, GetSystemMetrics(SM_CXMENUCHECK) + dpi_.Scale(4) + slack, right);
  const RECT cr = ControlBounds(Control(IdCheckBox1));
  MoveControl(Control(IdCheckBox1), right - checkW, cr.top, checkW, cr.bottom - cr.top);
  fit(IdLabelPath, slack, right - checkW - dpi_.Scale(design::kLabelGap));
}

std::wstring TFormSearch::SelectedMask() const {
  HWND combo = Control(IdComboBox1);
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  return ComboItemText(combo, static_cast<int>(index));
}

std::wstring TFormSearch::SearchFolder() const { return SearchFolderOf(searchPath_); }

// The box shows the path in lower case; the search keeps the folder's own spelling.
void TFormSearch::SetSearchPath(const std::wstring& path) {
  searchPath_ = path;
  SetWindowTextW(Control(IdEdit1), path.c_str());
}

void TFormSearch::EnableControls(bool enabled) {
  for (int id : {IdButton1, IdButton2, IdButton3, IdComboBox1, IdCheckBox1}) EnableWindow(Control(id), enabled);
}

void TFormSearch::Close(bool ok) {
  ok_ = ok;
  done_ = true;
  if (!modal_) ShowWindow(hwnd, SW_HIDE);
}

// ---------------------------------------------------------------------------
// Handlers

void TFormSearch::FormShow() {
  HWND combo = Control(IdComboBox1);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const std::vector<std::wstring> masks = host_.masks ? host_.masks() : std::vector<std::wstring>{};
  const std::wstring filter = host_.typeFilter ? host_.typeFilter() : std::wstring();
  int selected = -1;
  for (size_t i = 0; i < masks.size(); ++i) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(masks[i].c_str()));
    // Masks are file-name patterns, so their case does not matter.
    if (selected < 0 && EqualsNoCase(masks[i], filter)) selected = static_cast<int>(i);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);

  const std::wstring last = host_.lastFolder ? host_.lastFolder() : std::wstring();
  SetSearchPath(ShownSearchPath(searchPath_, last, SelectedMask()));

  SendMessageW(Control(IdCheckBox1), BM_SETCHECK, BST_UNCHECKED, 0);
  focus_ = Control(IdEdit1);
  if (IsWindowVisible(hwnd)) SetFocus(focus_);
  // The dialog speaks the program's language; the label beside the filter box
  // says what the main window's own label says.
  texts = CurrentSearchTexts();
  ApplyTexts(host_.filterLabel ? host_.filterLabel() : std::wstring());
}

void TFormSearch::Button1Click() {
  const std::wstring previous = SearchFolder();
  std::optional<std::wstring> picked = BrowseForFolder(hwnd, texts.browseTitle, previous);
  // A cancelled browser, or a pick that is no file-system path, keeps the folder.
  const std::wstring folder = (picked && !Trim(*picked).empty()) ? AsFolder(*picked) : previous;
  SetSearchPath(folder + SelectedMask());
}

void TFormSearch::Button2Click() {
  if (searching_) return;
  const std::wstring folder = SearchFolder();
  const bool recursive = SendMessageW(Control(IdCheckBox1), BM_GETCHECK, 0, 0) == BST_CHECKED;
  {
    // A running search cannot be cancelled; the controls come back even when it fails.
    struct Busy {
      TFormSearch* form;
      HCURSOR previous;
      explicit Busy(TFormSearch* f) : form(f), previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {
        form->searching_ = true;
        form->EnableControls(false);
      }
      ~Busy() {
        form->EnableControls(true);
        form->searching_ = false;
        SetCursor(previous);
      }
    } busy(this);
    // Without a folder the scan would list whatever the current directory is.
    if (!folder.empty() && host_.search) host_.search(folder, recursive);
  }
  Close(true);
}

void TFormSearch::Button3Click() {
  if (!searching_) Close(false);
}

void TFormSearch::ComboBox1Change() {
  const LRESULT index = SendMessageW(Control(IdComboBox1), CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  SetSearchPath(SearchFolder() + SelectedMask());
  if (host_.selectFilter) host_.selectFilter(static_cast<int>(index));
}

// ---------------------------------------------------------------------------
// Messages and the modal loop

LRESULT TFormSearch::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      const int code = HIWORD(wp);
      if (id == IdComboBox1 && code == CBN_SELCHANGE) {
        ComboBox1Change();
      } else if (code == BN_CLICKED) {
        // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager.
        switch (id) {
          case IdButton1: Button1Click(); break;
          case IdButton2:
          case IDOK: Button2Click(); break;
          case IdButton3:
          case IDCANCEL: Button3Click(); break;
          default: break;
        }
      }
      return 0;
    }
    case DM_GETDEFID:
      // Enter presses the focused push button, otherwise "Go find ...".
      return MAKELRESULT(GetFocus() == Control(IdButton3) ? IdButton3 : IdButton2, DC_HASDEFID);
    case WM_ACTIVATE:
      // Like a dialog: the focus goes back to the control that had it.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) focus_ = focus;
      } else if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_)) {
        SetFocus(focus_);
      }
      return 0;
    case WM_SETCURSOR:
      if (searching_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE: Button3Click(); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

bool TFormSearch::ShowModal(HWND owner, int x, int y) {
  if (!hwnd || modal_) return false;
  if (owner && reinterpret_cast<HWND>(GetWindowLongPtrW(hwnd, GWLP_HWNDPARENT)) != owner)
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));

  // At the asked place, but never off the screen it is meant for.
  RECT wr{};
  GetWindowRect(hwnd, &wr);
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& work = mi.rcWork;
    x = std::clamp<int>(x, work.left, std::max<int>(work.left, work.right - (wr.right - wr.left)));
    y = std::clamp<int>(y, work.top, std::max<int>(work.top, work.bottom - (wr.bottom - wr.top)));
  }
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FormShow();

  // The owner rests while the dialog is up and comes back whatever happens.
  struct Showing {
    TFormSearch* form;
    explicit Showing(TFormSearch* f) : form(f) {
      form->modal_ = true;
      form->done_ = form->ok_ = false;
    }
    ~Showing() {
      form->modal_ = false;
      if (form->hwnd) ShowWindow(form->hwnd, SW_HIDE);
    }
  };
  Showing showing(this);
  ModalScope modal(owner);  // ends first: the owner is back before the dialog hides
  ShowWindow(hwnd, SW_SHOW);
  if (focus_) SetFocus(focus_);
  RunModalLoop(hwnd, done_, [&](const MSG& m) {
    if ((m.message == WM_KEYUP || m.message == WM_SYSKEYUP) && (m.hwnd == hwnd || IsChild(hwnd, m.hwnd)) &&
        host_.keyReleased)
      host_.keyReleased(hwnd, static_cast<UINT>(m.wParam));
  });
  return done_ && ok_;
}

}  // namespace rn
