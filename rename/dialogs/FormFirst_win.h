// TFormFirst (" Welcome !"): the reminder that the program is free and that
// donations are welcome. What it writes goes through FirstHost at once.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "base/OptionKeys.h"
#include "ui/DialogForm_win.h"

namespace rn {

struct FirstHost {
  // Writes a boolean key of section `Options` (`Donated`, `RemindLater`).
  std::function<void(FlagOption option, bool value)> writeOption;
  // Every key released in the box, with the box (RefreshControlsAfterKey). Optional.
  std::function<void(HWND form, UINT key)> keyReleased;
};

class TFormFirst : public DialogForm {
 public:
  enum ControlId : int {
    IdText1 = 100,
    IdText2,
    IdDonatedLink,  // "I've already donated, so  don't show again "
    IdCheckBox1,    // "remind me later ..."
    IdButtonNoThanks,
    IdButtonDonate,
  };

  explicit TFormFirst(FirstHost host);
  ~TFormFirst() override;
  // Once, at the owner's left + 10 and top + 20; "remind me later ..." checked.
  bool Create(HWND owner);
  void ShowModal(HWND owner);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  bool RemindLater() const;
  void SetRemindLater(bool on);
  std::wstring Hint(int id) const;

  // Handlers.
  void DonatedLinkClick();
  void ButtonNoThanksClick();
  void ButtonDonateClick();

 private:
  void CreateControls();

  FirstHost host_;
  HWND tip_ = nullptr;
  HFONT linkFont_ = nullptr;
};

}  // namespace rn
