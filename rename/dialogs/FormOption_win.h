// TFormOption ("Options"): the modal dialog of the program's preferences. It
// is given the values to show and gives the edited ones back on "ok"; the
// main window reads and writes them (the dialog opens no file of its own).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/Texts.h"
#include "dialogs/Options.h"
#include "ui/DialogForm_win.h"

namespace rn {

struct OptionHost {
  // The values the dialog shows as it opens (its texts follow their language).
  std::function<OptionValues()> current;
  // "ok": the main window stores the values and takes them at once.
  std::function<void(const OptionValues&)> apply;
  // Every key released in the dialog, with the dialog (RefreshControlsAfterKey). Optional.
  std::function<void(HWND form, UINT key)> keyReleased;
};

class TFormOption : public DialogForm {
 public:
  enum ControlId : int {
    IdCheckBox1 = 100,  // "Save window's position"
    IdCheckBox2,        // "Save window's size"
    IdCheckBox3,        // "Stay on top"
    IdLabel2,           // "Use ... to rename w/ Dates"
    IdEdit8,            // the date kind's name
    IdScrollBar8,       // its arrows, 0 … 3
    IdCheckBox4,        // "Remember last used selections"
    IdCheckBox9,        // "Show 'hints' for renaming options"
    IdCheckBox6,        // "Hide selections panel", always off
    IdCheckBox5,        // "Hide main top menu"
    IdCheckBox7,        // "Show file information panel"
    IdLabel1,           // "Choose language"
    IdComboBox1,        // the languages
    IdButtonOk,
    IdButtonCancel,
  };

  explicit TFormOption(OptionHost host);
  ~TFormOption() override;
  bool Create(HWND owner);  // once; stays hidden until shown
  // Centred on the owner; true when closed by "ok".
  bool ShowModal(HWND owner);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  std::wstring Hint(int id) const;  // the tooltip text of a control
  Language TextLanguage() const { return textLanguage_; }

  // Handlers.
  void FormShow();
  void Button_okClick();
  void Button_cancelClick();
  void ScrollBar8Scroll(int step);

 private:
  void CreateControls();
  void ApplyTexts(Language language);
  void Layout();
  void ShowDateType(int position);
  OptionValues ReadControls() const;

  OptionHost host_;
  HWND tip_ = nullptr;
  Language textLanguage_ = Language::English;
};

}  // namespace rn
