#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "base/Texts.h"
#include "engine/Operation.h"
#include "scripts/ScriptLine.h"

using namespace rn;

namespace {

// The panel as the program starts it.
RenameTask StartPanel() {
  RenameTask t;
  t.NewDate = t.StartNumber = L"29-12-2004";
  t.NewTime = L"04:05:46 PM";
  return t;
}

// A valid body of operation 7 with field i replaced.
std::wstring BodyWith(int index, const std::wstring& text) {
  std::wstring body = L"7|x|001|[default]|0|0|1|5|0|0||r|04:05:46 PM|1|p|001|s|0|-1|0|0|6|    tail";
  size_t start = 0;
  for (int i = 0; i < index; ++i) start = body.find(L'|', start) + 1;
  return body.replace(start, body.find(L'|', start) - start, text);
}

RenameTask Applied(int index, const std::wstring& text) {
  return PanelFromScriptLine(BodyWith(index, text), StartPanel()).task.value();
}

}  // namespace

TEST(ScriptLine, TheLinesOfAFreshStart) {
  RenameTask t = StartPanel();
  t.Operation = kOpNumerate;
  t.RenameTo = L"abc";
  t.StartNumber = t.NewDate = L"001";  // set when 12 was chosen
  EXPECT_EQ(BuildScriptLine(t, L"Numerate Files as xxxxx", L"Numerate Files  [").line,
            L"Numerate Files as xxxxx\t12|abc|001|[default]|0|0|1|4|0|0|||04:05:46 PM|1||001||0|0|0|0|6|"
            L"    Numerate Files  [");

  t = StartPanel();
  t.Operation = kOpAddFromBegin;
  t.RenameTo = L"x";
  t.ReplaceWith = L"fix";
  const ScriptLine line = BuildScriptLine(t, L"Add .... at xxx", L"Add .... at  ,---  chars").line;
  EXPECT_EQ(ScriptLineHint(line), L"Add .... at xxx");
  const std::wstring body = ScriptLineBody(line);
  const std::pair<int, std::wstring> fields[] = {{0, L"1"}, {1, L"x"}, {4, L"0"}, {6, L"1"}, {7, L"4"}, {21, L"6"}};
  for (const auto& [i, text] : fields) EXPECT_EQ(ScriptField(body, i), text) << "field " << i;
  EXPECT_NE(line.find(L"|0|0||fix|"), std::wstring::npos) << "two bars between field 9 and the replacement";
  EXPECT_TRUE(line.ends_with(L"|    Add .... at  ,...  chars"));
}

TEST(ScriptLine, EveryOperationComesBackAsItWasStored) {
  RenameTask panel = StartPanel();
  panel.KeepHead = 12;  // not stored: the line runs with the panel's
  panel.KeepTail = 34;
  for (size_t i = 0; i < kOperationCatalogue.size(); ++i) {
    RenameTask t = panel;
    ChooseCatalogueEntry(t, i);
    t.RenameTo = L"name to";
    t.ReplaceWith = L" with ";
    t.InsertAt = 254, t.TrimCount = 7, t.TrimAt = 1;
    t.CaseMode = kCaseLower, t.SetDatePart = kDatePartBoth, t.AddDatePart = kDatePartTime;
    t.NumberStyle = kNumberExtension;
    t.Attributes = {true, false, true, false};
    t.NewDate = t.StartNumber = L"0007";
    t.NewTime = L"11:12:13";
    t.DateFormat = L"yy.mm.dd";
    t.Prefix = L"pre ", t.CounterStart = L"099", t.Suffix = L"\"s\"";
    const ScriptLineApply back = PanelFromScriptLine(ScriptLineBody(FormatScriptLine(t, L"h", L"c")), panel);
    ASSERT_TRUE(back.task) << back.error;
    EXPECT_EQ(*back.task, t) << i;
  }
}

TEST(ScriptLine, AppliedValuesAreHeldAsTheControlsHoldThem) {
  // Spins hold -255 … 1 and their ends come round; so do the selectors one
  // step beyond their values.
  EXPECT_EQ(Applied(4, L"1").InsertAt, 254);
  EXPECT_EQ(Applied(8, L"-255").TrimCount, 0);
  EXPECT_EQ(Applied(9, L"-100000").TrimAt, 0);
  EXPECT_EQ(Applied(6, L"0").AddDatePart, kDatePartBoth);
  EXPECT_EQ(Applied(7, L"-9").CaseMode, kCaseLower);
  EXPECT_EQ(Applied(7, L"  ").CaseMode, kCaseUpper) << "a blank case counts as Upper";
  EXPECT_EQ(Applied(13, L"99").SetDatePart, kDatePartDate);
  EXPECT_EQ(Applied(21, L"5").NumberStyle, kNumberExtension);
  // The format box takes one of its entries or keeps what it shows.
  EXPECT_EQ(Applied(3, L"DD-MMM-YYYY").DateFormat, L"dd-mmm-yyyy");
  EXPECT_EQ(Applied(3, L"hh:nn").DateFormat, StartPanel().DateFormat);
  // "of every word" stays only with operation 6.
  EXPECT_FALSE(Applied(5, L"1").EveryWord);
  ScriptLineFields six = ParseScriptLine(BodyWith(5, L"1")).fields.value();
  six.operation = kOpCapitalize;
  EXPECT_TRUE(PanelFromFields(six, StartPanel()).EveryWord);
  // What follows field 21 is not read; an unknown operation stays.
  EXPECT_EQ(PanelFromScriptLine(BodyWith(0, L"7") + L"|9|x", StartPanel()).task, Applied(0, L"7"));
  EXPECT_EQ(Applied(0, L"13").Operation, 13);
}

