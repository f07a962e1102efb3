// The program's small fixed dialogs (options, About, welcome): a dialog frame
// around a client area of the form's own making, the forms' font, and a
// modal showing that rests the owner and runs until the dialog ends. The
// window lives from its creation to the program's end and only hides
// between showings.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Dpi.h"
#include "base/Handle_win.h"
#include "ui/Form_win.h"

namespace rn {

class DialogForm : public Form {
 public:
  ~DialogForm() override;
  HWND Control(int id) const { return GetDlgItem(hwnd, id); }
  bool Showing() const { return modal_; }
  // Ends the showing in progress; `ok` is what RunModal answers.
  void EndModal(bool ok);

 protected:
  bool CreateDialogWindow(const wchar_t* className, const std::wstring& caption, HWND owner);
  // Sizes the window around a client area of w × h pixels.
  void SetClientSize(int w, int h);
  // Shows the dialog with its top-left corner at screen (x, y), kept on the
  // work area, and runs the messages until it ends. Every key released in it
  // reaches `keyReleased` with the dialog. True when it ended with ok.
  bool RunModal(HWND owner, int x, int y, const std::function<void(HWND form, UINT key)>& keyReleased);
  // A link: underlined blue text that shows the hand cursor; a click on it
  // reaches the form as WM_COMMAND with STN_CLICKED.
  HWND MakeLink(int id, const std::wstring& text, int x, int y, int height);
  bool IsLink(HWND control) const;
  // The close button and Esc end the showing without ok; links get their
  // colour and cursor.
  LRESULT DefaultHandle(UINT msg, WPARAM wp, LPARAM lp);

  Dpi dpi_;
  HFONT font_ = nullptr;
  HFONT linkFont_ = nullptr;
  FontHandle fonts_[2];  // the two above, freed with the form

 private:
  bool modal_ = false;
  bool done_ = false;
  bool ok_ = false;
  std::vector<int> links_;
};

}  // namespace rn
