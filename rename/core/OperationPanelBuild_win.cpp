// The operation panel's controls: creating them, their texts and where they
// stand, showing and hiding the panel, and the "Rename(rs)" menu.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "core/OperationPanelParts_win.h"
#include "engine/FieldText.h"
#include "ui/AccessibleName_win.h"
#include "ui/Controls_win.h"
#include "ui/Panel_win.h"
#include "ui/Tooltips_win.h"

namespace rn {

using namespace panel;

namespace {

// Where a button's caption starts, from its left edge: the system draws the
// round or square mark and a gap first. The mark is the same for every
// caption, so the system is asked once per font and kind of button (each
// question measures the caption on a screen context: slow under Wine).
int TextIndent(HWND button, HFONT font, const Dpi& dpi) {
  struct Known {
    HFONT font;
    LONG_PTR kind;
    int indent;
  };
  static std::vector<Known> known;
  const LONG_PTR kind = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
  for (const Known& k : known)
    if (k.font == font && k.kind == kind) return k.indent;
  SIZE ideal{};
  const std::wstring caption = WindowText(button);
  if (!caption.empty() && SendMessageW(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)) && ideal.cx > 0) {
    const int indent = ideal.cx - TextWidth(font, caption);
    if (indent > 0) {
      known.push_back({font, kind, indent});
      return indent;
    }
  }
  return GetSystemMetrics(SM_CXMENUCHECK) + dpi.Scale(4);
}

void Raise(HWND control) { SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

int ButtonWidth(HWND button, HFONT font, const Dpi& dpi) {
  return TextIndent(button, font, dpi) + DrawnWidth(font, WindowText(button)) + dpi.Scale(8);
}

// Parts of the prefix / counter / suffix group and of the attribute group,
// from the group's left edge (design pixels).
constexpr int kPartsHeight = 25;
constexpr int kPrefixX = 2, kPrefixWidth = 100, kCounterX = 105, kCounterWidth = 44, kSuffixX = 152, kSuffixWidth = 100;
constexpr int kAttributesHeight = 24, kAttributesMargin = 7, kAttributesGap = 6;

// Spoken names: the radio buttons' captions are mostly dashes and dots, the
// arrow boxes and the attribute boxes show numbers, codes and letters.
constexpr ControlName kRadioNames[] = {
    {RadioId(kOpAddFromBegin), TextId::RadioButton1Name},    {RadioId(kOpAddFromEnd), TextId::RadioButton2Name},
    {RadioId(kOpRemove), TextId::RadioButton3Name},          {RadioId(kOpReplace), TextId::RadioButton4Name},
    {RadioId(kOpChangeExtension), TextId::RadioButton5Name}, {RadioId(kOpCapitalize), TextId::RadioButton6Name},
    {RadioId(kOpConvertCase), TextId::RadioButton7Name},     {RadioId(kOpAttributes), TextId::RadioButton9Name},
    {RadioId(kOpTrimFromBegin), TextId::RadioButton10Name},  {RadioId(kOpTrimFromEnd), TextId::RadioButton11Name},
    {RadioId(kOpNumerate), TextId::RadioButton12Name},       {RadioId(kOpChangeDateTime), TextId::RadioButton15Name},
    {RadioId(kOpDateToBegin), TextId::RadioButton16Name},    {RadioId(kOpDateToEnd), TextId::RadioButton17Name},
    {RadioId(kOpCreateNames), TextId::RadioButton18Name},    {RadioId(kOpTrimBetween), TextId::RadioButton19Name}};
struct NamedBox {
  ArrowBox box;
  TextId name;
};
constexpr NamedBox kBoxNames[] = {{{IdSpin3, IdScrollBar3}, TextId::Spin3Name},
                                  {{IdSpin4, IdScrollBar4}, TextId::Spin4Name},
                                  {{IdSpin5, IdScrollBar5}, TextId::Spin5Name},
                                  {{IdSpin10, IdScrollBar10}, TextId::Spin10Name},
                                  {{IdSpin11, IdScrollBar11}, TextId::Spin11Name},
                                  {kAddDatePart.Box(), TextId::Edit5Name},
                                  {kCaseMode.Box(), TextId::Edit6Name},
                                  {kSetDatePart.Box(), TextId::Edit7Name},
                                  {kNumberStyle.Box(), TextId::Edit8Name},
                                  {{IdEdit4a, IdComboBox4a}, TextId::Edit4aName}};
constexpr NamedBox kSlotBoxNames[] = {
    {kDateBox, TextId::EditDateName}, {kTimeBox, TextId::EditTimeName}, {kCounterBox, TextId::EditCreatName}};
constexpr ControlName kSlotNames[] = {
    {IdComboBoxCreat1, TextId::ComboBoxCreat1Name}, {IdComboBoxCreat2, TextId::ComboBoxCreat2Name},
    {IdCheckBox1, TextId::CheckBox1Name},           {IdCheckBox2, TextId::CheckBox2Name},
    {IdCheckBox3, TextId::CheckBox3Name},           {IdCheckBox4, TextId::CheckBox4Name}};

// The ids of an inline control (its box and its arrows, or the box alone)
// when it holds a parameter of the operation; none otherwise.
std::vector<int> InlineIdsFor(InlineControl control, int op) {
  auto of = [op](std::initializer_list<int> ops) { return std::find(ops.begin(), ops.end(), op) != ops.end(); };
  switch (control) {
    case InlineControl::InsertAt:
      if (of({kOpAddFromBegin, kOpAddFromEnd})) return {IdSpin3, IdScrollBar3};
      break;
    case InlineControl::TrimCount:
      if (of({kOpTrimFromBegin, kOpTrimFromEnd})) return {IdSpin4, IdScrollBar4};
      break;
    case InlineControl::TrimAt:
      if (of({kOpTrimFromBegin, kOpTrimFromEnd})) return {IdSpin5, IdScrollBar5};
      break;
    case InlineControl::KeepHead:
      if (op == kOpTrimBetween) return {IdSpin10, IdScrollBar10};
      break;
    case InlineControl::KeepTail:
      if (op == kOpTrimBetween) return {IdSpin11, IdScrollBar11};
      break;
    case InlineControl::AddDatePart:
      if (of({kOpDateToBegin, kOpDateToEnd})) return {kAddDatePart.edit, kAddDatePart.bar};
      break;
    case InlineControl::CaseMode:
      if (op == kOpConvertCase) return {kCaseMode.edit, kCaseMode.bar};
      break;
    case InlineControl::SetDatePart:
      if (op == kOpChangeDateTime) return {kSetDatePart.edit, kSetDatePart.bar};
      break;
    case InlineControl::NumberStyle:
      if (op == kOpNumerate) return {kNumberStyle.edit, kNumberStyle.bar};
      break;
    case InlineControl::EveryWord:
      if (op == kOpCapitalize) return {IdCheckBox5};
      break;
    case InlineControl::Replacement:
      if (op == kOpReplace) return {IdEdit4a, IdComboBox4a};
      break;
  }
  return {};
}

}  // namespace

OperationPanel::OperationPanel(TMorvaneFrm1& form) : form_(form) {}

OperationPanel::~OperationPanel() {}

HWND OperationPanel::Control(int id) const { return form_.Control(id); }

// The group is `width` wide (at most its design width): the prefix and the
// suffix boxes give up what the top line cannot spare.
void OperationPanel::PlaceNameParts(int x, int top, int width) {
  auto s = [&](int v) { return form_.dpi.Scale(v); };
  const int spare = std::max(0, s(kPartsWidth) - width), half = spare / 2;
  const int dropDown = s(200);
  // On the top line the frame ends at the rule under it, whatever the rounding.
  const int frameTop = top - s(2), ruleTop = ControlBounds(Control(IdTopRule)).top;
  const int frameH = frameTop < ruleTop ? std::min(s(kPartsHeight), ruleTop - frameTop) : s(kPartsHeight);
  MoveControl(Control(IdPanelCreat), x, frameTop, s(kPartsWidth) - spare, frameH);
  MoveControl(Control(IdComboBoxCreat1), x + s(kPrefixX), top, s(kPrefixWidth) - half, dropDown);
  PlaceArrowBox(form_.hwnd, kCounterBox, form_.dpi, x + s(kCounterX) - half, top, s(kCounterWidth));
  MoveControl(Control(IdComboBoxCreat2), x + s(kSuffixX) - half, top, s(kSuffixWidth) - (spare - half), dropDown);
}

void OperationPanel::PlaceAttributes(int x, int top) {
  auto s = [&](int v) { return form_.dpi.Scale(v); };
  MoveControlTo(Control(IdGroupBox1), x, top - s(3));
  int bx = x + s(kAttributesMargin);
  for (const AttributeBox& b : kAttributeBoxes) {
    HWND box = Control(b.id);
    MoveControlTo(box, bx, top + s(2));
    bx += WidthOf(box) + s(kAttributesGap);
  }
}

// Every control is made where the captions of the language shown put it:
// moving them after would cost a round trip to the window manager each.
void OperationPanel::Create(const OperationPanelTexts& texts) {
  texts_ = &texts;
  const Dpi& dpi = form_.dpi;
  locale_ = SystemDateLocale();
  const HWND p = form_.hwnd;
  const HFONT f = form_.Font();
  auto s = [&](int v) { return dpi.Scale(v); };
  constexpr DWORD kClip = WS_CLIPSIBLINGS;

  // Radio buttons: the window checks them itself, so that a click on the one
  // already checked changes nothing. The first tells where captions start.
  auto radio = [&](int op, const RECT& at) {
    return MakeChild(p, L"BUTTON", texts.captions[static_cast<size_t>(op)], BS_RADIOBUTTON | WS_TABSTOP | kClip,
                     RadioId(op), at, f);
  };
  const int first = kPanelOperations[0];
  HWND firstRadio = radio(first, Bounds(0, 0, s(200), s(kLineHeight)));
  const int indent = TextIndent(firstRadio, f, dpi);
  const RadioPlaces radios = PlaceOfRadios(indent);
  MoveControl(firstRadio, radios[first]);

  // Inline controls: spins, selectors, "of every word", the replacement box.
  // They stand over the captions they belong to: a control made earlier lies
  // above the ones made after it. The first radio button goes below them, just
  // before the second, so that the buttons keep their order for a screen reader.
  for (const InlineRule& rule : kInlineRules) PutInline(rule, PlaceOfInline(rule, radios, indent), true);
  HWND second = nullptr;
  for (int op : kPanelOperations)
    if (op != first) {
      HWND made = radio(op, radios[static_cast<size_t>(op)]);
      if (!second) second = made;
    }
  SetWindowPos(firstRadio, GetWindow(second, GW_HWNDPREV), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The spins and selectors were made with their text and range.
  for (const Spin& spin : kSpins) {
    if (spin.threeDigits) SendMessageW(Control(spin.edit), EM_LIMITTEXT, 3, 0);
    ForwardEvents(Control(spin.edit));
    if (spin.bar == IdScrollBar10 || spin.bar == IdScrollBar11) ForwardEvents(Control(spin.bar));
  }
  for (const Selector* sel : kSelectors) {
    AddStyle(Control(sel->bar), WS_TABSTOP);
    ForwardEvents(Control(sel->edit));
    ForwardEvents(Control(sel->bar));
  }
  SendMessageW(Control(IdComboBox4a), CB_SETDROPPEDWIDTH, s(130), 0);
  ForwardEvents(Control(IdEdit4a));
  ShowSlotLabel();
  menuOwner_.Reset(menu_ = CreateRenameMenu());

  NameControls();
}

// The slot's controls but the "Rename to" box, made parked.
void OperationPanel::CreateSlotControls() {
  const Dpi& dpi = form_.dpi;
  const HWND p = form_.hwnd;
  const HFONT f = form_.Font();
  auto s = [&](int v) { return dpi.Scale(v); };
  const int park = ParkX(dpi);
  constexpr DWORD kClip = WS_CLIPSIBLINGS;
  MakePanel(p, IdBevel22, Bounds(park, s(kSlotTop), s(kFrameWidth), HeightOf(Control(IdComboBox2))), PanelEdge::Frame);
  int groupWidth = 2 * s(kAttributesMargin) - s(kAttributesGap);
  for (const AttributeBox& b : kAttributeBoxes) {
    HWND box = MakeChild(p, L"BUTTON", Text(b.caption), BS_AUTOCHECKBOX | WS_TABSTOP | kClip, b.id,
                         Bounds(park, 0, s(20), s(kLineHeight)), f);
    MoveControl(box, park, 0, ButtonWidth(box, f, dpi), s(kLineHeight));
    groupWidth += WidthOf(box) + s(kAttributesGap);
  }
  MakePanel(p, IdGroupBox1, Bounds(park, 0, groupWidth, s(kAttributesHeight)), PanelEdge::Frame);
  CreateArrowBox(p, kDateBox, WS_TABSTOP, f, dpi, park, s(kDateWidth));
  CreateArrowBox(p, kTimeBox, WS_TABSTOP, f, dpi, park, s(kTimeWidth));
  for (int bar : {IdScrollDate, IdScrollTime}) SetArrowRange(Control(bar), -1, 1, 0);
  ForwardEvents(Control(IdEditDate));
  ForwardEvents(Control(IdEditTime));
  HWND formats = MakeChild(p, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | kClip, IdComboBox3,
                           Bounds(park, 0, s(kDateFormatWidth), s(300)), f);
  for (const wchar_t* format : kDateFormats) SendMessageW(formats, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(format));
  SendMessageW(formats, CB_SETCURSEL, 0, 0);
  MakePanel(p, IdPanelCreat, Bounds(park, 0, s(kPartsWidth), s(kPartsHeight)), PanelEdge::None);
  constexpr DWORD kHistoryBox = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | kClip;
  MakeChild(p, WC_COMBOBOXW, L"", kHistoryBox, IdComboBoxCreat1, Bounds(park, 0, s(kPrefixWidth), s(200)), f);
  CreateArrowBox(p, kCounterBox, WS_TABSTOP, f, dpi, park, s(kCounterWidth));
  SetArrowRange(Control(IdScrollBarCreat), -1, 1, 0);
  ForwardEvents(Control(IdEditCreat));
  MakeChild(p, WC_COMBOBOXW, L"", kHistoryBox, IdComboBoxCreat2, Bounds(park, 0, s(kSuffixWidth), s(200)), f);
  for (const int id : {int{IdCheckPattern}, int{IdCheckIgnoreCase}}) {
    MakeChild(p, L"BUTTON", L"", BS_AUTOCHECKBOX | WS_TABSTOP | kClip, id, Bounds(park, 0, s(20), s(kLineHeight)), f);
  }
  MakeFieldButton(IdFieldButton, Bounds(park, s(kSlotTop), FieldButtonWidth(), HeightOf(Control(IdComboBox2))));
  CaptionReplaceBoxes();

  // Initial contents.
  SetWindowTextW(Control(IdEditDate), L"29-12-2004");
  SetWindowTextW(Control(IdEditTime), L"04:05:46 PM");
  SetWindowTextW(Control(IdEditCreat), L"001");

  SlotHints();

  // Arrows over their boxes, check boxes over their group (StackSlotFrames).
  for (const ArrowBox& box : {kDateBox, kTimeBox, kCounterBox}) Raise(Control(box.edit)), Raise(Control(box.bar));
  for (const AttributeBox& b : kAttributeBoxes) Raise(Control(b.id));
  for (const NamedBox& n : kSlotBoxNames) SetArrowBoxName(p, n.box, n.name);
  SetAccessibleNames(p, kSlotNames);
  SetAccessibleNameFromLabel(Control(IdComboBox3), Control(IdLabelRenameTo));
  // A hidden panel keeps what comes to it hidden.
  if (!shown_)
    for (int id : kOptionalControls) ShowWindow(Control(id), SW_HIDE);
}

int OperationPanel::ReplaceBoxesShortfall() const {
  const Dpi& dpi = form_.dpi;
  const HFONT font = form_.Font();
  HWND radio = Control(RadioId(kOpAttributes));
  // The boxes are made when first needed: their width from their captions,
  // with the mark a radio button's size.
  const int boxes =
      TextIndent(radio, font, dpi) + dpi.Scale(8) +
      std::max(DrawnWidth(font, Text(TextId::CheckPattern)), DrawnWidth(font, Text(TextId::CheckIgnoreCase)));
  const int lineEnd =
      std::max(ControlBounds(radio).right, ControlBounds(Control(RadioId(kOpChangeDateTime))).right) + dpi.Scale(4);
  const int room = ControlBounds(Control(IdBevel9)).left - dpi.Scale(4) - lineEnd;
  return std::max(0, boxes - room);
}

bool OperationPanel::SlotMade() const { return Control(IdBevel22) != nullptr; }

// Hints: the radio buttons' follow the setting, the groups' always show.
void OperationPanel::MakeHints() {
  if (tip_) return;
  tip_ = CreateTooltip(form_.hwnd);
  if (!tip_) return;
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, 10);
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, 3500);
  SlotHints();
  ApplyRadioHints();
}

