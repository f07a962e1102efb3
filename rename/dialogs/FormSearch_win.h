// TFormSearch: the modal dialog that adds all files of one folder, and
// optionally of its whole tree, to the file list. It talks to the main window
// only through SearchHost; the search itself is the host's.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Dpi.h"
#include "base/Handle_win.h"
#include "ui/Form_win.h"

namespace rn {

struct SearchHost {
  std::function<std::vector<std::wstring>()> masks;  // the main window's mask list, in order
  std::function<std::wstring()> typeFilter;          // the main window's filter text (TypeFilter)
  std::function<void(int index)> selectFilter;       // main filter box selects item `index` (no filter question)
  std::function<std::wstring()> lastFolder;          // LastFolder, a folder path (may lack the trailing backslash)
  std::function<std::wstring()> filterLabel;         // main window's filter label text ("< Filter files by...")
  // Runs the whole search: starts a batch, scans `folder` (ends with a backslash) and,
  // when `recursive`, its whole tree breadth-first, adding files through AddPath. It pumps
  // messages itself while it runs.
  std::function<void(const std::wstring& folder, bool recursive)> search;
  // Every key released in the dialog, with the dialog (RefreshControlsAfterKey). Optional.
  std::function<void(HWND form, UINT key)> keyReleased;
};

// The dialog's texts in one language.
struct SearchTexts {
  std::wstring caption, filterHint, filterLabel, pathLabel, folderHint, recursive, goFind, cancel, browseTitle;
};
// In the language the program speaks.
SearchTexts CurrentSearchTexts();

class TFormSearch : public Form {
 public:
  enum ControlId : int {
    IdComboBox1 = 100,
    IdLabelFilter,
    IdLabelPath,
    IdEdit1,
    IdButton1,
    IdCheckBox1,
    IdButton2,
    IdButton3,
  };

  explicit TFormSearch(SearchHost host);
  ~TFormSearch() override;
  bool Create(HWND owner);                   // once at start-up; stays hidden until shown
  bool ShowModal(HWND owner, int x, int y);  // at screen (x, y); true = closed by "Go find ...", false = Cancel/closed
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  HWND Control(int id) const { return GetDlgItem(hwnd, id); }
  std::wstring Hint(int id) const;  // the tooltip text of a control (empty when it has none)
  bool Searching() const { return searching_; }

  // The texts applied each time the dialog is shown.
  SearchTexts texts = CurrentSearchTexts();

  // Handlers.
  void FormShow();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void ComboBox1Change();

 private:
  void CreateControls();
  void ApplyTexts(const std::wstring& filterLabel);
  std::wstring SelectedMask() const;
  std::wstring SearchFolder() const;
  void SetSearchPath(const std::wstring& path);
  void EnableControls(bool enabled);
  void Close(bool ok);

  SearchHost host_;
  Dpi dpi_;
  HFONT font_ = nullptr;
  FontHandle fontOwner_;
  HWND tip_ = nullptr;
  HWND focus_ = nullptr;  // the control that gets the focus back when the dialog is activated
  bool modal_ = false;
  bool done_ = false;
  bool ok_ = false;
  bool searching_ = false;
  std::wstring searchPath_;  // the search path box's text as given
};

}  // namespace rn
