// The "<>" buttons beside the texts that take fields (the "Rename to" text of
// 1 and 2, the prefix and the suffix of 18, the replacement of 4) and their
// menu, which puts a field at the caret of the box the button stands beside.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <span>

#include "core/OperationPanelParts_win.h"
#include "engine/FieldText.h"
#include "ui/AccessibleName_win.h"
#include "ui/Controls_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

using namespace panel;

namespace {

// The fields as the menu offers them, by group; names are the same in both languages.
constexpr const wchar_t* kPhotoFields[] = {L"<Taken>",  L"<Taken:yyyy-mm-dd>", L"<Taken:yyyy-mm-dd hh.nn.ss>",
                                           L"<Taken|Modified:yyyymmdd>",       L"<Make>",
                                           L"<Model>",  L"<Lens>",             L"<Width>",
                                           L"<Height>", L"<ISO>"};
constexpr const wchar_t* kMusicFields[] = {L"<Artist>", L"<AlbumArtist>", L"<Album>", L"<Title>",
                                           L"<Track:00>", L"<Disc>",      L"<Year>",  L"<Genre>"};
constexpr const wchar_t* kFileFields[] = {L"<Name>", L"<Ext>", L"<Folder>", L"<Modified:yyyy-mm-dd>",
                                          L"<Created:yyyy-mm-dd>"};
struct FieldGroup {
  TextId caption;
  std::span<const wchar_t* const> fields;
};
constexpr FieldGroup kFieldGroups[] = {
    {TextId::FieldsPhoto, kPhotoFields}, {TextId::FieldsMusic, kMusicFields}, {TextId::FieldsFile, kFileFields}};

HMENU CreateFieldMenu() {
  HMENU menu = CreatePopupMenu();
  UINT id = IdFieldMenuFirst;
  for (const FieldGroup& group : kFieldGroups) {
    HMENU sub = CreatePopupMenu();
    for (const wchar_t* field : group.fields) AppendMenuW(sub, MF_STRING, id++, field);
    AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), Text(group.caption).c_str());
  }
  return menu;
}

// The box that takes the text: a combo box's own edit, or the box itself.
HWND EditOf(HWND box) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(box, &info) && info.hwndItem) return info.hwndItem;
  return box;
}

}  // namespace

const std::vector<std::wstring>& FieldMenuEntries() {
  static const std::vector<std::wstring> entries = [] {
    std::vector<std::wstring> all;
    for (const FieldGroup& group : kFieldGroups) all.insert(all.end(), group.fields.begin(), group.fields.end());
    return all;
  }();
  return entries;
}

int OperationPanel::FieldButtonWidth() const {
  return std::max(form_.dpi.Scale(20), DrawnWidth(form_.Font(), L"<>") + form_.dpi.Scale(10));
}

void OperationPanel::MakeFieldButton(int id, const RECT& at) {
  HWND button = MakeChild(form_.hwnd, L"BUTTON", L"<>", BS_PUSHBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS, id, at,
                          form_.Font());
  const ControlName name[] = {{id, TextId::FieldButtonName}};
  SetAccessibleNames(form_.hwnd, name);
  if (tip_) SetTip(tip_, form_.hwnd, button, Text(TextId::FieldButtonHint));
  SetWindowContextHelpId(button,
                         ShownLanguage() == Language::Portuguese ? kFieldHelpContextPortuguese : kFieldHelpContext);
}

void OperationPanel::FieldButtonClick(int buttonId) {
  if (buttonId == IdFieldButton4)
    fieldTarget_ = IdEdit4a;
  else if (form_.currentOperation == kOpCreateNames)
    fieldTarget_ = lastNamePart_ ? lastNamePart_ : int{IdComboBoxCreat1};
  else
    fieldTarget_ = IdComboBox2;
  if (!fieldMenu_) fieldMenuOwner_.Reset(fieldMenu_ = CreateFieldMenu());
  const RECT r = ControlBounds(Control(buttonId));
  POINT below{r.left, r.bottom};
  ClientToScreen(form_.hwnd, &below);
  TrackPopupMenu(fieldMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, below.x, below.y, 0, form_.hwnd, nullptr);
}

void OperationPanel::InsertField(size_t index) {
  const std::vector<std::wstring>& entries = FieldMenuEntries();
  if (index >= entries.size()) return;
  if (!fieldTarget_) fieldTarget_ = form_.currentOperation == kOpReplace ? int{IdEdit4a} : int{IdComboBox2};
  HWND box = Control(fieldTarget_);
  if (!box) return;
  HWND edit = EditOf(box);
  // The caret where the user left it: a combo box selects all of its text on
  // taking the focus, so the selection is read before and put back after.
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  SetFocus(edit);
  SendMessageW(edit, EM_SETSEL, start, end);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(entries[index].c_str()));
}

}  // namespace rn
