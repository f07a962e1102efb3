// The operation panel's rules that need no window: its texts, which control
// goes to the parameter slot, the wrap rules of the spins and selectors, the
// key filters, the steps of the arrows and the geometry of the radio lines.
#pragma once
#include <array>
#include <optional>
#include <string>

#include "base/DateTime.h"
#include "base/Texts.h"
#include "engine/Operation.h"

namespace rn {

// Every text the panel shows, in one language. Indexes are OperationIds for
// captions and hints, the label numbers below for slot labels and the
// selector codes for value names; unused entries stay empty.
struct OperationPanelTexts {
  std::array<std::wstring, 20> captions;
  std::array<std::wstring, 20> hints;
  std::wstring everyWord;
  std::array<std::wstring, 8> slotLabels;
  std::array<std::wstring, 9> valueNames;
};
const OperationPanelTexts& PanelTexts(Language language);
const OperationPanelTexts& EnglishPanelTexts();

// The operations with a radio button, left column top to bottom, then right.
inline constexpr std::array<int, 16> kPanelOperations = {
    kOpAddFromBegin,   kOpAddFromEnd,  kOpRemove,        kOpReplace,     kOpChangeExtension, kOpCapitalize,
    kOpConvertCase,    kOpCreateNames, kOpTrimFromBegin, kOpTrimFromEnd, kOpTrimBetween,     kOpAttributes,
    kOpChangeDateTime, kOpDateToBegin, kOpDateToEnd,     kOpNumerate};
inline constexpr int kLeftColumnCount = 8;
bool HasRadioButton(int operation);

// The label right of the parameter slot.
enum SlotLabel : int {
  kLabelRenameTo = 1,
  kLabelChangeTo = 2,
  kLabelBaseDigit = 3,
  kLabelDots = 4,
  kLabelFormatDate = 5,
  kLabelConvertFrom = 6,
  kLabelRemoveIt = 7,
};
SlotLabel SlotLabelFor(int operation);

// What stands in the parameter slot; everything else is parked.
enum class SlotContent { RenameTo, EmptyFrame, StartNumber, DateAndTime, Attributes, DateFormat, NameParts };
SlotContent SlotContentFor(int operation);

// Spins: a bar of range -255 … 1 whose value is the position's magnitude.
inline constexpr int kSpinMin = -255, kSpinMax = 1;
// -255 wraps to 0 and 1 to -254, so the value runs 0 … 254 round in both directions.
int WrapSpinPosition(int position);
// The position a typed number asks for: minus the number, held to the bar's
// range. The bar then wraps it as any change (255 asks for -255, which shows 0).
int SpinPositionForNumber(long long number);

// Cycling selectors: the bar's range has one step beyond each end of the values.
struct SelectorRange {
  int min, max;     // of the bar
  int first, last;  // of the values
};
inline constexpr SelectorRange kDatePartRange{0, 4, 1, 3};  // AddDatePart and SetDatePart
inline constexpr SelectorRange kCaseRange{3, 6, 4, 5};
inline constexpr SelectorRange kNumberStyleRange{5, 9, 6, 8};
// Held to the bar's range first, then a step beyond either end comes round.
int WrapSelector(const SelectorRange& range, int position);

// Bars whose arrows choose an operation when clicked.
enum class ArrowBar { InsertAt, Trim, AddDatePart };
// The operation an arrow click chooses, or nothing when the current one
// already belongs to the bar or a script holds the panel.
std::optional<int> ArrowChoice(ArrowBar bar, bool up, int currentOperation, bool scriptMode);

// Typed characters that reach a box.
// A pattern's replacement takes "\" too, for its group references (\1).
// The replacements take the brackets of fields ("<Artist>"), and within an
// open bracket (`inField`) the ":" of a format and the "|" of a fallback.
enum class KeyFilter { Spin, DateBox, TimeBox, Replacement, PatternReplacement };
bool KeyAccepted(KeyFilter filter, wchar_t c, const std::wstring& dateSeparator, const std::wstring& timeSeparator,
                 bool inField = false);
// Whether the caret at `caret` stands within a field's open bracket.
bool InField(const std::wstring& text, size_t caret);

// The start-number box's arrows: up puts a zero in front, down takes one away;
// every character but the last becomes a zero.
std::wstring StepLeadingDigits(const std::wstring& text, bool up);
// The counter box's arrows: one up or down, zeros kept to the text's length;
// below zero it stays at zero with its width. Nothing when the text is no number.
std::optional<std::wstring> StepCounter(const std::wstring& text, bool up);
// The time box's arrows, in milliseconds of the day: 1/6000 day (14.4 s) later
// or earlier, coming round at midnight. Times within 0.00006 day of either end
// first jump to the other end.
int StepTimeOfDay(int milliseconds, bool up);
// The date box's arrows of operation 15: one day later or earlier.
DateTime AddOneDay(const DateTime& date, bool later);

// Inline controls stand over the dash runs of their radio captions.
enum class InlineControl {
  InsertAt,
  TrimCount,
  TrimAt,
  AddDatePart,
  EveryWord,
  Replacement,
  CaseMode,
  SetDatePart,
  NumberStyle,
  KeepHead,
  KeepTail,
};
struct InlineRule {
  InlineControl control;
  int measured;    // the radio whose caption is measured
  wchar_t marker;  // the caption is measured up to and including it
  int offset;      // design pixels added to the width and the radio's left
  int topOf;       // the radio whose top the control follows
  int topDelta;    // design pixels
};
extern const std::array<InlineRule, 11> kInlineRules;
// The caption up to and including the first marker; the whole caption when
// the marker is missing (the control then stands after the text).
std::wstring CaptionToMarker(const std::wstring& caption, wchar_t marker);
// The run of dashes (and dots) right after the marker, which the control covers.
std::wstring DashRunAfterMarker(const std::wstring& caption, wchar_t marker);

// Tops of the radio lines in design pixels, by OperationId. The two lines
// that share a control stand close together with it between them.
struct RadioGeometry {
  int top = 32;      // first line
  int bottom = 194;  // last line's bottom at most
  int lineHeight = 14;
  int pairPitch = 14;  // from line to line inside a pair
};
std::array<int, 20> RadioTops(const RadioGeometry& geometry);

}  // namespace rn
