// One step of a script as stored in Rename.ini: the whole operation panel for
// one RenameTask written as one line of text.
//
//   hint TAB f0|f1|…|f21|    caption
//
// The hint and the caption (its "-" turned into ".") are the radio button's
// and only serve the editor's list; the machine reads the 22 fields after the
// first TAB. Spins are stored as their bar positions (0 … -254), selectors as
// their codes, the attribute boxes as "-1" / "0". Field 10 holds the flags of
// operation 4: "r" a pattern, "i" ignoring case, "ri" both, empty neither (so
// a line without them is what it always was, and a copy of the program that
// predates them skips the field and replaces plain text). Texts are stored
// without escaping, so a text holding "|" (a pattern's alternation among
// them) cannot be stored.
#pragma once
#include <optional>
#include <string>

#include "engine/Operation.h"

namespace rn {

using ScriptLine = std::wstring;

inline constexpr int kScriptFieldCount = 22;

// The fields of a line as stored, checked but not yet held to the panel's
// ranges (see PanelFromScriptLine).
struct ScriptLineFields {
  int operation = kNoOperation;
  std::wstring renameTo;
  std::wstring dateBox;  // NewDate or, for operation 12, StartNumber
  std::wstring dateFormat;
  int insertAtPosition = 0;
  bool everyWord = false;
  int addDatePart = kDatePartDate;
  int caseMode = kCaseUpper;
  int trimCountPosition = 0;
  int trimAtPosition = 0;
  bool replacePattern = false;
  bool replaceIgnoreCase = false;
  std::wstring replaceWith;
  std::wstring timeBox;
  int setDatePart = kDatePartDate;
  std::wstring prefix;
  std::wstring counter;
  std::wstring suffix;
  AttributeSet attributes;
  int numberStyle = kNumberName;
  bool operator==(const ScriptLineFields&) const = default;
};

// A line read whole: either every field converted, or the message of the
// first field that does not convert ("'x' is not a valid integer value",
// "'x' is not a valid boolean value", flags other than "", "r", "i" and
// "ri"), and then nothing may be applied.
struct ScriptLineParse {
  std::optional<ScriptLineFields> fields;
  std::wstring error;
};

// Why a line cannot be built from the panel.
enum class LineRefusal {
  None,
  NoOperation,     // "Please choose an Option !"
  NoRenameTo,      // operations 1 … 5 without a "Rename to" text; the box gets the focus
  BarInText,       // a text field holds "|"
  TooLongToStore,  // the settings file would cut it
};
struct ScriptLineBuild {
  ScriptLine line;  // empty unless refusal is None
  LineRefusal refusal = LineRefusal::None;
  std::wstring message;  // what the refusal tells the user
};

// The line of "&Add Line" and "&Replace Line": the checks of those buttons,
// the "|" check and the length check, then the line. hint and caption are the
// radio button's of task.Operation (empty when it has none); KeepHead and
// KeepTail are not stored.
ScriptLineBuild BuildScriptLine(const RenameTask& task, const std::wstring& hint, const std::wstring& caption);
// The same line without any check (what the format makes of the task).
ScriptLine FormatScriptLine(const RenameTask& task, const std::wstring& hint, const std::wstring& caption);
// The message naming the first box whose text holds "|", or nothing.
std::optional<std::wstring> BarInTextMessage(const RenameTask& task);

// The part up to the first TAB (the list shows it) and the part after it
// (what is applied). A line without a TAB is all body.
std::wstring ScriptLineHint(const ScriptLine& line);
std::wstring ScriptLineBody(const ScriptLine& line);

// Field i (0 … 21) of a body: the text between the i-th and the (i+1)-th "|";
// empty when the body has fewer bars.
std::wstring ScriptField(const std::wstring& body, int index);

// Reads and checks every field of a body, in field order; nothing after
// field 21's bar is read.
ScriptLineParse ParseScriptLine(const std::wstring& body);

// What the panel holds once a body is applied, or the message that refuses
// it (then the panel is not touched). `panel` is the panel before: its spins
// of operation 19 stay (a line does not store them), and so does its date
// format when the stored one is none of the box's entries. Everything else
// comes from the line, held to the ranges of the controls as they hold it.
struct ScriptLineApply {
  std::optional<RenameTask> task;
  std::wstring error;
};
ScriptLineApply PanelFromScriptLine(const std::wstring& body, const RenameTask& panel);
RenameTask PanelFromFields(const ScriptLineFields& fields, const RenameTask& panel);

// The value a spin shows for a stored bar position, and the code a selector
// shows for a stored one (both as the bars hold and wrap them).
int SpinValueOfPosition(int position);
int SelectorCode(int stored, int first, int last);

// Lines of versions before 1.2.2.3 hold the fields 0 to 11 only: the fields
// 12 to 20 (at their start-up values) and field 21 (numbering style 6) go in
// after the line's last "|" (the caption's own bar, which operation 6 has,
// does not count: the fields end at the bar in front of the four blanks), so
// an upgraded line applies. A line without "|" is returned as it is.
ScriptLine UpgradeScriptLine(const ScriptLine& line);
// True when the stored Version ("(v1.2.2.2)") names a version before
// 1.2.2.3. The parts are compared as numbers one by one (1.2.10.0 is later
// than 1.2.2.3); a value whose parts are not all numbers gives false.
bool VersionNeedsScriptUpgrade(const std::wstring& storedVersion);

}  // namespace rn