void OperationPanel::SlotHints() {
  if (!tip_ || !SlotMade()) return;
  const HWND p = form_.hwnd;
  for (const AttributeBox& b : kAttributeBoxes) SetTip(tip_, p, Control(b.id), Text(b.hint));
  SetComboTip(tip_, p, Control(IdComboBoxCreat1), Text(TextId::ComboBoxCreat1Hint));
  SetTip(tip_, p, Control(IdEditCreat), Text(TextId::EditCreatHint));
  SetComboTip(tip_, p, Control(IdComboBoxCreat2), Text(TextId::ComboBoxCreat2Hint));
  SetTip(tip_, p, Control(IdCheckPattern), Text(TextId::CheckPatternHint));
  SetTip(tip_, p, Control(IdCheckIgnoreCase), Text(TextId::CheckIgnoreCaseHint));
  for (int id : {int{IdFieldButton}, int{IdFieldButton4}}) SetTip(tip_, p, Control(id), Text(TextId::FieldButtonHint));
}

// Operation 4's two boxes, captioned in the language shown and as wide as
// their captions.
void OperationPanel::CaptionReplaceBoxes() {
  for (int id : {int{IdFieldButton}, int{IdFieldButton4}})
    if (HWND button = Control(id))
      SetWindowContextHelpId(button,
                             ShownLanguage() == Language::Portuguese ? kFieldHelpContextPortuguese : kFieldHelpContext);
  if (!SlotMade()) return;
  const HFONT f = form_.Font();
  for (const auto& [id, caption] :
       {std::pair{IdCheckPattern, TextId::CheckPattern}, std::pair{IdCheckIgnoreCase, TextId::CheckIgnoreCase}}) {
    HWND box = Control(id);
    SetWindowTextW(box, Text(caption).c_str());
    SetWindowContextHelpId(
        box, ShownLanguage() == Language::Portuguese ? kPatternHelpContextPortuguese : kPatternHelpContext);
    const RECT r = ControlBounds(box);
    MoveControl(box, r.left, r.top, ButtonWidth(box, f, form_.dpi), form_.dpi.Scale(kLineHeight));
  }
}

