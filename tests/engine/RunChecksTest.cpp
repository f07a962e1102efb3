// The checks before a run, in their order, with their texts and corrections.
#include <gtest/gtest.h>

#include "engine/RunChecks.h"

using namespace rn;
using Messages = std::vector<std::wstring>;

namespace {

FileList ListOf(std::initializer_list<const wchar_t*> names) {
  FileList list;
  for (const wchar_t* n : names) list.AddRow(std::wstring(L"C:\\d\\") + n, false, L"");
  return list;
}

RenameTask Task(OperationId op, const std::wstring& renameTo = L"x") {
  RenameTask t;
  t.Operation = op;
  t.RenameTo = renameTo;
  return t;
}

CheckResult Check(const RenameTask& t, const FileList& list) { return CheckRenameTask(t, list, PortableDateLocale()); }

}  // namespace

TEST(RunChecks, RefusalsComeInTheirOrderWithTheirFocus) {
  const FileList list = ListOf({L"a.txt"});
  CheckResult r = Check(Task(kNoOperation, L""), list);
  EXPECT_EQ(r.messages, Messages({L"Please choose an Option !"}));
  EXPECT_TRUE(r.stop);

  r = Check(Task(kOpRemove, L""), list);
  EXPECT_EQ(r.messages, Messages({L"No  'Rename to..'  string"}));
  EXPECT_EQ(r.focus, CheckFocus::RenameTo);
  EXPECT_FALSE(Check(Task(kOpCapitalize, L""), list).stop) << "operation 6 needs no text";

  // Every illegal character, in order, for any operation.
  r = Check(Task(kOpConvertCase, L"a?b*c"), list);
  EXPECT_EQ(r.messages, Messages({L"Ilegal characters:  ?", L"Ilegal characters:  *"}));
  EXPECT_EQ(r.focus, CheckFocus::RenameTo);

  RenameTask t = Task(kOpCreateNames, L"");
  t.Prefix = L"  ";
  t.Suffix = L"  ";
  r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"No  'Rename to..'  string\r\nEither a 'prefix' or a 'sufix' is needed."}));
  EXPECT_EQ(r.focus, CheckFocus::Prefix);
  t = Task(kOpRemove);
  t.Prefix = L"ok";
  t.Suffix = L"<";
  r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"Ilegal characters:  <"}));
  EXPECT_EQ(r.focus, CheckFocus::Prefix);
}

TEST(RunChecks, NumberBoxesStartOverOrWidenAndTheRunGoesOn) {
  FileList list;
  for (int i = 0; i < 120; ++i) list.AddRow(L"C:\\d\\f" + std::to_wstring(i) + L".txt", false, L"");
  RenameTask t = Task(kOpNumerate);
  t.StartNumber = L"5";
  CheckResult r = Check(t, list);
  EXPECT_FALSE(r.stop);
  EXPECT_EQ(r.messages, Messages({L"Number of digits (5) is not enough ..!  Increasing to  3 digits."}));
  EXPECT_EQ(r.task.StartNumber, L"005");
  EXPECT_EQ(r.firstCounter, 5);
  t = Task(kOpCreateNames);
  t.Prefix = L"img";
  t.CounterStart = L"abc";
  r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"abc is not a number ..!  Starting from #001."}));
  EXPECT_EQ(r.task.CounterStart, L"001");
  EXPECT_EQ(r.firstCounter, 1);
}

TEST(RunChecks, DatesBefore1980AndUnreadableTimesStopButAValidDateIsRemembered) {
  const FileList list = ListOf({L"a.txt"});
  RenameTask t = Task(kOpChangeDateTime);
  t.NewDate = L"31-12-1979";
  t.NewTime = L"10:00:00";
  CheckResult r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"Date must be posterior to 1st Jan 1980"}));
  EXPECT_FALSE(r.rememberDate);
  t.NewDate = L"32-01-2004";
  r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"32-01-2004 is not a valid Date ..!  Format must be dd-mm-yyyy"}));
  EXPECT_EQ(r.focus, CheckFocus::DateBox);
  t.NewDate = L"29-12-2004";
  t.NewTime = L"25:99";
  r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"25:99 is not a valid Time ..!  Format must be hh:nn:ss"}));
  EXPECT_EQ(r.rememberDate, std::optional<std::wstring>(L"29-12-2004"));
  EXPECT_EQ(r.focus, CheckFocus::TimeBox);
}