TEST(ScriptLine, ABrokenFieldRefusesTheWholeLine) {
  const std::wstring asInt = L" is not a valid integer value", asBool = L" is not a valid boolean value";
  const std::tuple<int, std::wstring, std::wstring> cases[] = {
      {0, L"x", L"'x'" + asInt},
      {0, L"", L"''" + asInt},
      {4, L"1.5", L"'1.5'" + asInt},
      {6, L"Date", L"'Date'" + asInt},
      {7, L"Upper", L"'Upper'" + asInt},
      {13, L"", L"''" + asInt},
      {21, L"six", L"'six'" + asInt},
      {17, L"yes", L"'yes'" + asBool},
      {20, L"", L"''" + asBool},
      {10, L"x", L"Field 10 holds \"x\": it may only be empty or hold r, i or ri."},
      {10, L"ir", L"Field 10 holds \"ir\": it may only be empty or hold r, i or ri."},
      {10, L" r", L"Field 10 holds \" r\": it may only be empty or hold r, i or ri."},
      {5, L"x", L""},
      {18, L"tRuE", L""},
      {19, L"2", L""},
  };
  for (const auto& [field, text, message] : cases) {
    const ScriptLineApply applied = PanelFromScriptLine(BodyWith(field, text), StartPanel());
    EXPECT_EQ(applied.error, message) << "field " << field;
    EXPECT_EQ(applied.task.has_value(), message.empty()) << "field " << field;
  }
  EXPECT_EQ(ParseScriptLine(L"x|a|b|c|y|").error, L"'x'" + asInt) << "the first bad field is named";
  EXPECT_EQ(ParseScriptLine(L"7|x|001|[default]|0|0|1|5|0|0||r|t|1|p|001|s|0|0|0|0|6").error, L"''" + asInt)
      << "field 21 without its bar";
  EXPECT_EQ(ScriptLineBody(L"h\t7|a\tb|"), L"7|a\tb|") << "only the first TAB counts";
  EXPECT_EQ(ScriptLineBody(L"7|a|"), L"7|a|") << "a line without TAB is read whole";
}

TEST(ScriptLine, BuildingRefusesWhatCannotBeStored) {
  RenameTask t = StartPanel();
  EXPECT_EQ(BuildScriptLine(t, L"", L"").message, L"Please choose an Option !");
  t.Operation = kOpRemove;
  EXPECT_EQ(BuildScriptLine(t, L"", L"").message, L"No  'Rename to..'  string");
  t.Operation = kOpConvertCase;
  EXPECT_EQ(BuildScriptLine(t, L"", L"").refusal, LineRefusal::None);

  const std::tuple<std::wstring RenameTask::*, int, const wchar_t*> boxes[] = {
      {&RenameTask::RenameTo, 1, L"\"Rename to\" box"}, {&RenameTask::ReplaceWith, 4, L"replacement box"},
      {&RenameTask::NewDate, 15, L"date box"},          {&RenameTask::StartNumber, 12, L"start number box"},
      {&RenameTask::NewTime, 15, L"time box"},          {&RenameTask::DateFormat, 16, L"date format box"},
      {&RenameTask::Prefix, 18, L"prefix box"},         {&RenameTask::CounterStart, 1, L"counter box"},
      {&RenameTask::Suffix, 7, L"suffix box"},
  };
  for (const auto& [field, operation, named] : boxes) {
    RenameTask bad = StartPanel();
    bad.Operation = operation;
    bad.RenameTo = L"x";
    bad.*field = L"a|b";
    const ScriptLineBuild built = BuildScriptLine(bad, L"h", L"c");
    EXPECT_EQ(built.refusal, LineRefusal::BarInText) << operation;
    EXPECT_TRUE(built.line.empty());
    EXPECT_NE(built.message.find(named), std::wstring::npos) << built.message.size();
  }
  t.RenameTo = std::wstring(1900, L'n');
  EXPECT_EQ(BuildScriptLine(t, L"h", L"c").refusal, LineRefusal::None);
  t.Prefix = std::wstring(200, L'p');
  EXPECT_EQ(BuildScriptLine(t, L"h", L"c").refusal, LineRefusal::TooLongToStore) << "the file would cut it";
  EXPECT_EQ(BuildScriptLine(t, L"h", L"c").message,
            L"The texts of this line are too long for a script (a line holds 2047 characters at most).");

  // The refusals speak the program's language.
  SetShownLanguage(Language::Portuguese);
  t.RenameTo = L"a|b";
  const std::wstring bar = BuildScriptLine(t, L"h", L"c").message;
  const std::wstring noOption = BuildScriptLine(StartPanel(), L"", L"").message;
  SetShownLanguage(kStartLanguage);
  EXPECT_EQ(bar,
            L"O texto da caixa \"Renomear para\" cont\u00e9m um \"|\", que uma linha de script n\u00e3o pode "
            L"guardar. Retire-o e tente de novo.");
  EXPECT_EQ(noOption, L"Escolha uma Op\u00e7\u00e3o primeiro !");
}

