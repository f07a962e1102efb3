// The rename operations and the request that carries one operation with all
// its parameters, as the operation panel edits it and a script line stores it.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rn {

// The number shown in front of the operation in the "Rename(rs)" menu; -1 is
// "none chosen". 8, 13 and 14 do not exist.
using OperationId = int;

inline constexpr OperationId kNoOperation = -1;
inline constexpr OperationId kOpAddFromBegin = 1;
inline constexpr OperationId kOpAddFromEnd = 2;
inline constexpr OperationId kOpRemove = 3;
inline constexpr OperationId kOpReplace = 4;
inline constexpr OperationId kOpChangeExtension = 5;
inline constexpr OperationId kOpCapitalize = 6;
inline constexpr OperationId kOpConvertCase = 7;
inline constexpr OperationId kOpAttributes = 9;
inline constexpr OperationId kOpTrimFromBegin = 10;
inline constexpr OperationId kOpTrimFromEnd = 11;
inline constexpr OperationId kOpNumerate = 12;
inline constexpr OperationId kOpChangeDateTime = 15;
inline constexpr OperationId kOpDateToBegin = 16;
inline constexpr OperationId kOpDateToEnd = 17;
inline constexpr OperationId kOpCreateNames = 18;
inline constexpr OperationId kOpTrimBetween = 19;

// Name operations rename the entry and can be undone; the other two change
// the entry on disk and leave no trace for undo.
enum class OperationKind { None, Name, Attributes, TimeStamp };
OperationKind KindOf(OperationId id);
bool IsOperationId(int id);

// Codes of the cycling selectors; they share one table of labels.
inline constexpr int kDatePartDate = 1;
inline constexpr int kDatePartTime = 2;
inline constexpr int kDatePartBoth = 3;
inline constexpr int kCaseUpper = 4;
inline constexpr int kCaseLower = 5;
inline constexpr int kNumberName = 6;       // "( ## + name + ext.)"
inline constexpr int kNameNumber = 7;       // "( name + ## + ext.)"
inline constexpr int kNumberExtension = 8;  // "( ## + extention )"

inline constexpr const wchar_t* kDefaultDateFormat = L"[default]";
// The entries of the date-format box, in order.
extern const std::array<const wchar_t*, 18> kDateFormats;

// The attribute check boxes of operation 9.
struct AttributeSet {
  bool ReadOnly = false;
  bool Archive = false;
  bool Hidden = false;
  bool System = false;
  bool operator==(const AttributeSet&) const = default;
};
// ReadOnly 1 + Hidden 2 + System 4 + Archive 32; 0 for the empty set.
uint32_t AttributeValue(const AttributeSet& set);

// One operation with every parameter, used or not (a script line keeps them
// all). Counts are meant to be 0..254; the transforms clip any value.
struct RenameTask {
  OperationId Operation = kNoOperation;
  std::wstring RenameTo;
  std::wstring ReplaceWith;
  int InsertAt = 0;
  int TrimCount = 0;
  int TrimAt = 0;
  int KeepHead = 0;
  int KeepTail = 0;
  bool EveryWord = false;
  int CaseMode = kCaseUpper;
  AttributeSet Attributes;
  int SetDatePart = kDatePartDate;
  std::wstring NewDate;  // user's short date format; shares its box with StartNumber
  std::wstring NewTime;  // user's long time format
  int AddDatePart = kDatePartDate;
  std::wstring DateFormat = kDefaultDateFormat;
  int NumberStyle = kNumberName;
  std::wstring StartNumber = L"001";
  std::wstring Prefix;
  std::wstring CounterStart = L"001";
  std::wstring Suffix;
  // Operation 4: RenameTo is a pattern (PatternReplace.h), and its matching
  // ignores letter case (a plain text's too).
  bool ReplacePattern = false;
  bool ReplaceIgnoreCase = false;
  bool operator==(const RenameTask&) const = default;
};

// One entry of the "Rename(rs)" menu, in the menu's order. The two entries of
// operation 6 differ in `everyWord`.
struct CatalogueEntry {
  const wchar_t* caption;
  OperationId id;
  OperationKind kind;
  bool everyWord;
};
extern const std::array<CatalogueEntry, 17> kOperationCatalogue;
// What choosing a menu entry does to the request: sets the operation, and for
// operation 6 sets or clears EveryWord. An index outside the menu does nothing.
void ChooseCatalogueEntry(RenameTask& task, size_t index);

// StartNumber and CounterStart spell the first number, and their length is
// the width every number is padded to ("001": 1, three digits).
struct CounterText {
  int64_t first = 0;
  size_t width = 0;
};
// Nothing when the text is no integer.
std::optional<CounterText> ReadCounterText(const std::wstring& text);
// Digits needed to write rowCount in decimal (1 for 0..9).
int DecimalDigits(int64_t rowCount);
// Zeros go in (after a leading sign, so the text stays a number) until the
// text has at least as many characters as rowCount has digits.
std::wstring WidenCounterText(const std::wstring& text, int64_t rowCount);

// The new extension as the run cleans it: everything up to and including the
// last "." goes ("tar.gz" -> "gz", ".txt" -> "txt").
std::wstring CleanExtensionText(const std::wstring& text);

// Characters no file name may hold (" * / : < > ? \ |), in order of occurrence,
// each occurrence once. Characters below code 32 are not looked at.
std::vector<wchar_t> IllegalNameCharacters(const std::wstring& text);

}  // namespace rn
