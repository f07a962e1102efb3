#include "dialogs/FormFirst_win.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Texts.h"
#include "dialogs/Help_win.h"
#include "dialogs/MakerAddresses.h"
#include "ui/Controls_win.h"
#include "ui/MessageBox_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

namespace {

constexpr wchar_t kClassName[] = L"TFormFirst";

// Design of the box (pixels at the design resolution).
namespace design {
constexpr int kMargin = 12, kTextWidth = 340, kParagraphGap = 8, kLinkGap = 10, kRowGap = 14;
constexpr int kBoxHeight = 17, kButtonH = 23, kButtonMinW = 75, kButtonGap = 6, kTextSlack = 6, kBottom = 10;
constexpr int kOwnerLeft = 10, kOwnerTop = 20;  // where it stands against the main window
}  // namespace design

}  // namespace

TFormFirst::TFormFirst(FirstHost host) : host_(std::move(host)) {}

TFormFirst::~TFormFirst() = default;

bool TFormFirst::Create(HWND owner) {
  if (hwnd) return true;
  if (!CreateDialogWindow(kClassName, Text(TextId::FirstCaption), owner)) return false;
  CreateControls();
  RECT ownerRect{};
  if (owner && GetWindowRect(owner, &ownerRect))
    SetWindowPos(hwnd, nullptr, ownerRect.left + dpi_.Scale(design::kOwnerLeft),
                 ownerRect.top + dpi_.Scale(design::kOwnerTop), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void TFormFirst::CreateControls() {
  using namespace design;
  auto s = [&](int v) { return dpi_.Scale(v); };
  const HWND p = hwnd;
  const HFONT f = font_;
  const int left = s(kMargin), slack = s(kTextSlack), line = TextHeight(f) + s(2);

  // The bottom row decides the width when it is wider than the texts.
  const std::wstring remind = Text(TextId::FirstRemindLater), noThanks = Text(TextId::FirstNoThanks),
                     donate = Text(TextId::FirstDonate);
  const int checkW = GetSystemMetrics(SM_CXMENUCHECK) + s(4) + DrawnWidth(f, remind) + slack;
  const int noThanksW = std::max(s(kButtonMinW), DrawnWidth(f, noThanks) + 3 * slack);
  const int donateW = std::max(s(kButtonMinW), DrawnWidth(f, donate) + 3 * slack);
  const int textW = std::max(s(kTextWidth), checkW + s(kRowGap) + noThanksW + s(kButtonGap) + donateW);

  int y = s(kMargin);
  for (auto [id, text] : {std::pair{IdText1, TextId::FirstText1}, std::pair{IdText2, TextId::FirstText2}}) {
    const std::wstring paragraph = Text(text);
    const int h = WrappedTextHeight(f, paragraph, textW);
    MakeChild(p, L"STATIC", paragraph, SS_LEFT | SS_NOPREFIX, id, Bounds(left, y, textW, h), f);
    y += h + s(kParagraphGap);
  }
  y += s(kLinkGap - kParagraphGap);
  HWND link = MakeLink(IdDonatedLink, Text(TextId::FirstDonatedLink), left, y, line);
  y += line + s(kRowGap);

  const int right = left + textW;
  const int buttonTop = y;
  MakeChild(p, L"BUTTON", remind, WS_TABSTOP | BS_AUTOCHECKBOX, IdCheckBox1,
            Bounds(left, buttonTop + (s(kButtonH) - s(kBoxHeight)) / 2, checkW, s(kBoxHeight)), f);
  MakeChild(p, L"BUTTON", noThanks, WS_TABSTOP | BS_DEFPUSHBUTTON, IdButtonNoThanks,
            Bounds(right - donateW - s(kButtonGap) - noThanksW, buttonTop, noThanksW, s(kButtonH)), f);
  MakeChild(p, L"BUTTON", donate, WS_TABSTOP | BS_PUSHBUTTON, IdButtonDonate,
            Bounds(right - donateW, buttonTop, donateW, s(kButtonH)), f);
  SetChecked(Control(IdCheckBox1), true);
  SetClientSize(right + left, buttonTop + s(kButtonH) + s(kBottom));

  tip_ = CreateTooltip(hwnd);
  if (tip_) {
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
    SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 3500);
  }
  SetTip(tip_, hwnd, link, Text(TextId::FirstDonatedLinkHint));
}

bool TFormFirst::RemindLater() const { return IsChecked(Control(IdCheckBox1)); }
void TFormFirst::SetRemindLater(bool on) { SetChecked(Control(IdCheckBox1), on); }
std::wstring TFormFirst::Hint(int id) const { return TipText(tip_, hwnd, Control(id)); }

// ---------------------------------------------------------------------------
// Handlers

void TFormFirst::DonatedLinkClick() {
  DialogRequest ask;
  ask.caption = ApplicationTitle();
  ask.text = Text(TextId::MsgReallyDonated);
  ask.icon = DialogIcon::Question;
  ask.buttons = {L"OK", L"Cancel"};
  ask.cancelButton = 1;
  if (ShowDialog(hwnd, ask) != 0) return;
  if (host_.writeOption) host_.writeOption(options::kDonated, true);
  ButtonNoThanksClick();
}

void TFormFirst::ButtonNoThanksClick() {
  if (host_.writeOption) host_.writeOption(options::kRemindLater, RemindLater());
  EndModal(true);
}

void TFormFirst::ButtonDonateClick() {
  ButtonNoThanksClick();
  // The browser comes up in front of the program's window, not behind the box.
  if (HWND owner = GetWindow(hwnd, GW_OWNER)) SetForegroundWindow(owner);
  OpenAddress(GetDesktopWindow(), maker::kDonationPage);
}

LRESULT TFormFirst::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IdDonatedLink:
          if (HIWORD(wp) == STN_CLICKED) DonatedLinkClick();
          return 0;
        case IdButtonNoThanks:
        case IDOK: ButtonNoThanksClick(); return 0;
        case IdButtonDonate: ButtonDonateClick(); return 0;
        default: break;
      }
      break;
    case DM_GETDEFID:
      return MAKELRESULT(GetFocus() == Control(IdButtonDonate) ? IdButtonDonate : IdButtonNoThanks, DC_HASDEFID);
    default: break;
  }
  return DefaultHandle(msg, wp, lp);
}

void TFormFirst::ShowModal(HWND owner) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  RunModal(owner, r.left, r.top, host_.keyReleased);
}

}  // namespace rn
