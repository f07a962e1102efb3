// The operation panel of the main window: the radio buttons of the
// operations, the inline controls over their captions, the parameter slot
// right of the top line, and the request they make together. The panel
// arranges itself whenever an operation is chosen (SelectOperation) and
// reads and writes the request for the run and the scripts.
//
// Its files: OperationPanelBuild_win.cpp (controls, texts, placement, showing
// and hiding), OperationPanelLogic_win.cpp (choosing, the slot, spins and
// selectors, the request), OperationPanelMessages_win.cpp (what the panel's
// controls tell the window).
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "base/DateLocale.h"
#include "base/Handle_win.h"
#include "core/OperationPanel.h"
#include "engine/Operation.h"

namespace rn {

class TMorvaneFrm1;

// The widest caption the slot's label can show, in `font`.
int WidestSlotLabel(const OperationPanelTexts& texts, HFONT font);

// Radio button N (operation N) has the id IdRadioButton0 + N.
enum PanelControlId : int {
  IdRadioButton0 = 3000,
  IdSpin3 = 3100,  // InsertAt
  IdScrollBar3,
  IdSpin4,  // TrimCount
  IdScrollBar4,
  IdSpin5,  // TrimAt
  IdScrollBar5,
  IdSpin10,  // KeepHead
  IdScrollBar10,
  IdSpin11,  // KeepTail
  IdScrollBar11,
  IdCheckBox5,  // "of every word"
  IdEdit4a,     // replacement text, over its history list IdComboBox4a
  IdEdit5,      // AddDatePart selector
  IdScrollBar2,
  IdEdit6,  // CaseMode selector
  IdScrollBar6,
  IdEdit7,  // SetDatePart selector
  IdScrollBar7,
  IdEdit8,  // NumberStyle selector
  IdScrollBar8,
  IdCheckBox1,  // "ro"
  IdCheckBox2,  // "a"
  IdCheckBox3,  // "h"
  IdCheckBox4,  // "s"
  IdEditCreat,  // counter of the prefix / counter / suffix group
  IdScrollBarCreat,
  IdCheckPattern,     // operation 4: "Regular expression"
  IdCheckIgnoreCase,  // operation 4: "Ignore case"
  IdFieldButton,      // "<>" beside the slot's texts of operations 1, 2 and 18
  IdFieldButton4,     // "<>" beside operation 4's replacement
};
inline constexpr int RadioId(int operation) { return IdRadioButton0 + operation; }

// Commands of the "Rename(rs)" menu: entry i of the operation catalogue.
inline constexpr int IdRenameMenuFirst = 3500;
// Commands of the fields' menu: entry i of FieldMenuEntries().
inline constexpr int IdFieldMenuFirst = 3600;

class OperationPanel {
 public:
  explicit OperationPanel(TMorvaneFrm1& form);
  ~OperationPanel();
  OperationPanel(const OperationPanel&) = delete;
  OperationPanel& operator=(const OperationPanel&) = delete;

  // Creates the radio buttons and the inline controls on the form, with the
  // captions and in the places of these texts.
  void Create(const OperationPanelTexts& texts);
  // Creates the slot's optional controls, parked, with their hints and names.
  void CreateSlotControls();
  bool SlotMade() const;
  // The tooltip of the radio buttons and of the slot's groups.
  void MakeHints();
  // Sends the slot's frames below every control.
  void StackSlotFrames();
  // Parks the optional controls of the slot at x (the "Rename to" box stays).
  void ParkOptionalControls(int x);
  // Once the top line is laid out anew: the slot follows its label, and the
  // date part of 16 and 17 starts at "Date".
  void FirstShow();
  // The focus to the "Rename to" box, else to the chosen operation's button.
  void Focus();

  // The request as the panel holds it; the rename run reads it when it starts.
  RenameTask ReadRenameTask() const;
  // Puts a request on the panel as a script line does: checks the operation's
  // radio button, sets every control with its change rule (choosing nothing by
  // touch meanwhile), then runs the selection logic from the script-run marker.
  void WriteRenameTask(const RenameTask& task);
  // The selection logic: from the checked radio button (fromScript false) or
  // from the script-run marker, which keeps CurrentOperation and resets nothing.
  void SelectOperation(bool fromScript);
  // Checks the radio button of the operation; the selection logic runs only when
  // the check changes. False when nothing changed (already checked, no such button).
  bool ChooseOperation(int operation);

  // Puts the chosen operation's control into the slot beside its label.
  void ArrangeSlot();
  // Operation 4's two boxes, in their place beside the right column when
  // shown, else parked; and how much wider the window must be for them to
  // stand clear of that column's captions in the language shown.
  void PlaceReplaceBoxes(bool shown);
  int ReplaceBoxesShortfall() const;

