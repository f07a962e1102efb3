// The script editor (Panel2): the lines of one script, each made from the
// operation panel, and the buttons that add, apply, replace and remove them,
// save the script and close the editor. While a script is being made or
// edited it lies over the file list down to the window's bottom (the script
// bar included); otherwise it is parked beyond the screen.
//
// Its controls live inside Panel2 and move with it. The lines are kept whole
// in the list (hint, TAB, fields, caption); the list shows the hint only.
#pragma once
#include <windows.h>

#include <vector>

#include "scripts/ScriptLine.h"
#include "base/Handle_win.h"

namespace rn {

class TMorvaneFrm1;

enum ScriptEditorId : int {
  IdListBox1 = 4000,  // the lines
  IdButton6,          // "&Add Line"
  IdButton15,         // "&Edit Line"
  IdButton14,         // "&Replace Line"
  IdButton8,          // "Remo&ve Line"
  IdButton7,          // "&Save and Exit"
  IdButton13,         // "Ca&ncel"
  IdImage2,           // the help spot's picture
  IdPanel3,           // the help spot's caption
};

class ScriptEditor {
 public:
  explicit ScriptEditor(TMorvaneFrm1& form);
  ~ScriptEditor();
  ScriptEditor(const ScriptEditor&) = delete;
  ScriptEditor& operator=(const ScriptEditor&) = delete;

  // Puts the controls into Panel2, which the main window has made.
  void Create();
  // Captions in the language the program speaks; the buttons fit them.
  void ApplyTexts();
  // "New": an empty list for a script that gets the next number.
  void OpenNew();
  // "Edit": the lines of the stored script the chooser shows.
  void OpenStored(const std::vector<ScriptLine>& lines);
  bool IsOpen() const;
  std::vector<ScriptLine> Lines() const;

  // Handlers, named after their controls.
  void Button6Click();   // "&Add Line"
  void Button15Click();  // "&Edit Line", and a double click on a line
  void Button14Click();  // "&Replace Line"
  void Button8Click();   // "Remo&ve Line"
  void Button7Click();   // "&Save and Exit"
  void Button13Click();  // "Ca&ncel"
  void ListBox1Click();
  void Panel3MouseDown();  // the help spot, caption or picture

  // What Panel2 passes on: its controls' commands, its size, the list's lines.
  bool Command(int id, int code);
  void Layout();
  void MeasureLine(MEASUREITEMSTRUCT& item) const;
  void DrawLine(const DRAWITEMSTRUCT& item) const;

 private:
  HWND Control(int id) const { return GetDlgItem(panel_, id); }
  void Open(bool stored, const std::vector<ScriptLine>& lines);
  void AddOrReplaceLine(bool replace);
  bool SaveScript();
  void Close();

  TMorvaneFrm1& form_;
  HWND panel_ = nullptr;
  HICON helpIcon_ = nullptr;
  IconHandle helpIconOwner_;
  bool editingStoredScript_ = false;
  bool infoPanelWasOpen_ = false;  // the editor closed it and gives it back
};

}  // namespace rn
