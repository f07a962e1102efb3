// TFormAbout: the About box. The program's name, version and comment from its
// version resource, the maker's page, a mail link for feedback and a link to
// the donation page. A click anywhere but on a link closes it.
#pragma once
#include <windows.h>

#include <string>

#include "base/VersionInfo.h"
#include "ui/DialogForm_win.h"

namespace rn {

class TFormAbout : public DialogForm {
 public:
  enum ControlId : int {
    IdLogo = 100,
    IdImage,  // the program's icon
    IdMaker,
    IdWebLink,
    IdComments,
    IdRule,
    IdFeedback,
    IdMailLink,
    IdDonatePrefix,  // the donation line: its text, the link over its gap, the rest
    IdDonateLink,
    IdDonateSuffix,
  };

  ~TFormAbout() override;
  // Once; `title` is the application title, `info` the program's version resource.
  bool Create(HWND owner, const std::wstring& title, const FileVersionInfo& info);
  // At screen (x, y) until a click or a key closes it.
  void ShowModal(HWND owner, int x, int y);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  // Handlers.
  void WebLinkClick();
  void MailLinkClick();
  void DonateLinkClick();
  void FormClick();

 private:
  void CreateControls(const FileVersionInfo& info);

  HFONT logoFont_ = nullptr;
  FontHandle logoFontOwner_;
};

// "Rename   (v1.2.5.6)": the application title, three blanks and the version label.
std::wstring AboutCaption(const std::wstring& title, const std::wstring& fileVersion);

}  // namespace rn
