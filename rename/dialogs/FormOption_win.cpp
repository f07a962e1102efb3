#include "dialogs/FormOption_win.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "base/Text.h"
#include "ui/ArrowBox_win.h"
#include "ui/Controls_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

namespace {

constexpr wchar_t kClassName[] = L"TFormOption";

// Design of the dialog (pixels at the design resolution).
namespace design {
constexpr int kMargin = 12, kTop = 10, kRow = 21, kBoxHeight = 17;
constexpr int kDateRowGap = 3, kLanguageRowGap = 7, kButtonsGap = 12;
constexpr int kButtonW = 75, kButtonH = 23, kButtonGap = 6;
constexpr int kComboW = 100, kComboDropDown = 80, kLabelGap = 8;
constexpr int kTextSlack = 6, kSelectorSlack = 12, kInlineGap = 4;
// The client area ends this far right of and below "cancel".
constexpr int kRightEdge = 5, kBottomEdge = 6;
}  // namespace design

// The check boxes from top to bottom with their texts and hints; the date row
// stands after the third, the language row after the last.
struct CheckBoxText {
  int id;
  TextId caption, hint;
};
constexpr CheckBoxText kCheckBoxes[] = {
    {TFormOption::IdCheckBox1, TextId::OptionCheckBox1, TextId::OptionCheckBox1Hint},
    {TFormOption::IdCheckBox2, TextId::OptionCheckBox2, TextId::OptionCheckBox2Hint},
    {TFormOption::IdCheckBox3, TextId::OptionCheckBox3, TextId::OptionCheckBox3Hint},
    {TFormOption::IdCheckBox4, TextId::OptionCheckBox4, TextId::OptionCheckBox4Hint},
    {TFormOption::IdCheckBox9, TextId::OptionCheckBox9, TextId::OptionCheckBox9Hint},
    {TFormOption::IdCheckBox6, TextId::OptionCheckBox6, TextId::OptionCheckBox6Hint},
    {TFormOption::IdCheckBox5, TextId::OptionCheckBox5, TextId::OptionCheckBox5Hint},
    {TFormOption::IdCheckBox7, TextId::OptionCheckBox7, TextId::OptionCheckBox7Hint},
};
constexpr size_t kBoxesAboveDateRow = 3;

std::wstring DateKindName(int position, Language language) {
  return std::wstring(Text(position == 2 ? TextId::OptionDateKind2 : TextId::OptionDateKind1, language));
}

}  // namespace

TFormOption::TFormOption(OptionHost host) : host_(std::move(host)) {}

TFormOption::~TFormOption() = default;

bool TFormOption::Create(HWND owner) {
  if (hwnd) return true;
  if (!CreateDialogWindow(kClassName, std::wstring(Text(TextId::OptionCaption, textLanguage_)), owner)) return false;
  CreateControls();
  ApplyTexts(textLanguage_);
  return true;
}

void TFormOption::CreateControls() {
  auto s = [&](int v) { return dpi_.Scale(v); };
  const HWND p = hwnd;
  const HFONT f = font_;
  // Created in tab order, top to bottom; Layout places them.
  auto box = [&](int id) {
    MakeChild(p, L"BUTTON", L"", WS_TABSTOP | BS_AUTOCHECKBOX, id, Bounds(0, 0, s(100), s(design::kBoxHeight)), f);
  };
  for (size_t i = 0; i < kBoxesAboveDateRow; ++i) box(kCheckBoxes[i].id);
  // The date kind's box lies over the blanks of its label, its arrows over the box's right end.
  CreateArrowBox(p, {IdEdit8, IdScrollBar8}, ES_READONLY | WS_TABSTOP, f, dpi_, 0, s(80));
  MakeChild(p, L"STATIC", L"", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY | WS_CLIPSIBLINGS, IdLabel2,
            Bounds(0, 0, s(100), s(kArrowBoxHeight)), f);
  SetArrowRange(Control(IdScrollBar8), 0, 3, 1);
  for (size_t i = kBoxesAboveDateRow; i < std::size(kCheckBoxes); ++i) box(kCheckBoxes[i].id);
  EnableWindow(Control(IdCheckBox6), FALSE);  // the selections panel cannot be hidden
  MakeChild(p, L"STATIC", L"", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, IdLabel1,
            Bounds(0, 0, s(100), s(kArrowBoxHeight)), f);
  HWND languages = MakeChild(p, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, IdComboBox1,
                             Bounds(0, 0, s(design::kComboW), s(design::kComboDropDown)), f);
  for (const wchar_t* name : kLanguageNames) SendMessageW(languages, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  MakeChild(p, L"BUTTON", L"", WS_TABSTOP | BS_DEFPUSHBUTTON, IdButtonOk,
            Bounds(0, 0, s(design::kButtonW), s(design::kButtonH)), f);
  MakeChild(p, L"BUTTON", L"", WS_TABSTOP | BS_PUSHBUTTON, IdButtonCancel,
            Bounds(0, 0, s(design::kButtonW), s(design::kButtonH)), f);

  tip_ = CreateTooltip(hwnd);
  if (tip_) {
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 3500);
  }
}