TEST(RunChecks, LengthChecksLookAtEveryRowCheckedOrNot) {
  FileList list = ListOf({L"longname.txt", L"ab.txt"});
  list.Row(1).checked = false;
  RenameTask t = Task(kOpAddFromBegin);
  t.InsertAt = 5;
  CheckResult r = Check(t, list);
  EXPECT_EQ(r.messages, Messages({L"Value larger than one of filename's length - reducing to maximum allowed"}));
  EXPECT_EQ(r.task.InsertAt, 2);
  EXPECT_TRUE(r.stop);
  t.InsertAt = 2;
  EXPECT_FALSE(Check(t, list).stop);

  t = Task(kOpTrimFromEnd);
  t.TrimCount = 2;
  t.TrimAt = 1;
  EXPECT_EQ(Check(t, list).messages,
            Messages({L"Wrong size to trim - larger than one of filename's length - please check."}));
  t = Task(kOpTrimBetween);
  t.KeepHead = 1;
  t.KeepTail = 1;
  EXPECT_FALSE(Check(t, list).stop);
  t.KeepTail = 2;
  EXPECT_TRUE(Check(t, list).stop);

  t = Task(kOpCreateNames);
  t.Prefix = std::wstring(200, L'p');
  t.Suffix = std::wstring(28, L's');
  t.CounterStart = L"001";
  EXPECT_EQ(Check(t, list).messages,
            Messages({L"The options choosen will give a file name length\rlarger than Windows limit of 255 chars."}));
  t = Task(kOpChangeExtension, L"archive.tar.gz");
  EXPECT_EQ(Check(t, list).task.RenameTo, L"gz");
}

// Positions and counts are characters; Windows' own limit is what Windows
// measures, so a character beyond U+FFFF counts twice there.
TEST(RunChecks, LengthsCountCharactersButWindowsLimitCountsUtf16Units) {
  // Bases of 7 characters: 8 and 14 UTF-16 units.
  const FileList list = ListOf({L"\U0001F600 party.jpg",
                                L"\U0001D49C\U0001D49C\U0001D49C\U0001D49C\U0001D49C"
                                L"\U0001D49C\U0001D49C.txt"});
  struct Case {
    OperationId op;
    int a, b;
    bool stop;
  };
  const Case cases[] = {
      {kOpAddFromBegin, 7, 0, false}, {kOpAddFromBegin, 8, 0, true}, {kOpTrimFromBegin, 6, 1, false},
      {kOpTrimFromEnd, 7, 1, true},   {kOpTrimBetween, 3, 4, false}, {kOpTrimBetween, 4, 4, true},
  };
  for (const Case& c : cases) {
    RenameTask t = Task(c.op);
    t.InsertAt = t.TrimCount = t.KeepHead = c.a;
    t.TrimAt = t.KeepTail = c.b;
    const CheckResult r = Check(t, list);
    EXPECT_EQ(r.stop, c.stop) << c.op << " " << c.a << " " << c.b;
    EXPECT_EQ(r.task.InsertAt, c.op == kOpAddFromBegin && c.stop ? 7 : c.a) << "reduced to the shortest base";
  }
  RenameTask t = Task(kOpCreateNames);
  t.CounterStart = L"001";
  t.Prefix = std::wstring(113, L'p') + L"\U0001F600";  // 114 characters, 115 units
  t.Suffix = std::wstring(112, L's');
  EXPECT_FALSE(Check(t, list).stop) << "230 UTF-16 units in all";
  t.Suffix += L"\U0001F600";  // 230 characters, 232 units
  EXPECT_TRUE(Check(t, list).stop);
}

// Fields are no part of a name: only the user's own text around them is
// checked; a field text that does not read stops the run with its place.
TEST(RunChecks, FieldsPassTheCharacterCheckAndATextThatDoesNotReadStops) {
  const FileList list = ListOf({L"a.jpg"});
  const struct {
    OperationId op;
    const wchar_t* renameTo;
    Messages messages;
  } cases[] = {
      {kOpAddFromBegin, L"<Taken|Modified:yyyy-mm-dd> ", {}},
      {kOpAddFromEnd, L" <Artist>?", {L"Ilegal characters:  ?"}},
      {kOpNumerate, L"<Taken|Modified:yyyy>", {}},  // typed for 1, left in the box
      {kOpRemove, L"<Taken>", {L"Ilegal characters:  <", L"Ilegal characters:  >"}},
      {kOpAddFromBegin, L"<Taken", {L"No > closes the < at 1"}},
      {kOpAddFromBegin, L"x<Camera>", {L"No field is called Camera, at 3"}},
  };
  for (const auto& c : cases) {
    RenameTask t = Task(c.op, c.renameTo);
    t.StartNumber = L"1";
    EXPECT_EQ(Check(t, list).messages, c.messages) << c.renameTo;
  }
  RenameTask names = Task(kOpCreateNames, L"");
  names.Prefix = L"<Artist> - ";
  names.Suffix = L" <Track:0>";
  EXPECT_FALSE(Check(names, list).stop);
  names.Suffix = L" <Track:x>";
  EXPECT_EQ(Check(names, list).messages.size(), 1u);
  EXPECT_EQ(Check(names, list).focus, CheckFocus::Prefix);
}
