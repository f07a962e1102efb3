#include "dialogs/FormAbout_win.h"

#include <algorithm>

#include "base/Texts.h"
#include "dialogs/Help_win.h"
#include "dialogs/MakerAddresses.h"
#include "ui/Controls_win.h"
#include "ui/Panel_win.h"

namespace rn {

namespace {

constexpr wchar_t kClassName[] = L"TFormAbout";
constexpr wchar_t kGapMark[] = L"_______";

// Design of the box (pixels at the design resolution).
namespace design {
constexpr int kEdge = 8;  // the feedback text and the donation line end this far from the edges
constexpr int kLogoHeight = 26, kIconSize = 32, kLineGap = 2, kBlockGap = 8, kDonateGap = 10;
}  // namespace design

constexpr COLORREF kLogoColour = RGB(0, 0, 128);

}  // namespace

std::wstring AboutCaption(const std::wstring& title, const std::wstring& fileVersion) {
  return title + L"   (v" + fileVersion + L")";
}

TFormAbout::~TFormAbout() {
  if (hwnd && IsWindow(hwnd)) DestroyWindow(hwnd);
}

bool TFormAbout::Create(HWND owner, const std::wstring& title, const FileVersionInfo& info) {
  if (hwnd) return true;
  if (!CreateDialogWindow(kClassName, AboutCaption(title, info.FileVersion), owner)) return false;
  CreateControls(info);
  return true;
}

void TFormAbout::CreateControls(const FileVersionInfo& info) {
  using namespace design;
  auto s = [&](int v) { return dpi_.Scale(v); };
  const HWND p = hwnd;
  logoFontOwner_.Reset(logoFont_ = CreateDerivedFont(font_, s(kLogoHeight), true, false));
  constexpr DWORD kText = SS_LEFT | SS_NOPREFIX;  // plain texts let clicks through to the box
  const int edge = s(kEdge), line = TextHeight(font_) + s(kLineGap);

  // The feedback text is the widest line: the box is as wide as it needs.
  const std::wstring feedback(Text(TextId::AboutFeedback));
  const std::wstring logo = info.ProductName.empty() ? info.InternalName : info.ProductName;
  const int icon = s(kIconSize);
  const int clientW =
      std::max(edge + DrawnWidth(font_, feedback) + edge, edge + DrawnWidth(logoFont_, logo) + edge + icon + edge);
  const int textW = clientW - 2 * edge;

  int y = edge;
  MakeChild(p, L"STATIC", logo, kText, IdLogo, Bounds(edge, y, DrawnWidth(logoFont_, logo) + s(4), s(kLogoHeight + 8)),
            logoFont_);
  HWND image = MakeChild(p, L"STATIC", L"", SS_ICON | SS_REALSIZEIMAGE, IdImage,
                         Bounds(clientW - edge - icon, y, icon, icon), nullptr);
  const auto picture = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, icon, icon, LR_DEFAULTCOLOR | LR_SHARED));
  SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(picture), 0);
  MoveControl(image, clientW - edge - icon, y, icon, icon);
  y += std::max(s(kLogoHeight + 8), icon) + s(kLineGap);

  MakeChild(p, L"STATIC", info.CompanyName, kText, IdMaker, Bounds(edge, y, textW, line), font_);
  y += line;
  MakeLink(IdWebLink, maker::kFreewarePage, edge, y, line);
  y += line + s(kBlockGap);

  const int commentsH = WrappedTextHeight(font_, info.Comments, textW);
  MakeChild(p, L"STATIC", info.Comments, kText, IdComments, Bounds(edge, y, textW, commentsH + s(kLineGap)), font_);
  y += commentsH + s(kLineGap) + s(kBlockGap);
  MakePanel(p, IdRule, Bounds(edge, y, textW, 2), PanelEdge::Horizontal);
  y += 2 + s(kBlockGap);

  MakeChild(p, L"STATIC", feedback, kText, IdFeedback, Bounds(edge, y, textW, line), font_);
  y += line;
  MakeLink(IdMailLink, maker::kMailAddress, edge, y, line);
  y += line + s(kDonateGap);

  // The donation line: the link stands in the line's gap, the rest follows it.
  const std::wstring donate(Text(TextId::AboutDonateLine)), link(Text(TextId::AboutDonateLink));
  const size_t gap = std::min(donate.find(kGapMark), donate.size());
  const size_t after = std::min(donate.find_first_not_of(L'_', gap), donate.size());
  const std::wstring prefix = donate.substr(0, gap), suffix = donate.substr(after);
  // Some font engines draw wider than they measure: the link starts one blank past the drawn text.
  const size_t prefixEnd = prefix.find_last_not_of(L' ') + 1;
  const int prefixW = DrawnWidth(font_, prefix.substr(0, prefixEnd)) +
                      TextWidth(font_, std::wstring(prefix.size() - prefixEnd, L' '));
  const int linkW = std::max(TextWidth(font_, donate.substr(gap, after - gap)), DrawnWidth(linkFont_, link));
  MakeChild(p, L"STATIC", prefix, kText, IdDonatePrefix, Bounds(edge, y, prefixW, line), font_);
  MoveControl(MakeLink(IdDonateLink, link, edge + prefixW, y, line), edge + prefixW, y, linkW, line);
  MakeChild(p, L"STATIC", suffix, kText, IdDonateSuffix,
            Bounds(edge + prefixW + linkW, y, DrawnWidth(font_, suffix) + s(2), line), font_);
  y += line;
  SetClientSize(clientW, y + edge);
}

// ---------------------------------------------------------------------------
// Handlers

void TFormAbout::WebLinkClick() { OpenAddress(hwnd, maker::kFreewarePage); }

void TFormAbout::MailLinkClick() {
  OpenAddress(hwnd, MailToAddress(maker::kMailAddress, Text(TextId::AboutMailSubject)));
}

void TFormAbout::DonateLinkClick() { OpenAddress(hwnd, maker::kDonationPage); }

void TFormAbout::FormClick() { EndModal(true); }

LRESULT TFormAbout::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) == STN_CLICKED) {
        switch (LOWORD(wp)) {
          case IdWebLink: WebLinkClick(); return 0;
          case IdMailLink: MailLinkClick(); return 0;
          case IdDonateLink: DonateLinkClick(); return 0;
          default: break;
        }
      }
      if (LOWORD(wp) == IDOK) {  // Enter
        FormClick();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN: FormClick(); return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) != Control(IdLogo)) break;
      SetTextColor(reinterpret_cast<HDC>(wp), kLogoColour);
      SetBkColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default: break;
  }
  return DefaultHandle(msg, wp, lp);
}

void TFormAbout::ShowModal(HWND owner, int x, int y) { RunModal(owner, x, y, {}); }

}  // namespace rn