std::wstring TFormOption::Hint(int id) const { return TipText(tip_, hwnd, Control(id)); }

void TFormOption::ApplyTexts(Language language) {
  textLanguage_ = language;
  SetWindowTextW(hwnd, std::wstring(Text(TextId::OptionCaption, language)).c_str());
  for (const CheckBoxText& b : kCheckBoxes) {
    SetWindowTextW(Control(b.id), std::wstring(Text(b.caption, language)).c_str());
    SetTip(tip_, hwnd, Control(b.id), std::wstring(Text(b.hint, language)));
  }
  SetWindowTextW(Control(IdLabel2), std::wstring(Text(TextId::OptionLabel2, language)).c_str());
  const std::wstring dateHint(Text(TextId::OptionLabel2Hint, language));
  SetTip(tip_, hwnd, Control(IdLabel2), dateHint);
  SetTip(tip_, hwnd, Control(IdEdit8), dateHint);
  SetWindowTextW(Control(IdLabel1), std::wstring(Text(TextId::OptionLabel1, language)).c_str());
  SetWindowTextW(Control(IdButtonOk), std::wstring(Text(TextId::OptionOk, language)).c_str());
  SetWindowTextW(Control(IdButtonCancel), std::wstring(Text(TextId::OptionCancel, language)).c_str());
  ShowDateType(GetScrollPos(Control(IdScrollBar8), SB_CTL));
  Layout();
}

// Every control takes the width of its text in the language shown, and the
// dialog grows to hold the widest line.
void TFormOption::Layout() {
  using namespace design;
  auto s = [&](int v) { return dpi_.Scale(v); };
  const int left = s(kMargin), slack = s(kTextSlack);
  const int checkIndent = GetSystemMetrics(SM_CXMENUCHECK) + s(4);
  int right = 0, y = s(kTop);
  auto place = [&](HWND c, int x, int top, int w, int h) {
    MoveControl(c, x, top, w, h);
    right = std::max(right, x + w);
  };
  auto checkBox = [&](const CheckBoxText& b) {
    HWND c = Control(b.id);
    place(c, left, y, checkIndent + DrawnWidth(font_, WindowText(c)) + slack, s(kBoxHeight));
    y += s(kRow);
  };
  for (size_t i = 0; i < kBoxesAboveDateRow; ++i) checkBox(kCheckBoxes[i]);

  // The date kind's box stands in the run of blanks of its label's text; a
  // font that draws blanks narrow gets more of them, so nothing overlaps.
  y += s(kDateRowGap);
  HWND label2 = Control(IdLabel2);
  std::wstring caption = WindowText(label2);
  const size_t blanks = std::min(caption.find(L' '), caption.size());
  const size_t tail = std::min(caption.find_first_not_of(L' ', blanks), caption.size());
  const int boxLeft = left + DrawnWidth(font_, caption.substr(0, blanks + 1));
  const int boxWidth =
      std::max(DrawnWidth(font_, DateKindName(1, textLanguage_)), DrawnWidth(font_, DateKindName(2, textLanguage_))) +
      s(kArrowsWidth + kSelectorSlack);
  std::wstring head = caption.substr(0, tail);
  while (tail < caption.size() && left + TextWidth(font_, head) < boxLeft + boxWidth + s(kInlineGap)) head += L' ';
  if (head.size() > tail) {
    caption = head + caption.substr(tail);
    SetWindowTextW(label2, caption.c_str());
  }
  place(label2, left, y, DrawnWidth(font_, caption) + slack, s(kArrowBoxHeight));
  PlaceArrowBox(hwnd, {IdEdit8, IdScrollBar8}, dpi_, boxLeft, y, boxWidth);
  right = std::max(right, boxLeft + boxWidth);
  y += s(kArrowBoxHeight) + s(kDateRowGap) + (s(kRow) - s(kBoxHeight));

  for (size_t i = kBoxesAboveDateRow; i < std::size(kCheckBoxes); ++i) checkBox(kCheckBoxes[i]);

  y += s(kLanguageRowGap) - (s(kRow) - s(kBoxHeight));
  HWND label1 = Control(IdLabel1);
  const int label1Width = DrawnWidth(font_, WindowText(label1)) + slack;
  place(label1, left, y, label1Width, s(kArrowBoxHeight));
  HWND combo = Control(IdComboBox1);
  const int comboLeft = left + label1Width + s(kLabelGap);
  MoveControl(combo, comboLeft, y, s(kComboW), s(kComboDropDown));
  right = std::max(right, comboLeft + s(kComboW));
  y += HeightOf(combo) + s(kButtonsGap);

  // "ok" and "cancel" at the bottom right; the client area ends just past "cancel".
  const int buttonW = std::max({s(kButtonW), DrawnWidth(font_, WindowText(Control(IdButtonOk))) + 2 * slack,
                                DrawnWidth(font_, WindowText(Control(IdButtonCancel))) + 2 * slack});
  const int cancelRight = std::max(right, left + 2 * buttonW + s(kButtonGap));
  MoveControl(Control(IdButtonCancel), cancelRight - buttonW, y, buttonW, s(kButtonH));
  MoveControl(Control(IdButtonOk), cancelRight - 2 * buttonW - s(kButtonGap), y, buttonW, s(kButtonH));
  SetClientSize(cancelRight + s(kRightEdge), y + s(kButtonH) + s(kBottomEdge));
}