  void Show(bool visible);
  bool Shown() const { return shown_; }
  // Without the panel the grid takes its room and that of the button strip.
  void StackWithout();

  // The names screen readers speak for the panel's controls.
  void NameControls();
  // The panel's controls in the order Tab reaches them: the radio buttons, the
  // chosen one followed by the controls standing in its caption (the others'
  // wait until their operation is chosen: entering some of them chooses it),
  // then the slot's.
  void AppendTabOrder(std::vector<HWND>& order) const;

  // Captions, hints, selector and slot texts of one language; places the inline controls.
  void ApplyTexts(const OperationPanelTexts& texts);
  void ApplyRadioHints();
  // The width of the slot's widest caption in the language shown.
  std::wstring RadioCaption(int operation) const;
  std::wstring RadioHint(int operation) const;

  // Bar positions as a script line stores them (spins negative, selectors their code).
  int BarPosition(int barId) const;
  // Sets a bar as a user's step would, with the bar's change rule.
  void SetBarPosition(int barId, int position);
  // The counter box of 18 and its arrows, enabled or disabled around a run.
  void EnableCounterControls(bool enabled);
  void ShowRenameMenu(POINT screen);
  // A "<>" button: the menu of the fields, for the text box it stands beside
  // (of 18, the prefix or the suffix, whichever had the focus last).
  void FieldButtonClick(int buttonId);
  // Puts the field of menu entry `index` at the caret of that box.
  void InsertField(size_t index);
  // Marks the chosen operation's entry when `menu` is a "Rename(rs)" menu.
  void MarkRenameMenu(HMENU menu) const;

  // The panel's share of the window's messages; true when handled (result set).
  bool Message(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

  // The panel's spins and selectors (OperationPanelParts_win.h).
  struct Spin;
  struct Selector;

 private:
  HWND Control(int id) const;
  void SlotHints();
  // Where the radio buttons stand, by operation; where an inline control
  // stands (`barInk`: where the bar its box hides is drawn).
  using RadioPlaces = std::array<RECT, 20>;
  struct InlinePlace {
    int left = 0, top = 0, run = 0, barInk = 0;
  };
  RadioPlaces PlaceOfRadios(int indent) const;
  InlinePlace PlaceOfInline(const InlineRule& rule, const RadioPlaces& radios, int indent) const;
  void PutInline(const InlineRule& rule, const InlinePlace& at, bool make);
  void PlaceControls();
  int SelectorWidth(const Selector& sel) const;
  void PlaceNameParts(int x, int top, int width);
  void PlaceAttributes(int x, int top);
  void CaptionReplaceBoxes();
  const wchar_t* SelectorText(int position) const;  // the value a selector's position names
  void ShowSelectorText(const Selector& sel);
  void ShowSlotLabel();
  void TouchChoose(int operation);
  void SelectorChanged(const Selector& sel);
  void SetSelector(const Selector& sel, int position, bool refresh);
  void SetSpin(const Spin& spin, int position);
  void SpinTextChanged(const Spin& spin);
  void StepDateBox(bool up);
  void StepTimeBox(bool up);
  void StepCounterBox(bool up);
  int CheckedRadio() const;
  void CheckRadio(int operation);
  bool CommandMessage(int id, int code);
  bool ScrollMessage(HWND bar, int code, int thumb);
  bool ControlEventMessage(WPARAM phase, LPARAM event, LRESULT& result);
  bool ContextMenuMessage(HWND from, POINT pt);
  int FieldButtonWidth() const;
  void MakeFieldButton(int id, const RECT& at);

  TMorvaneFrm1& form_;
  const OperationPanelTexts* texts_ = &EnglishPanelTexts();
  HWND tip_ = nullptr;  // hints of the radio buttons and of the group boxes
  HMENU menu_ = nullptr;
  MenuHandle menuOwner_;
  DateLocale locale_;
  bool shown_ = true;
  int writing_ = 0;        // a request being put on the panel: touching chooses nothing
  int syncing_ = 0;        // a spin's box being written from its bar
  bool entering_ = false;  // a bar's entering rule in progress
  HMENU fieldMenu_ = nullptr;
  MenuHandle fieldMenuOwner_;
  int fieldTarget_ = 0;   // the box the fields' menu was opened for
  int lastNamePart_ = 0;  // of 18's two texts, the one last entered (0: the prefix)
};

// The fields' menu entries in order, as inserted ("<Taken>", "<Track:00>" ...).
const std::vector<std::wstring>& FieldMenuEntries();

// A new "Rename(rs)" pop-up menu (the caller owns it); its commands reach the
// main window as WM_COMMAND and choose the entry's operation.
HMENU CreateRenameMenu();

}  // namespace rn