// Operation 4's boxes stand right-aligned in the right column, left of the
// rule before the tool strip, on the lines of operations 9 and 15 (the window
// is made wide enough for them: ReplaceBoxesShortfall).
void OperationPanel::PlaceReplaceBoxes(bool shown) {
  if (!SlotMade()) return;
  const Dpi& dpi = form_.dpi;
  const std::array<int, 20> tops = RadioTops(RadioGeometry{});
  const int right = ControlBounds(Control(IdBevel9)).left - dpi.Scale(4);
  const int width = std::max(WidthOf(Control(IdCheckPattern)), WidthOf(Control(IdCheckIgnoreCase)));
  const int x = shown ? right - width : ParkX(dpi);
  MoveControlTo(Control(IdCheckPattern), x, dpi.Scale(tops[kOpAttributes]));
  MoveControlTo(Control(IdCheckIgnoreCase), x, dpi.Scale(tops[kOpChangeDateTime]));
  // Over the radio buttons' dash runs, which may reach this far.
  if (shown)
    for (int id : {int{IdCheckPattern}, int{IdCheckIgnoreCase}}) Raise(Control(id));
}

// The slot's frames lie below everything (the window sends its own frames
// below them in turn).
void OperationPanel::StackSlotFrames() {
  for (int id : {IdBevel22, IdPanelCreat, IdGroupBox1})
    if (HWND frame = Control(id))
      SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The slot's boxes are called what their label says for the operation
// chosen (the date formats' box when it is made).
void OperationPanel::NameControls() {
  const HWND p = form_.hwnd;
  SetAccessibleNames(p, kRadioNames);
  for (const NamedBox& n : kBoxNames) SetArrowBoxName(p, n.box, n.name);
  SetAccessibleNameFromLabel(Control(IdComboBox2), Control(IdLabelRenameTo));
}

void OperationPanel::AppendTabOrder(std::vector<HWND>& order) const {
  for (int op : kPanelOperations) {
    order.push_back(Control(RadioId(op)));
    if (op != form_.currentOperation) continue;
    for (const InlineRule& rule : kInlineRules)
      for (int id : InlineIdsFor(rule.control, op)) order.push_back(Control(id));
  }
  for (int id : kOptionalControls) order.push_back(Control(id));
}

void OperationPanel::ParkOptionalControls(int x) {
  if (!SlotMade()) return;
  // The "Rename to" box stays in the slot until an operation needs another control.
  const int top = form_.dpi.Scale(kSlotTop);
  MoveControlTo(Control(IdBevel22), x, top);
  PlaceAttributes(x, top);
  PlaceArrowBox(form_.hwnd, kDateBox, form_.dpi, x, top, WidthOf(Control(IdEditDate)));
  PlaceArrowBox(form_.hwnd, kTimeBox, form_.dpi, x, top, WidthOf(Control(IdEditTime)));
  MoveControlTo(Control(IdComboBox3), x, top);
  PlaceNameParts(x, top, form_.dpi.Scale(kPartsWidth));
  PlaceReplaceBoxes(false);
  MoveControlTo(Control(IdFieldButton), x, top);
}

// ---------------------------------------------------------------------------
// Texts and placement

// Where the radio buttons stand: the left column at its design place, the
// right one clear of it whatever the language; each as wide as its caption.
OperationPanel::RadioPlaces OperationPanel::PlaceOfRadios(int indent) const {
  auto s = [&](int v) { return form_.dpi.Scale(v); };
  const std::array<int, 20> tops = RadioTops(RadioGeometry{});
  auto width = [&](int op) {
    return indent + DrawnWidth(form_.Font(), texts_->captions[static_cast<size_t>(op)]) + s(8);
  };
  RadioPlaces places{};
  int leftRight = 0;
  for (size_t i = 0; i < static_cast<size_t>(kLeftColumnCount); ++i) {
    const auto op = static_cast<size_t>(kPanelOperations[i]);
    places[op] = Bounds(s(kLeftColumn), s(tops[op]), width(kPanelOperations[i]), s(kLineHeight));
    leftRight = std::max(leftRight, static_cast<int>(places[op].right));
  }
  const int rightX = std::max(s(kRightColumn), leftRight + s(12));
  for (size_t i = kLeftColumnCount; i < kPanelOperations.size(); ++i) {
    const auto op = static_cast<size_t>(kPanelOperations[i]);
    places[op] = Bounds(rightX, s(tops[op]), width(kPanelOperations[i]), s(kLineHeight));
  }
  return places;
}

// Where an inline control stands over the caption of its radio button.
OperationPanel::InlinePlace OperationPanel::PlaceOfInline(const InlineRule& rule, const RadioPlaces& radios,
                                                          int indent) const {
  const HFONT font = form_.Font();
  auto s = [&](int v) { return form_.dpi.Scale(v); };
  const std::wstring& caption = texts_->captions[static_cast<size_t>(rule.measured)];
  // The design's offset 14 puts a control right over its marker; a smaller
  // one a little further left. The caption starts where the system draws it.
  const int textLeft = radios[static_cast<size_t>(rule.measured)].left + indent;
  const std::wstring toMarker = CaptionToMarker(caption, rule.marker);
  const int marker =
      toMarker.size() < caption.size() || caption.back() == rule.marker ? TextWidth(font, {rule.marker}) : 0;
  InlinePlace at;
  at.left = textLeft + DrawnWidth(font, toMarker) - marker - 1 + s(rule.offset) - s(kMarkerOffset);
  at.top = radios[static_cast<size_t>(rule.topOf)].top + s(rule.topDelta);
  // Wide enough to reach the end of the dash run.
  at.run = textLeft + DrawnWidth(font, toMarker + DashRunAfterMarker(caption, rule.marker)) + 1 - at.left;
  at.barInk = textLeft + DrawnWidth(font, toMarker) - marker - s(4);
  return at;
}

// Puts an inline control in its place, or makes it there.
void OperationPanel::PutInline(const InlineRule& rule, const InlinePlace& at, bool make) {
  const Dpi& dpi = form_.dpi;
  const HWND p = form_.hwnd;
  const HFONT font = form_.Font();
  auto s = [&](int v) { return dpi.Scale(v); };
  auto box = [&](const ArrowBox& arrows, DWORD editStyle, int width, const ArrowStart& start) {
    if (make)
      CreateArrowBox(p, arrows, editStyle, font, dpi, at.left, width, at.top, start);
    else
      PlaceArrowBox(p, arrows, dpi, at.left, at.top, width);
  };
  const int spinWidth = std::max(TextWidth(font, L"888") + s(kArrowsWidth + 16), at.run);
  auto spin = [&](const ArrowBox& arrows) { box(arrows, WS_TABSTOP, spinWidth, {L"0", kSpinMin, kSpinMax, 0}); };
  auto selector = [&](const Selector& sel) {
    const ArrowStart start{SelectorText(sel.initial), sel.range.min, sel.range.max, sel.initial};
    box(sel.Box(), ES_READONLY, std::max(SelectorWidth(sel), at.run), start);
  };
  switch (rule.control) {
    case InlineControl::InsertAt: spin({IdSpin3, IdScrollBar3}); break;
    case InlineControl::TrimCount: spin({IdSpin4, IdScrollBar4}); break;
    case InlineControl::TrimAt: spin({IdSpin5, IdScrollBar5}); break;
    case InlineControl::KeepHead: spin({IdSpin10, IdScrollBar10}); break;
    case InlineControl::KeepTail: spin({IdSpin11, IdScrollBar11}); break;
    case InlineControl::AddDatePart: selector(kAddDatePart); break;
    case InlineControl::CaseMode: selector(kCaseMode); break;
    case InlineControl::SetDatePart: selector(kSetDatePart); break;
    case InlineControl::NumberStyle: selector(kNumberStyle); break;
    case InlineControl::EveryWord: {
      // The box hides the caption's bar: the system's ideal size puts the
      // caption a few pixels further right than it draws it, so the box
      // starts in the blanks before the bar rather than on it.
      HWND check = make ? MakeChild(p, L"BUTTON", texts_->everyWord, BS_AUTOCHECKBOX | WS_TABSTOP | WS_CLIPSIBLINGS,
                                    IdCheckBox5, Bounds(at.left, at.top, s(90), s(kLineHeight)), font)
                        : Control(IdCheckBox5);
      MoveControl(check, std::min(at.left, at.barInk), at.top, ButtonWidth(check, font, dpi), s(kLineHeight));
      break;
    }
    case InlineControl::Replacement: {
      // The text box covers the history list but for its drop-down button;
      // the fields' button follows them.
      const int fieldW = FieldButtonWidth();
      const int width = std::max(at.run - fieldW, s(60));
      HWND history = Control(IdComboBox4a);
      if (make)
        history = MakeChild(p, WC_COMBOBOXW, L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | WS_CLIPSIBLINGS,
                            IdComboBox4a, Bounds(at.left, at.top, width, s(200)), font);
      else
        MoveControl(history, at.left, at.top, width, s(200));
      COMBOBOXINFO info{};
      info.cbSize = sizeof(info);
      int button = GetSystemMetrics(SM_CXVSCROLL);
      if (GetComboBoxInfo(history, &info)) button = info.rcButton.right - info.rcButton.left + 2;
      if (make)  // over the history list, which was made first
        Raise(MakeChild(p, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL | WS_CLIPSIBLINGS, IdEdit4a,
                        Bounds(at.left, at.top, width - button, HeightOf(history)), font, WS_EX_CLIENTEDGE));
      else
        MoveControl(Control(IdEdit4a), at.left, at.top, width - button, HeightOf(history));
      const RECT fieldAt = Bounds(at.left + width, at.top, fieldW, HeightOf(history));
      if (make)
        MakeFieldButton(IdFieldButton4, fieldAt);
      else
        MoveControl(Control(IdFieldButton4), fieldAt);
      break;
    }
  }
}

// Once the captions change: the radio buttons and the controls over them follow.
void OperationPanel::PlaceControls() {
  HWND first = Control(RadioId(kPanelOperations[0]));
  const int indent = TextIndent(first, form_.Font(), form_.dpi);
  const RadioPlaces radios = PlaceOfRadios(indent);
  for (int op : kPanelOperations) MoveControl(Control(RadioId(op)), radios[static_cast<size_t>(op)]);
  for (const InlineRule& rule : kInlineRules) PutInline(rule, PlaceOfInline(rule, radios, indent), false);
}

// Wide enough for its widest text and its arrows.
int OperationPanel::SelectorWidth(const Selector& sel) const {
  int widest = 0;
  for (int code = sel.range.first; code <= sel.range.last; ++code)
    widest = std::max(widest, DrawnWidth(form_.Font(), texts_->valueNames[static_cast<size_t>(code)]));
  return widest + form_.dpi.Scale(kArrowsWidth + 16);
}

const wchar_t* OperationPanel::SelectorText(int position) const {
  const bool known = position >= 1 && position < static_cast<int>(texts_->valueNames.size());
  return known ? texts_->valueNames[static_cast<size_t>(position)].c_str() : L"";
}

void OperationPanel::ShowSelectorText(const Selector& sel) {
  SetWindowTextW(Control(sel.edit), SelectorText(GetScrollPos(Control(sel.bar), SB_CTL)));
}

void OperationPanel::ShowSlotLabel() {
  HWND label = Control(IdLabelRenameTo);
  SetWindowTextW(label, texts_->slotLabels[SlotLabelFor(form_.currentOperation)].c_str());
  FitLabelWidth(label);
}

int WidestSlotLabel(const OperationPanelTexts& texts, HFONT font) {
  int widest = 0;
  for (const std::wstring& label : texts.slotLabels) widest = std::max(widest, DrawnWidth(font, label));
  return widest;
}

void OperationPanel::ApplyTexts(const OperationPanelTexts& texts) {
  texts_ = &texts;
  for (int op : kPanelOperations) SetWindowTextW(Control(RadioId(op)), texts.captions[static_cast<size_t>(op)].c_str());
  SetWindowTextW(Control(IdCheckBox5), texts.everyWord.c_str());
  CaptionReplaceBoxes();
  PlaceControls();
  for (const Selector* sel : kSelectors) ShowSelectorText(*sel);
  ShowSlotLabel();
  SlotHints();
  ApplyRadioHints();
}

void OperationPanel::ApplyRadioHints() {
  if (!tip_) return;
  for (int op : kPanelOperations) {
    HWND radio = Control(RadioId(op));
    if (form_.renamingHints)
      SetTip(tip_, form_.hwnd, radio, texts_->hints[static_cast<size_t>(op)]);
    else
      RemoveTip(tip_, form_.hwnd, radio);
  }
}

std::wstring OperationPanel::RadioCaption(int operation) const {
  return HasRadioButton(operation) ? WindowText(Control(RadioId(operation))) : std::wstring();
}

std::wstring OperationPanel::RadioHint(int operation) const {
  return HasRadioButton(operation) ? texts_->hints[static_cast<size_t>(operation)] : std::wstring();
}

// ---------------------------------------------------------------------------
// Showing and hiding the panel

namespace {

// Everything that goes with the panel: its controls, the top line, the tool
// strip, the button strip and its buttons, and the help button.
std::vector<int> PanelWindows() {
  std::vector<int> ids = {IdPanelRadio,   IdComboBox1,  IdSpeedButton4, IdLabelFileTypes, IdLabelRenameTo, IdTopRule,
                          IdBevel9,       IdPanel1,     IdSpeedButton2, IdSpeedButton3,   IdSpeedButton5,  IdScrollBar1,
                          IdBevel8,       IdButton1,    IdButton2,      IdButton3,        IdButton4,       IdButton5,
                          IdSpeedButton1, IdComboBox4a, IdEdit4a,       IdCheckBox5,      IdFieldButton4};
  for (int op : kPanelOperations) ids.push_back(RadioId(op));
  for (const Spin& s : kSpins) ids.push_back(s.edit), ids.push_back(s.bar);
  for (const Selector* s : kSelectors) ids.push_back(s->edit), ids.push_back(s->bar);
  ids.insert(ids.end(), std::begin(kOptionalControls), std::end(kOptionalControls));
  return ids;
}

}  // namespace

void OperationPanel::Show(bool visible) {
  shown_ = visible;
  for (int id : PanelWindows()) ShowWindow(Control(id), visible ? SW_SHOWNA : SW_HIDE);
  form_.FormResize();
}

void OperationPanel::StackWithout() {
  if (shown_) return;
  RECT client{};
  GetClientRect(form_.hwnd, &client);
  const MainLayout l =
      ComputeMainLayout(client.right, client.bottom, form_.infoPanelOpen, form_.dpi, form_.showPreview);
  MoveControl(Control(IdStringGrid1), 0, 0, client.right, std::max(0, l.grid.Bottom()));
}

// ---------------------------------------------------------------------------
// The "Rename(rs)" menu

HMENU CreateRenameMenu() {
  HMENU menu = CreatePopupMenu();
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i)
    AppendMenuW(menu, MF_STRING, IdRenameMenuFirst + i, kOperationCatalogue[i].caption);
  return menu;
}

void OperationPanel::MarkRenameMenu(HMENU menu) const {
  if (!menu || GetMenuItemID(menu, 0) != static_cast<UINT>(IdRenameMenuFirst)) return;
  int marked = -1;
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i) {
    const CatalogueEntry& e = kOperationCatalogue[i];
    if (e.id == form_.currentOperation && (e.id != kOpCapitalize || e.everyWord == IsChecked(Control(IdCheckBox5))))
      marked = static_cast<int>(i);
  }
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i)
    CheckMenuItem(menu, IdRenameMenuFirst + i,
                  MF_BYCOMMAND | (static_cast<int>(i) == marked ? MF_CHECKED : MF_UNCHECKED));
}

void OperationPanel::ShowRenameMenu(POINT screen) {
  MarkRenameMenu(menu_);
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, form_.hwnd, nullptr);
}

}  // namespace rn