TEST(ScriptUpgrade, VersionsBefore1223AreUpgraded) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"(v1.2.2.2)", true},   {L"(v1.2.2.3)", false},
      {L"(v1.2.10.0)", false}, {L"(v1.2.1.10)", true},
      {L"(v1.2.2)", true},     {L"(v01.02.02.03)", false},
      {L"(v0.99.0.0)", true},  {L"(v1.2.2.99999999999999999)", false},
      {L"(vabc)", false},      {L"(v1..2.2)", false},
      {L"(v1.2.2.2", false},   {L"", false},
  };
  for (const auto& [version, upgrade] : cases) EXPECT_EQ(VersionNeedsScriptUpgrade(version), upgrade);
}

TEST(ScriptUpgrade, TenFieldsGoInAfterTheLastBarAndTheLineApplies) {
  const std::wstring old = L"Replace all\t4|a|29-12-2004|[default]|0|0|1|4|0|0||b|    Replace";
  const std::wstring upgraded = UpgradeScriptLine(old);
  EXPECT_EQ(upgraded,
            L"Replace all\t4|a|29-12-2004|[default]|0|0|1|4|0|0||b|04:05:46 PM|1||001||0|0|0|0|6|    Replace");
  const ScriptLineApply applied = PanelFromScriptLine(ScriptLineBody(upgraded), StartPanel());
  ASSERT_TRUE(applied.task) << "an upgraded line runs: " << applied.error.size();
  EXPECT_EQ(applied.task->ReplaceWith, L"b");
  EXPECT_EQ(applied.task->NumberStyle, kNumberName);
  EXPECT_EQ(UpgradeScriptLine(L"Cap |\t6|a|    Capitalize first letter   |"),
            L"Cap |\t6|a|04:05:46 PM|1||001||0|0|0|0|6|    Capitalize first letter   |")
      << "the caption's bar is not a field's";
  EXPECT_EQ(UpgradeScriptLine(L"h\t1|2|x"), L"h\t1|2|04:05:46 PM|1||001||0|0|0|0|6|x");
  EXPECT_EQ(UpgradeScriptLine(L"no bar"), L"no bar");
}

TEST(ScriptLine, TheReplaceFlagsGoInField10) {
  const std::tuple<bool, bool, std::wstring> flags[] = {
      {false, false, L""}, {true, false, L"r"}, {false, true, L"i"}, {true, true, L"ri"}};
  for (const auto& [pattern, ignoreCase, field] : flags) {
    RenameTask t = StartPanel();
    t.Operation = kOpReplace;
    t.RenameTo = L"^(.+?) - (.+)$";
    t.ReplaceWith = L"$2 - $1";
    t.ReplacePattern = pattern;
    t.ReplaceIgnoreCase = ignoreCase;
    const ScriptLineBuild built = BuildScriptLine(t, L"h", L"c");
    ASSERT_EQ(built.refusal, LineRefusal::None);
    EXPECT_EQ(ScriptField(ScriptLineBody(built.line), 10), field);
    EXPECT_EQ(PanelFromScriptLine(ScriptLineBody(built.line), StartPanel()).task, t) << "read back as recorded";
  }
  // A line of an earlier copy reads as before: no flags, a plain replace.
  const std::wstring old = L"4|a|29-12-2004|[default]|0|0|1|4|0|0||b|04:05:46 PM|1||001||0|0|0|0|6|    Replace";
  const RenameTask plain = PanelFromScriptLine(old, StartPanel()).task.value();
  EXPECT_FALSE(plain.ReplacePattern || plain.ReplaceIgnoreCase);
  EXPECT_EQ(ScriptLineBody(FormatScriptLine(plain, L"", L"Replace")), old) << "written again byte for byte";
}