void TFormOption::ShowDateType(int position) {
  position = WrapDateTypePosition(position);
  SetScrollPos(Control(IdScrollBar8), SB_CTL, position, TRUE);
  SetWindowTextW(Control(IdEdit8), DateKindName(position, textLanguage_).c_str());
}

OptionValues TFormOption::ReadControls() const {
  OptionValues v;
  const LRESULT language = SendMessageW(Control(IdComboBox1), CB_GETCURSEL, 0, 0);
  v.language = language == CB_ERR ? std::wstring() : ComboItemText(Control(IdComboBox1), static_cast<int>(language));
  v.windowPosition = IsChecked(Control(IdCheckBox1));
  v.windowSize = IsChecked(Control(IdCheckBox2));
  v.stayOnTop = IsChecked(Control(IdCheckBox3));
  v.dateType = WrapDateTypePosition(GetScrollPos(Control(IdScrollBar8), SB_CTL));
  v.lastSelection = IsChecked(Control(IdCheckBox4));
  v.renamingHints = IsChecked(Control(IdCheckBox9));
  v.showMenus = !IsChecked(Control(IdCheckBox5));
  v.showFileInfo = IsChecked(Control(IdCheckBox7));
  return v;
}

// ---------------------------------------------------------------------------
// Handlers

void TFormOption::FormShow() {
  const OptionValues v = host_.current ? host_.current() : OptionValues{};
  // The texts follow the stored language; any other value keeps the ones shown.
  if (std::optional<Language> language = LanguageFromSetting(v.language)) textLanguage_ = *language;
  ApplyTexts(textLanguage_);

  SetChecked(Control(IdCheckBox1), v.windowPosition);
  SetChecked(Control(IdCheckBox2), v.windowSize);
  SetChecked(Control(IdCheckBox3), v.stayOnTop);
  SetChecked(Control(IdCheckBox4), v.lastSelection);
  SetChecked(Control(IdCheckBox9), v.renamingHints);
  SetChecked(Control(IdCheckBox6), false);
  SetChecked(Control(IdCheckBox5), !v.showMenus);
  SetChecked(Control(IdCheckBox7), v.showFileInfo);
  ShowDateType(v.dateType);
  int selected = -1;
  for (int i = 0; i < static_cast<int>(std::size(kLanguageNames)); ++i)
    if (EqualsNoCase(kLanguageNames[i], v.language)) selected = i;
  SendMessageW(Control(IdComboBox1), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void TFormOption::Button_okClick() {
  const OptionValues values = ReadControls();
  EndModal(true);
  if (host_.apply) host_.apply(values);
}

void TFormOption::Button_cancelClick() { EndModal(false); }

void TFormOption::ScrollBar8Scroll(int step) { ShowDateType(GetScrollPos(Control(IdScrollBar8), SB_CTL) + step); }

// ---------------------------------------------------------------------------
// Messages

LRESULT TFormOption::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) break;
      // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager.
      switch (LOWORD(wp)) {
        case IdButtonOk:
        case IDOK: Button_okClick(); return 0;
        case IdButtonCancel:
        case IDCANCEL: Button_cancelClick(); return 0;
        default: return 0;
      }
    case DM_GETDEFID:
      return MAKELRESULT(GetFocus() == Control(IdButtonCancel) ? IdButtonCancel : IdButtonOk, DC_HASDEFID);
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lp) == Control(IdScrollBar8)) {
        switch (LOWORD(wp)) {
          case SB_LINEUP:
          case SB_PAGEUP: ScrollBar8Scroll(-1); break;
          case SB_LINEDOWN:
          case SB_PAGEDOWN: ScrollBar8Scroll(+1); break;
          default: break;
        }
        return 0;
      }
      break;
    default: break;
  }
  return DefaultHandle(msg, wp, lp);
}

bool TFormOption::ShowModal(HWND owner) {
  if (!hwnd || Showing()) return false;
  FormShow();
  RECT area{}, wr{};
  if (owner && IsWindowVisible(owner))
    GetWindowRect(owner, &area);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(hwnd, &wr);
  const int x = area.left + ((area.right - area.left) - (wr.right - wr.left)) / 2;
  const int y = area.top + ((area.bottom - area.top) - (wr.bottom - wr.top)) / 2;
  return RunModal(owner, x, y, host_.keyReleased);
}

}  // namespace rn
