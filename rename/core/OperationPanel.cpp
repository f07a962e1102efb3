#include "core/OperationPanel.h"

#include <algorithm>

#include "base/DateLocale.h"
#include "base/Text.h"

namespace rn {

namespace {

OperationPanelTexts PanelTextsFromTable(Language language) {
  OperationPanelTexts t;
  for (int op : kPanelOperations) {
    const auto i = static_cast<size_t>(op);
    t.captions[i] = OperationCaption(op, language);
    t.hints[i] = OperationHint(op, language);
  }
  t.everyWord = Text(TextId::CheckBox5, language);
  for (size_t i = 1; i < t.slotLabels.size(); ++i) t.slotLabels[i] = SlotLabelText(static_cast<int>(i), language);
  for (size_t i = 1; i < t.valueNames.size(); ++i) t.valueNames[i] = ValueNameText(static_cast<int>(i), language);
  return t;
}

}  // namespace

const OperationPanelTexts& PanelTexts(Language language) {
  static const OperationPanelTexts english = PanelTextsFromTable(Language::English);
  static const OperationPanelTexts portuguese = PanelTextsFromTable(Language::Portuguese);
  return language == Language::Portuguese ? portuguese : english;
}

const OperationPanelTexts& EnglishPanelTexts() { return PanelTexts(Language::English); }

bool HasRadioButton(int operation) {
  return std::find(kPanelOperations.begin(), kPanelOperations.end(), operation) != kPanelOperations.end();
}

SlotLabel SlotLabelFor(int op) {
  if (op == kOpNumerate) return kLabelBaseDigit;
  if (op == kOpAttributes || op == kOpChangeDateTime) return kLabelChangeTo;
  if (op == kOpReplace) return kLabelConvertFrom;
  if (op == kOpRemove) return kLabelRemoveIt;
  if (op < kOpCapitalize || op == kOpCreateNames) return kLabelRenameTo;
  if (op == kOpDateToBegin || op == kOpDateToEnd) return kLabelFormatDate;
  return kLabelDots;
}

SlotContent SlotContentFor(int op) {
  switch (op) {
    case kOpCapitalize:
    case kOpConvertCase:
    case kOpTrimFromBegin:
    case kOpTrimFromEnd:
    case kOpTrimBetween: return SlotContent::EmptyFrame;
    case kOpNumerate: return SlotContent::StartNumber;
    case kOpChangeDateTime: return SlotContent::DateAndTime;
    case kOpAttributes: return SlotContent::Attributes;
    case kOpDateToBegin:
    case kOpDateToEnd: return SlotContent::DateFormat;
    case kOpCreateNames: return SlotContent::NameParts;
    default: return SlotContent::RenameTo;
  }
}

int WrapSpinPosition(int position) {
  position = std::clamp(position, kSpinMin, kSpinMax);
  if (position == kSpinMin) return 0;
  if (position == kSpinMax) return kSpinMin + 1;
  return position;
}

int SpinPositionForNumber(long long number) {
  // Wide arithmetic: minus the most negative int does not fit an int.
  return static_cast<int>(std::clamp(-number, static_cast<long long>(kSpinMin), static_cast<long long>(kSpinMax)));
}

int WrapSelector(const SelectorRange& range, int position) {
  position = std::clamp(position, range.min, range.max);
  if (position < range.first) return range.last;
  if (position > range.last) return range.first;
  return position;
}

std::optional<int> ArrowChoice(ArrowBar bar, bool up, int current, bool scriptMode) {
  if (scriptMode) return std::nullopt;
  int upChoice = 0, downChoice = 0;
  switch (bar) {
    case ArrowBar::InsertAt: upChoice = 1, downChoice = 2; break;
    case ArrowBar::Trim: upChoice = 10, downChoice = 11; break;
    case ArrowBar::AddDatePart: upChoice = 16, downChoice = 17; break;
  }
  if (current == upChoice || current == downChoice) return std::nullopt;
  return up ? upChoice : downChoice;
}

bool KeyAccepted(KeyFilter filter, wchar_t c, const std::wstring& dateSeparator, const std::wstring& timeSeparator,
                 bool inField) {
  const bool fieldPart = c == L'<' || c == L'>' || (inField && (c == L':' || c == L'|'));
  const bool digit = c >= L'0' && c <= L'9';
  const bool editing = c == 8 || c == 12;  // backspace, and the control character 12
  switch (filter) {
    case KeyFilter::Spin: return digit || editing;
    case KeyFilter::DateBox: return digit || editing || c == L'.' || dateSeparator.find(c) != std::wstring::npos;
    case KeyFilter::TimeBox:
      return digit || editing || c == L'.' || c == L'A' || c == L'M' || c == L'P' ||
             timeSeparator.find(c) != std::wstring::npos;
    case KeyFilter::Replacement: return fieldPart || std::wstring(L"\"*/:<>?\\|").find(c) == std::wstring::npos;
    case KeyFilter::PatternReplacement: return fieldPart || std::wstring(L"\"*/:<>?|").find(c) == std::wstring::npos;
  }
  return false;
}

bool InField(const std::wstring& text, size_t caret) {
  const std::wstring before = text.substr(0, std::min(caret, text.size()));
  const size_t open = before.rfind(L'<');
  return open != std::wstring::npos && before.find(L'>', open) == std::wstring::npos;
}

std::wstring StepLeadingDigits(const std::wstring& text, bool up) {
  if (text.empty()) return text;
  const long long zeros = static_cast<long long>(text.size()) - (up ? -1 : 1) - 1;
  return std::wstring(static_cast<size_t>(std::max(zeros, 0LL)), L'0') + text.back();
}

std::optional<std::wstring> StepCounter(const std::wstring& text, bool up) {
  const std::optional<int> value = ParseInteger(text);
  if (!value) return std::nullopt;
  const long long next = static_cast<long long>(*value) + (up ? 1 : -1);
  const size_t width = text.size();
  if (next < 0) {
    // The negative text is the sign and at least `width` digits; the box keeps
    // as many zeros as that text has digits.
    const size_t digits = std::max(width, std::to_wstring(-next).size());
    return std::wstring(digits, L'0');
  }
  std::wstring digits = std::to_wstring(next);
  if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
  return digits;
}

int StepTimeOfDay(int ms, bool up) {
  constexpr long long kDay = 86'400'000;
  constexpr long long kLow = 5'184;        // 0.00006 day
  constexpr long long kHigh = 86'399'136;  // 0.99999 day
  constexpr long long kStep = 14'400;      // 1/6000 day
  long long t = ms;
  if (t < kLow)
    t = kHigh;
  else if (t > kHigh)
    t = kLow;
  t += up ? kStep : -kStep;
  // Earlier than midnight comes round to the evening before, never to a negative time.
  t = ((t % kDay) + kDay) % kDay;
  return static_cast<int>(t);
}

DateTime AddOneDay(const DateTime& date, bool later) {
  DateTime d = date;
  if (later) {
    if (++d.day > DaysInMonth(d.year, d.month)) {
      d.day = 1;
      if (++d.month > 12) d.month = 1, ++d.year;
    }
  } else if (--d.day < 1) {
    if (--d.month < 1) d.month = 12, --d.year;
    d.day = DaysInMonth(d.year, d.month);
  }
  return d;
}

const std::array<InlineRule, 11> kInlineRules = {{
    {InlineControl::InsertAt, kOpAddFromBegin, L',', 14, kOpAddFromBegin, 4},
    {InlineControl::TrimCount, kOpTrimFromBegin, L'.', 14, kOpTrimFromBegin, 4},
    {InlineControl::TrimAt, kOpTrimFromEnd, L'.', 14, kOpTrimFromBegin, 4},
    {InlineControl::AddDatePart, kOpDateToBegin, L'.', 14, kOpDateToBegin, 5},
    {InlineControl::EveryWord, kOpCapitalize, L'|', 14, kOpCapitalize, 0},
    {InlineControl::Replacement, kOpReplace, L'[', 14, kOpReplace, -1},
    {InlineControl::CaseMode, kOpConvertCase, L'[', 14, kOpConvertCase, -2},
    {InlineControl::SetDatePart, kOpChangeDateTime, L'[', 13, kOpChangeDateTime, -2},
    {InlineControl::NumberStyle, kOpNumerate, L'[', 14, kOpNumerate, -2},
    {InlineControl::KeepHead, kOpTrimBetween, L'.', 14, kOpTrimBetween, -3},
    {InlineControl::KeepTail, kOpTrimBetween, L',', 12, kOpTrimBetween, -3},
}};

std::wstring CaptionToMarker(const std::wstring& caption, wchar_t marker) {
  const size_t at = caption.find(marker);
  return at == std::wstring::npos ? caption : caption.substr(0, at + 1);
}

std::wstring DashRunAfterMarker(const std::wstring& caption, wchar_t marker) {
  const size_t at = caption.find(marker);
  if (at == std::wstring::npos) return L"";
  size_t end = at + 1;
  while (end < caption.size() && (caption[end] == L'-' || caption[end] == L'.')) ++end;
  return caption.substr(at + 1, end - at - 1);
}

std::array<int, 20> RadioTops(const RadioGeometry& g) {
  // One pitch for both columns, the largest with which the fuller one fits.
  auto column = [](size_t from, size_t to) { return std::pair(from, to); };
  const std::pair<size_t, size_t> columns[] = {column(0, kLeftColumnCount),
                                               column(kLeftColumnCount, kPanelOperations.size())};
  auto sharesWithNext = [](int op) { return op == kOpAddFromBegin || op == kOpTrimFromBegin || op == kOpDateToBegin; };
  int pitch = g.bottom - g.top;
  for (const auto& [from, to] : columns) {
    int pairs = 0, singles = 0;
    for (size_t i = from; i + 1 < to; ++i) sharesWithNext(kPanelOperations[i]) ? ++pairs : ++singles;
    if (singles > 0) pitch = std::min(pitch, (g.bottom - g.top - g.lineHeight - pairs * g.pairPitch) / singles);
  }
  std::array<int, 20> tops{};
  for (const auto& [from, to] : columns) {
    int y = g.top;
    for (size_t i = from; i < to; ++i) {
      tops[static_cast<size_t>(kPanelOperations[i])] = y;
      y += sharesWithNext(kPanelOperations[i]) ? g.pairPitch : pitch;
    }
  }
  return tops;
}

}  // namespace rn
