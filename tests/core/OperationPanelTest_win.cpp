// The operation panel through the real window: choosing operations, the
// parameter slot, touch rules, spins, selectors, arrows, key filters, the
// request read from the panel and the last operation restored.
#include <windows.h>

#include <commctrl.h>

#include "base/DateLocale.h"
#include "core/OperationPanel.h"
#include "core/OperationPanel_win.h"
#include "engine/Operation.h"
#include "support/WindowHarness_win.h"

using namespace rntest;

namespace {

using rn::RadioId;
using Ids = std::initializer_list<int>;

const int kScreen = GetSystemMetrics(SM_CXSCREEN);

RECT Box(const MainWindow& w, int id) { return rn::ControlBounds(w.Control(id)); }
bool Parked(const MainWindow& w, int id) { return Box(w, id).left >= kScreen; }
int SlotRight(const MainWindow& w) { return Box(w, rn::IdLabelRenameTo).left; }
bool Checked(const MainWindow& w, int id) { return SendMessageW(w.Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
int Position(const MainWindow& w, int bar) { return GetScrollPos(w.Control(bar), SB_CTL); }

void Scroll(MainWindow& w, int bar, WORD code) {
  SendMessageW(w.Hwnd(), WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(w.Control(bar)));
  Pump();
}
void Up(MainWindow& w, int bar) { Scroll(w, bar, SB_LINEUP); }
void Down(MainWindow& w, int bar) { Scroll(w, bar, SB_LINEDOWN); }
void Type(MainWindow& w, int id, const std::wstring& chars) {
  for (wchar_t c : chars) SendMessageW(w.Control(id), WM_CHAR, c, 0);
  Pump();
}
void Key(MainWindow& w, int id, WPARAM vk) {
  SendMessageW(w.Control(id), WM_KEYDOWN, vk, 0);
  Pump();
}
void SetText(MainWindow& w, int id, const std::wstring& text) {
  SetWindowTextW(w.Control(id), text.c_str());
  Pump();
}
void Focus(MainWindow& w, int id) {
  SetFocus(w.Control(id));
  Pump();
}
// A click in the middle of a control, as the mouse makes it.
void ClickInside(MainWindow& w, int id) {
  HWND c = w.Control(id);
  RECT r{};
  GetClientRect(c, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(c, WM_LBUTTONUP, 0, at);
  Pump();
}
bool Focused(const MainWindow& w, int id) {
  const HWND f = GetFocus();
  return f && (f == w.Control(id) || IsChild(w.Control(id), f));
}

// The controls that take the slot in turn, by what they carry.
const int kSlotHeads[] = {rn::IdComboBox2, rn::IdBevel22,   rn::IdGroupBox1, rn::IdEditDate,
                          rn::IdEditTime,  rn::IdComboBox3, rn::IdPanelCreat};

std::wstring ShortDate(int y, int m, int d) { return rn::SystemDateLocale().shortDate(rn::DateTime{y, m, d}); }
std::wstring LongTime(int h, int m, int s) {
  return rn::SystemDateLocale().longTime(rn::DateTime{1980, 1, 1, h, m, s});
}

}  // namespace

TEST(OperationPanel, StartsWithItsDesignedContents) {
  TempFolder f;
  MainWindow w(f);
  EXPECT_EQ(w.form->currentOperation, -1);
  for (int op : rn::kPanelOperations) EXPECT_FALSE(Checked(w, RadioId(op))) << op;
  EXPECT_EQ(w.Text(rn::IdEditDate), L"29-12-2004");
  EXPECT_EQ(w.Text(rn::IdEditTime), L"04:05:46 PM");
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"001");
  for (int id : {rn::IdSpin3, rn::IdSpin4, rn::IdSpin5, rn::IdSpin10, rn::IdSpin11}) EXPECT_EQ(w.Text(id), L"0") << id;
  EXPECT_EQ(w.Text(rn::IdEdit5), L"Date");
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Upper");
  EXPECT_EQ(w.Text(rn::IdEdit7), L"Date");
  EXPECT_EQ(w.Text(rn::IdEdit8), L"( ## + name + ext.)");
  EXPECT_EQ(w.Text(rn::IdLabelRenameTo), L" < Rename to ...");
  EXPECT_EQ(w.Text(rn::IdComboBox3), L"[default]");
  EXPECT_EQ(SendMessageW(w.Control(rn::IdComboBox3), CB_GETCOUNT, 0, 0), 18);
  // The "Rename to" box is in the slot, everything else it could hold is parked.
  EXPECT_EQ(Box(w, rn::IdComboBox2).right, SlotRight(w));
  for (int id : kSlotHeads)
    if (id != rn::IdComboBox2) {
      EXPECT_TRUE(Parked(w, id)) << id;
    }
  EXPECT_TRUE(Focused(w, rn::IdComboBox2)) << "the focus starts in the panel";
}

TEST(OperationPanel, EachOperationPutsItsControlInTheSlotAndParksTheOthers) {
  struct Case {
    int op;
    int head;
    const wchar_t* label;
  };
  const Case cases[] = {{1, rn::IdComboBox2, L" < Rename to ..."},
                        {2, rn::IdComboBox2, L" < Rename to ..."},
                        {3, rn::IdComboBox2, L" < Remove it ..."},
                        {4, rn::IdComboBox2, L" < Convert from ..."},
                        {5, rn::IdComboBox2, L" < Rename to ..."},
                        {6, rn::IdBevel22, L"  ..."},
                        {7, rn::IdBevel22, L"  ..."},
                        {18, rn::IdPanelCreat, L" < Rename to ..."},
                        {10, rn::IdBevel22, L"  ..."},
                        {11, rn::IdBevel22, L"  ..."},
                        {19, rn::IdBevel22, L"  ..."},
                        {9, rn::IdGroupBox1, L" < Change  to ..."},
                        {15, rn::IdEditTime, L" < Change  to ..."},
                        {16, rn::IdComboBox3, L" < Format date ..."},
                        {17, rn::IdComboBox3, L" < Format date ..."},
                        {12, rn::IdEditDate, L" < Base digit to ..."}};
  TempFolder f;
  MainWindow w(f);
  const int parkedAt = kScreen + w.form->dpi.Scale(100);
  const RECT filterLabel = Box(w, rn::IdLabelFileTypes);
  for (const Case& c : cases) {
    w.Click(RadioId(c.op));
    EXPECT_EQ(w.form->currentOperation, c.op);
    for (int op : rn::kPanelOperations) EXPECT_EQ(Checked(w, RadioId(op)), op == c.op) << c.op << " " << op;
    EXPECT_EQ(w.Text(rn::IdLabelRenameTo), c.label) << c.op;
    // The texts that take fields have their "<>" button between them and the label.
    const bool fields = c.op == 1 || c.op == 2 || c.op == 18;
    const RECT fieldButton = Box(w, rn::IdFieldButton);
    EXPECT_EQ(Box(w, c.head).right, fields ? fieldButton.left - w.form->dpi.Scale(2) : SlotRight(w)) << c.op;
    EXPECT_EQ(fields ? fieldButton.right : fieldButton.left, fields ? SlotRight(w) : parkedAt) << c.op;
    EXPECT_GT(Box(w, c.head).left, filterLabel.right) << "the slot keeps clear of the type filter's label";
    for (int id : kSlotHeads) {
      const bool inSlot = id == c.head || (c.op == 15 && id == rn::IdEditDate);
      if (!inSlot) {
        EXPECT_EQ(Box(w, id).left, parkedAt) << c.op << " " << id;
      }
    }
    EXPECT_FALSE(IsChild(w.Hwnd(), GetFocus()) && rn::ControlBounds(GetFocus()).left >= kScreen)
        << "no keys go to a parked control (" << c.op << ")";
  }
}

TEST(OperationPanel, DateAndTimeBoxesTakeTheirWidthsAndKeepTheirArrowsInside) {
  TempFolder f;
  MainWindow w(f);
  const rn::Dpi& dpi = w.form->dpi;
  auto arrowsInside = [&](int box, int bar) {
    const RECT b = Box(w, box), a = Box(w, bar);
    EXPECT_EQ(a.left, b.right - (a.right - a.left) - 1) << box;
    EXPECT_EQ(a.top, b.top + 1) << box;
  };
  w.Click(RadioId(12));
  EXPECT_EQ(Box(w, rn::IdEditDate).right - Box(w, rn::IdEditDate).left, dpi.Scale(94));
  arrowsInside(rn::IdEditDate, rn::IdScrollDate);
  w.Click(RadioId(15));
  const RECT date = Box(w, rn::IdEditDate), time = Box(w, rn::IdEditTime);
  EXPECT_EQ(date.right - date.left, dpi.Scale(77));
  EXPECT_EQ(date.right, time.left - 2);
  EXPECT_EQ(date.top, time.top);
  arrowsInside(rn::IdEditDate, rn::IdScrollDate);
  arrowsInside(rn::IdEditTime, rn::IdScrollTime);
  // The group of 18 holds its three parts side by side.
  w.Click(RadioId(18));
  const RECT group = Box(w, rn::IdPanelCreat);
  int left = group.left;
  for (int id : Ids{rn::IdComboBoxCreat1, rn::IdEditCreat, rn::IdComboBoxCreat2}) {
    EXPECT_GE(Box(w, id).left, left) << id;
    EXPECT_LE(Box(w, id).right, group.right) << id;
    left = Box(w, id).right;
  }
  arrowsInside(rn::IdEditCreat, rn::IdScrollBarCreat);
}

TEST(OperationPanel, InlineControlsStandOverTheirCaptionsWithoutTouchingOtherLines) {
  TempFolder f;
  MainWindow w(f);
  struct Inline {
    int id, first, second;  // the radio lines it stands on
  };
  const Inline controls[] = {{rn::IdSpin3, 1, 2},    {rn::IdSpin4, 10, 11},   {rn::IdSpin5, 10, 11},
                             {rn::IdEdit5, 16, 17},  {rn::IdCheckBox5, 6, 6}, {rn::IdComboBox4a, 4, 4},
                             {rn::IdEdit6, 7, 7},    {rn::IdEdit7, 15, 15},   {rn::IdEdit8, 12, 12},
                             {rn::IdSpin10, 19, 19}, {rn::IdSpin11, 19, 19}};
  for (const Inline& c : controls) {
    const RECT r = Box(w, c.id), own = Box(w, RadioId(c.first));
    EXPECT_GT(r.left, own.left + (own.right - own.left) / 8) << c.id << " stands inside the caption";
    // Markers at the end of a caption put their control after it.
    const bool atEnd = c.id == rn::IdCheckBox5 || c.id == rn::IdEdit8;
    if (!atEnd) {
      EXPECT_LE(r.right, own.right) << c.id;
    }
    for (int op : rn::kPanelOperations) {
      if (op == c.first || op == c.second) continue;
      RECT other = Box(w, RadioId(op)), overlap{};
      EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << c.id << " touches the line of " << op;
    }
    for (const Inline& d : controls) {
      if (&d == &c) continue;
      RECT other = Box(w, d.id), overlap{};
      EXPECT_FALSE(IntersectRect(&overlap, &r, &other)) << c.id << " and " << d.id;
    }
  }
  // Radio lines stay left of the tool strip.
  for (int op : rn::kPanelOperations) EXPECT_LT(Box(w, RadioId(op)).right, Box(w, rn::IdBevel9).left) << op;
  // The replacement box covers its history list but for the list's button.
  const RECT edit = Box(w, rn::IdEdit4a), list = Box(w, rn::IdComboBox4a);
  EXPECT_EQ(edit.left, list.left);
  EXPECT_LT(edit.right, list.right);

  // What stands over another lies above it, and the radio buttons lie in
  // their order, the one a screen reader walks.
  auto above = [&](int upper, int lower) {
    for (HWND c = GetWindow(w.Control(upper), GW_HWNDNEXT); c; c = GetWindow(c, GW_HWNDNEXT))
      if (c == w.Control(lower)) return true;
    return false;
  };
  for (const Inline& c : controls) EXPECT_TRUE(above(c.id, RadioId(c.first))) << c.id;
  EXPECT_TRUE(above(rn::IdEdit4a, rn::IdComboBox4a));
  for (int bar : {rn::IdScrollBar3, rn::IdScrollBar4, rn::IdScrollBar5, rn::IdScrollBar10, rn::IdScrollBar11})
    EXPECT_TRUE(above(bar, bar - 1)) << "the arrows of " << bar - 1;
  for (size_t i = 1; i < std::size(rn::kPanelOperations); ++i)
    EXPECT_EQ(GetWindow(w.Control(RadioId(rn::kPanelOperations[i - 1])), GW_HWNDNEXT),
              w.Control(RadioId(rn::kPanelOperations[i])))
        << rn::kPanelOperations[i];
}

TEST(OperationPanel, TheCheckedRadioAgainResetsNothingAnotherChoiceResetsItsBoxes) {
  TempFolder f;
  f.WriteIni("[Options]\r\nDate_ch=3/4/2010\r\n");
  MainWindow w(f);
  w.Click(RadioId(15));
  EXPECT_EQ(w.Text(rn::IdEditDate), L"3/4/2010") << "the remembered date";
  SetText(w, rn::IdEditDate, L"1/2/2003");
  SetText(w, rn::IdEditTime, L"1:02:03 AM");
  w.Click(RadioId(15));
  EXPECT_EQ(w.Text(rn::IdEditDate), L"1/2/2003") << "choosing 15 twice keeps the boxes";
  EXPECT_EQ(w.Text(rn::IdEditTime), L"1:02:03 AM");
  w.Click(RadioId(12));
  EXPECT_EQ(w.Text(rn::IdEditDate), L"001");
  w.Click(RadioId(15));
  EXPECT_EQ(w.Text(rn::IdEditDate), L"3/4/2010");
  EXPECT_NE(w.Text(rn::IdEditTime), L"1:02:03 AM") << "the time box shows the time of the choice";
  w.Click(RadioId(12));
  EXPECT_EQ(w.Text(rn::IdEditDate), L"001");
  // 9 clears the attributes, 18 restarts the counter.
  for (int id : {rn::IdCheckBox1, rn::IdCheckBox2, rn::IdCheckBox3, rn::IdCheckBox4})
    SendMessageW(w.Control(id), BM_SETCHECK, BST_CHECKED, 0);
  w.Click(RadioId(9));
  for (int id : {rn::IdCheckBox1, rn::IdCheckBox2, rn::IdCheckBox3, rn::IdCheckBox4}) EXPECT_FALSE(Checked(w, id));
  SetText(w, rn::IdEditCreat, L"77");
  w.Click(RadioId(18));
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"001");
}

TEST(OperationPanel, TimeOnlyGraysTheDateBoxAndSendsTheFocusToTheTimeBox) {
  TempFolder f;
  MainWindow w(f);
  w.Click(RadioId(15));
  EXPECT_TRUE(w.Enabled(rn::IdEditDate));
  EXPECT_FALSE(w.Enabled(rn::IdEditTime)) << "\"Date\" leaves the time alone";
  Down(w, rn::IdScrollBar7);
  EXPECT_EQ(w.Text(rn::IdEdit7), L"Time");
  EXPECT_FALSE(w.Enabled(rn::IdEditDate));
  EXPECT_FALSE(w.Enabled(rn::IdScrollDate));
  EXPECT_TRUE(w.Enabled(rn::IdEditTime));
  EXPECT_TRUE(Focused(w, rn::IdEditTime));
  Down(w, rn::IdScrollBar7);
  EXPECT_EQ(w.Text(rn::IdEdit7), L"Both");
  EXPECT_TRUE(w.Enabled(rn::IdEditDate));
  EXPECT_TRUE(w.Enabled(rn::IdEditTime));
  EXPECT_TRUE(Focused(w, rn::IdEditDate));
  Down(w, rn::IdScrollBar7);
  EXPECT_EQ(w.Text(rn::IdEdit7), L"Date") << "the selector comes round";
  // Back to "Time", then another operation: the date box serves 12 again.
  Up(w, rn::IdScrollBar7);
  Up(w, rn::IdScrollBar7);
  EXPECT_FALSE(w.Enabled(rn::IdEditDate));
  w.Click(RadioId(12));
  EXPECT_TRUE(w.Enabled(rn::IdEditDate));
  EXPECT_TRUE(w.Enabled(rn::IdScrollDate));
}

TEST(OperationPanel, ArrowClicksChooseTheirOperationUnlessItIsAlreadyOneOfTheBars) {
  TempFolder f;
  MainWindow w(f);
  w.Click(RadioId(19));
  Up(w, rn::IdScrollBar5);
  EXPECT_EQ(w.form->currentOperation, 10) << "the TrimAt bar's up arrow switches 19 to 10";
  EXPECT_EQ(w.Text(rn::IdSpin5), L"1");
  Down(w, rn::IdScrollBar5);
  EXPECT_EQ(w.form->currentOperation, 10) << "while 10 is chosen only the value changes";
  EXPECT_EQ(w.Text(rn::IdSpin5), L"0");
  Down(w, rn::IdScrollBar4);
  EXPECT_EQ(w.form->currentOperation, 10);
  w.Click(RadioId(3));
  Down(w, rn::IdScrollBar4);
  EXPECT_EQ(w.form->currentOperation, 11);
  Down(w, rn::IdScrollBar3);
  EXPECT_EQ(w.form->currentOperation, 2);
  Up(w, rn::IdScrollBar3);
  EXPECT_EQ(w.form->currentOperation, 2);
  Up(w, rn::IdScrollBar2);
  EXPECT_EQ(w.form->currentOperation, 16);
  EXPECT_EQ(w.Text(rn::IdEdit5), L"Both") << "up from Date comes round";
  Down(w, rn::IdScrollBar2);
  EXPECT_EQ(w.form->currentOperation, 16);
  EXPECT_EQ(w.Text(rn::IdEdit5), L"Date");
  w.Click(RadioId(5));
  Down(w, rn::IdScrollBar2);
  EXPECT_EQ(w.form->currentOperation, 17);
  EXPECT_EQ(w.Text(rn::IdEdit5), L"Time");
  EXPECT_FALSE(w.Enabled(rn::IdComboBox3)) << "a time stamp has no date format";
  Down(w, rn::IdScrollBar2);
  EXPECT_TRUE(w.Enabled(rn::IdComboBox3));
  EXPECT_TRUE(Focused(w, rn::IdComboBox3));
  // A script holding the panel keeps its operation.
  w.Click(RadioId(3));
  w.form->scriptMode = true;
  for (int bar : {rn::IdScrollBar3, rn::IdScrollBar4, rn::IdScrollBar5, rn::IdScrollBar2, rn::IdScrollBar6,
                  rn::IdScrollBar7, rn::IdScrollBar8})
    Up(w, bar);
  EXPECT_EQ(w.form->currentOperation, 3);
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Lower") << "the values still change";
}

TEST(OperationPanel, SelectorsChooseTheirOperationAndCycle) {
  TempFolder f;
  MainWindow w(f);
  Down(w, rn::IdScrollBar6);
  EXPECT_EQ(w.form->currentOperation, 7);
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Lower");
  Down(w, rn::IdScrollBar6);
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Upper");
  Up(w, rn::IdScrollBar6);
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Lower");
  Down(w, rn::IdScrollBar8);
  EXPECT_EQ(w.form->currentOperation, 12);
  EXPECT_EQ(w.Text(rn::IdEdit8), L"( name + ## + ext.)");
  EXPECT_TRUE(Focused(w, rn::IdEditDate)) << "the start number takes the focus";
  Down(w, rn::IdScrollBar8);
  EXPECT_EQ(w.Text(rn::IdEdit8), L"( ## + extention )");
  Down(w, rn::IdScrollBar8);
  EXPECT_EQ(w.Text(rn::IdEdit8), L"( ## + name + ext.)");
  Up(w, rn::IdScrollBar7);
  EXPECT_EQ(w.form->currentOperation, 15);
  EXPECT_EQ(w.Text(rn::IdEdit7), L"Both");
  // Clicking a selector's text gives its arrows the focus; for the case
  // selector entering counts as a change and the bar keeps the focus.
  w.Click(RadioId(1));
  ClickInside(w, rn::IdEdit6);
  EXPECT_TRUE(Focused(w, rn::IdScrollBar6));
  EXPECT_EQ(w.form->currentOperation, 7);
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Lower") << "entering changes no value";
  w.Click(RadioId(1));
  Focus(w, rn::IdScrollBar8);
  EXPECT_EQ(w.form->currentOperation, 12);
  // Entering the bars of 15 and 16/17 chooses nothing.
  w.Click(RadioId(1));
  Focus(w, rn::IdScrollBar7);
  Focus(w, rn::IdScrollBar2);
  EXPECT_EQ(w.form->currentOperation, 1);
}

TEST(OperationPanel, TouchingTheOtherParameterControlsChoosesTheirOperations) {
  TempFolder f;
  f.WriteIni("[Replace_str4]\r\n0=\"first\"\r\n1=\"second one\"\r\n");
  MainWindow w(f);
  // KeepHead and KeepTail: entering the bar, in script mode too.
  w.form->scriptMode = true;
  Focus(w, rn::IdScrollBar11);
  EXPECT_EQ(w.form->currentOperation, 19);
  w.form->scriptMode = false;
  w.Click(RadioId(1));
  Focus(w, rn::IdScrollBar10);
  EXPECT_EQ(w.form->currentOperation, 19);
  // "of every word": checking chooses 6, unchecking nothing, nor anything in script mode.
  w.Click(RadioId(1));
  w.Click(rn::IdCheckBox5);
  EXPECT_EQ(w.form->currentOperation, 6);
  EXPECT_TRUE(Checked(w, rn::IdCheckBox5));
  w.Click(rn::IdCheckBox5);
  EXPECT_EQ(w.form->currentOperation, 6);
  w.Click(RadioId(1));
  EXPECT_FALSE(Checked(w, rn::IdCheckBox5)) << "any other operation unchecks it";
  w.form->scriptMode = true;
  w.Click(rn::IdCheckBox5);
  EXPECT_EQ(w.form->currentOperation, 1);
  w.form->scriptMode = false;
  // The replacement box: a click chooses 4 and selects its text.
  SetText(w, rn::IdEdit4a, L"abc");
  ClickInside(w, rn::IdEdit4a);
  EXPECT_EQ(w.form->currentOperation, 4);
  EXPECT_TRUE(Focused(w, rn::IdEdit4a));
  DWORD from = 0, to = 0;
  SendMessageW(w.Control(rn::IdEdit4a), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 0u);
  EXPECT_EQ(to, 3u);
  Type(w, rn::IdEdit4a, L"x*y?");
  EXPECT_EQ(w.Text(rn::IdEdit4a), L"xy") << "characters no name may hold are dropped";
  // Its history: a pick chooses 4 even in script mode and puts the entry in the box.
  w.Click(RadioId(1));
  w.form->scriptMode = true;
  HWND history = w.Control(rn::IdComboBox4a);
  SendMessageW(history, CB_SETCURSEL, 1, 0);
  w.Command(rn::IdComboBox4a, CBN_SELCHANGE);
  EXPECT_EQ(w.form->currentOperation, 4);
  EXPECT_EQ(w.Text(rn::IdEdit4a), L"second one");
  SendMessageW(w.Control(rn::IdEdit4a), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 10u) << "the caret at its end";
  EXPECT_EQ(to, 10u);
  EXPECT_EQ(SendMessageW(history, CB_GETCURSEL, 0, 0), CB_ERR) << "the same entry can be picked again";
  EXPECT_EQ(SendMessageW(history, CB_GETDROPPEDWIDTH, 0, 0), w.form->dpi.Scale(130));
}

TEST(OperationPanel, SpinsWrapAndTakeOnlyDigits) {
  TempFolder f;
  MainWindow w(f);
  Down(w, rn::IdScrollBar3);
  EXPECT_EQ(w.Text(rn::IdSpin3), L"254") << "down at 0";
  Up(w, rn::IdScrollBar3);
  EXPECT_EQ(w.Text(rn::IdSpin3), L"0") << "up at 254";
  SetText(w, rn::IdSpin4, L"255");
  EXPECT_EQ(w.Text(rn::IdSpin4), L"0") << "typing 255 shows 0";
  EXPECT_EQ(Position(w, rn::IdScrollBar4), 0);
  SetText(w, rn::IdSpin4, L"12");
  EXPECT_EQ(Position(w, rn::IdScrollBar4), -12);
  Key(w, rn::IdSpin4, VK_UP);
  EXPECT_EQ(w.Text(rn::IdSpin4), L"13");
  Key(w, rn::IdSpin4, VK_DOWN);
  Key(w, rn::IdSpin4, VK_DOWN);
  EXPECT_EQ(w.Text(rn::IdSpin4), L"11");
  SetText(w, rn::IdSpin10, L"300");
  EXPECT_EQ(w.Text(rn::IdSpin10), L"0");
  // Typing: digits pass, anything else is dropped.
  SendMessageW(w.Control(rn::IdSpin5), EM_SETSEL, 0, -1);
  Type(w, rn::IdSpin5, L"1a-2.");
  EXPECT_EQ(w.Text(rn::IdSpin5), L"12");
  EXPECT_EQ(SendMessageW(w.Control(rn::IdSpin3), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(w.Control(rn::IdSpin5), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_GT(SendMessageW(w.Control(rn::IdSpin10), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(w.form->currentOperation, 2) << "only the first arrow click chose; typing and keys choose nothing";
}

TEST(OperationPanel, ATextThatIsNoNumberLeavesTheSpinAndSaysSo) {
  TempFolder f;
  MainWindow w(f);
  SetText(w, rn::IdSpin10, L"42");
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"'' is not a valid integer value");
    SetText(w, rn::IdSpin10, L"");
    ASSERT_EQ(dialogs.Seen().size(), 1u);
    EXPECT_EQ(dialogs.Seen()[0].icon, rn::DialogIcon::Error);
  }
  EXPECT_EQ(Position(w, rn::IdScrollBar10), -42);
  {
    // Leaving the box for another control says it again.
    ScriptedDialogs dialogs;
    dialogs.Expect(L"'' is not a valid integer value");
    Focus(w, rn::IdSpin10);
    Focus(w, rn::IdSpin11);
  }
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"'4 2' is not a valid integer value");
    SetText(w, rn::IdSpin10, L"4 2");
  }
  EXPECT_EQ(Position(w, rn::IdScrollBar10), -42);
  SetText(w, rn::IdSpin10, L"5");
  Focus(w, rn::IdSpin10);
  Focus(w, rn::IdSpin11);  // a number: no box
  EXPECT_EQ(Position(w, rn::IdScrollBar10), -5);
}

TEST(OperationPanel, DateBoxArrowsStepDaysFor15AndDigitsFor12) {
  TempFolder f;
  MainWindow w(f);
  SetText(w, rn::IdEditDate, ShortDate(2004, 12, 31));
  Up(w, rn::IdScrollDate);
  EXPECT_EQ(w.Text(rn::IdEditDate), ShortDate(2004, 12, 31)) << "no operation of the box: nothing happens";
  w.Click(RadioId(15));
  SetText(w, rn::IdEditDate, ShortDate(2004, 12, 31));
  Up(w, rn::IdScrollDate);
  EXPECT_EQ(w.Text(rn::IdEditDate), ShortDate(2005, 1, 1));
  Down(w, rn::IdScrollDate);
  Down(w, rn::IdScrollDate);
  EXPECT_EQ(w.Text(rn::IdEditDate), ShortDate(2004, 12, 30));
  EXPECT_EQ(Position(w, rn::IdScrollDate), 0) << "the arrows rest at 0";
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"'31/31/2004' is not a valid date");
    SetText(w, rn::IdEditDate, L"31/31/2004");
    Up(w, rn::IdScrollDate);
  }
  EXPECT_EQ(w.Text(rn::IdEditDate), L"31/31/2004");
  w.Click(RadioId(12));
  Up(w, rn::IdScrollDate);
  EXPECT_EQ(w.Text(rn::IdEditDate), L"0001");
  Down(w, rn::IdScrollDate);
  Down(w, rn::IdScrollDate);
  EXPECT_EQ(w.Text(rn::IdEditDate), L"01");
}

TEST(OperationPanel, TimeArrowsStepAndAnUnreadableTimeBecomesMidnight) {
  TempFolder f;
  MainWindow w(f);
  SetText(w, rn::IdEditTime, LongTime(16, 5, 46));
  Up(w, rn::IdScrollTime);
  EXPECT_EQ(w.Text(rn::IdEditTime), LongTime(16, 6, 0));
  Down(w, rn::IdScrollTime);
  EXPECT_EQ(w.Text(rn::IdEditTime), LongTime(16, 5, 45));
  SetText(w, rn::IdEditTime, LongTime(0, 0, 3));
  Down(w, rn::IdScrollTime);
  EXPECT_EQ(w.Text(rn::IdEditTime), LongTime(23, 59, 44)) << "comes round at midnight";
  SetText(w, rn::IdEditTime, L"nonsense");
  Up(w, rn::IdScrollTime);  // no box
  EXPECT_EQ(w.Text(rn::IdEditTime), LongTime(0, 0, 0));
}

TEST(OperationPanel, CounterArrowsWorkFor18Only) {
  TempFolder f;
  MainWindow w(f);
  SetText(w, rn::IdEditCreat, L"009");
  Up(w, rn::IdScrollBarCreat);
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"009");
  w.Click(RadioId(18));
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"001");
  Down(w, rn::IdScrollBarCreat);
  Down(w, rn::IdScrollBarCreat);
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"000") << "stays at zero with its width";
  SetText(w, rn::IdEditCreat, L"099");
  Up(w, rn::IdScrollBarCreat);
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"100");
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"'1.5' is not a valid integer value");
    SetText(w, rn::IdEditCreat, L"1.5");
    Up(w, rn::IdScrollBarCreat);
  }
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"1.5");
}

TEST(OperationPanel, DateTimeAndCounterBoxesFilterTheirKeys) {
  TempFolder f;
  MainWindow w(f);
  const std::wstring dateSep = w.form->DateSeparator();
  SetText(w, rn::IdEditDate, L"");
  Type(w, rn::IdEditDate, L"1x." + dateSep + L":A2");
  EXPECT_EQ(w.Text(rn::IdEditDate), L"1." + dateSep + L"2");
  SetText(w, rn::IdEditCreat, L"");
  Type(w, rn::IdEditCreat, L"0a0-1");
  EXPECT_EQ(w.Text(rn::IdEditCreat), L"001");
  wchar_t sep[8] = L":";
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIME, sep, 8);
  SetText(w, rn::IdEditTime, L"");
  Type(w, rn::IdEditTime, std::wstring(L"4") + sep + L"05 pPM/");
  EXPECT_EQ(w.Text(rn::IdEditTime), std::wstring(L"4") + sep + L"05PM");
}

TEST(OperationPanel, ARunInProgressKeepsItsOperation) {
  TempFolder f;
  MainWindow w(f);
  w.Click(RadioId(3));
  w.form->runLock = true;
  w.form->lockedOperation = 3;
  w.Click(RadioId(5));
  EXPECT_EQ(w.form->currentOperation, 3);
  EXPECT_TRUE(Checked(w, RadioId(3)));
  EXPECT_FALSE(Checked(w, RadioId(5)));
  Up(w, rn::IdScrollBar3);  // touching chooses nothing either
  Down(w, rn::IdScrollBar6);
  w.Command(rn::IdRenameMenuFirst + 9);
  EXPECT_EQ(w.form->currentOperation, 3);
  EXPECT_TRUE(Checked(w, RadioId(3)));
  EXPECT_EQ(w.Text(rn::IdLabelRenameTo), L" < Remove it ...");
  w.form->runLock = false;
  w.Click(RadioId(5));
  EXPECT_EQ(w.form->currentOperation, 5);
}

TEST(OperationPanel, RenameMenuChoosesItsOperationsAndEveryWord) {
  TempFolder f;
  MainWindow w(f);
  HMENU menu = rn::CreateRenameMenu();
  ASSERT_EQ(GetMenuItemCount(menu), 17);
  wchar_t text[80];
  GetMenuStringW(menu, 6, text, 80, MF_BYPOSITION);
  EXPECT_STREQ(text, L"060. Capitalize first letter of every word");
  GetMenuStringW(menu, 16, text, 80, MF_BYPOSITION);
  EXPECT_STREQ(text, L"12. Numerate files ...");
  DestroyMenu(menu);
  w.Command(rn::IdRenameMenuFirst + 6);
  EXPECT_EQ(w.form->currentOperation, 6);
  EXPECT_TRUE(Checked(w, rn::IdCheckBox5));
  w.Command(rn::IdRenameMenuFirst + 5);
  EXPECT_EQ(w.form->currentOperation, 6);
  EXPECT_FALSE(Checked(w, rn::IdCheckBox5));
  w.Command(rn::IdRenameMenuFirst + 6);
  w.Command(rn::IdRenameMenuFirst + 8);
  EXPECT_EQ(w.form->currentOperation, 18);
  EXPECT_FALSE(Checked(w, rn::IdCheckBox5)) << "choosing another operation unchecks it";
  for (size_t i = 0; i < rn::kOperationCatalogue.size(); ++i) {
    w.Command(rn::IdRenameMenuFirst + static_cast<int>(i));
    EXPECT_EQ(w.form->currentOperation, rn::kOperationCatalogue[i].id) << i;
    EXPECT_TRUE(Checked(w, RadioId(rn::kOperationCatalogue[i].id)));
  }
}

TEST(OperationPanel, ReadRenameTaskFollowsTheMapping) {
  TempFolder f;
  MainWindow w(f);
  w.Click(RadioId(4));
  SetText(w, rn::IdComboBox2, L"old");
  SetText(w, rn::IdEdit4a, L"new");
  SetText(w, rn::IdSpin3, L"3");
  SetText(w, rn::IdSpin4, L"4");
  SetText(w, rn::IdSpin5, L"5");
  SetText(w, rn::IdSpin10, L"10");
  SetText(w, rn::IdSpin11, L"11");
  w.form->scriptMode = true;  // the selectors may move without choosing
  Down(w, rn::IdScrollBar6);
  Down(w, rn::IdScrollBar7);
  Up(w, rn::IdScrollBar2);
  Up(w, rn::IdScrollBar8);
  w.form->scriptMode = false;
  SendMessageW(w.Control(rn::IdCheckBox3), BM_SETCHECK, BST_CHECKED, 0);  // "h"
  SendMessageW(w.Control(rn::IdCheckBox4), BM_SETCHECK, BST_CHECKED, 0);  // "s"
  SendMessageW(w.Control(rn::IdComboBox3), CB_SETCURSEL, 5, 0);
  SetText(w, rn::IdEditDate, L"0007");
  SetText(w, rn::IdEditTime, L"1:02:03 PM");
  SetText(w, rn::IdComboBoxCreat1, L"pre");
  SetText(w, rn::IdEditCreat, L"0042");
  SetText(w, rn::IdComboBoxCreat2, L"suf");
  const rn::RenameTask t = w.form->panel->ReadRenameTask();
  EXPECT_EQ(t.Operation, 4);
  EXPECT_EQ(t.RenameTo, L"old");
  EXPECT_EQ(t.ReplaceWith, L"new");
  EXPECT_EQ(t.InsertAt, 3);
  EXPECT_EQ(t.TrimCount, 4);
  EXPECT_EQ(t.TrimAt, 5);
  EXPECT_EQ(t.KeepHead, 10);
  EXPECT_EQ(t.KeepTail, 11);
  EXPECT_FALSE(t.EveryWord);
  EXPECT_EQ(t.CaseMode, rn::kCaseLower);
  EXPECT_EQ(t.Attributes, (rn::AttributeSet{false, false, true, true}));
  EXPECT_EQ(rn::AttributeValue(t.Attributes), 6u);
  EXPECT_EQ(t.SetDatePart, rn::kDatePartTime);
  EXPECT_EQ(t.NewDate, L"0007");
  EXPECT_EQ(t.StartNumber, L"0007") << "one box for both";
  EXPECT_EQ(t.NewTime, L"1:02:03 PM");
  EXPECT_EQ(t.AddDatePart, rn::kDatePartBoth);
  EXPECT_EQ(t.DateFormat, L"yyyy-mm-dd");
  EXPECT_EQ(t.NumberStyle, rn::kNumberExtension);
  EXPECT_EQ(t.Prefix, L"pre");
  EXPECT_EQ(t.CounterStart, L"0042");
  EXPECT_EQ(t.Suffix, L"suf");
  w.Click(RadioId(6));
  w.Click(rn::IdCheckBox5);
  EXPECT_TRUE(w.form->panel->ReadRenameTask().EveryWord);
}

TEST(OperationPanel, AWrittenRequestReadsBackAndArrangesThePanel) {
  TempFolder f;
  MainWindow w(f);
  rn::RenameTask t;
  t.Operation = 15;
  t.RenameTo = L"to";
  t.ReplaceWith = L"with";
  t.InsertAt = 254;
  t.TrimCount = 1;
  t.TrimAt = 2;
  t.KeepHead = 3;
  t.KeepTail = 4;
  t.EveryWord = true;
  t.CaseMode = rn::kCaseLower;
  t.Attributes = {true, true, false, true};
  t.SetDatePart = rn::kDatePartBoth;
  t.NewDate = t.StartNumber = L"5/6/2007";
  t.NewTime = L"8:09:10 AM";
  t.AddDatePart = rn::kDatePartTime;
  t.DateFormat = L"dd.mmm.yyyy";
  t.NumberStyle = rn::kNameNumber;
  t.Prefix = L"p";
  t.CounterStart = L"07";
  t.Suffix = L"s";
  w.form->scriptMode = true;
  w.form->panel->WriteRenameTask(t);
  w.form->scriptMode = false;
  rn::RenameTask back = w.form->panel->ReadRenameTask();
  back.EveryWord = t.EveryWord;  // operation 15 leaves "of every word" unchecked (below)
  EXPECT_EQ(back, t);
  EXPECT_FALSE(Checked(w, rn::IdCheckBox5)) << "the selection logic unchecks it for any operation but 6";
  EXPECT_TRUE(Checked(w, RadioId(15)));
  EXPECT_EQ(w.Text(rn::IdEdit5), L"Time");
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Lower");
  EXPECT_EQ(w.Text(rn::IdEdit7), L"Both");
  EXPECT_EQ(w.Text(rn::IdEdit8), L"( name + ## + ext.)");
  EXPECT_EQ(w.Text(rn::IdSpin3), L"254");
  EXPECT_EQ(Box(w, rn::IdEditTime).right, SlotRight(w));
  EXPECT_EQ(w.Text(rn::IdLabelRenameTo), L" < Change  to ...");
  // Outside script mode writing still chooses nothing by touch: the request's operation stands.
  t.Operation = 1;
  t.CaseMode = rn::kCaseUpper;
  t.NumberStyle = rn::kNumberName;
  w.form->panel->WriteRenameTask(t);
  EXPECT_EQ(w.form->currentOperation, 1);
  EXPECT_EQ(w.form->panel->ReadRenameTask().NewDate, L"5/6/2007") << "a script's own date, not a reset";
  // A pattern the pick list does not offer leaves it at the first entry.
  t.DateFormat = L"hh:nn";
  w.form->panel->WriteRenameTask(t);
  EXPECT_EQ(w.Text(rn::IdComboBox3), L"[default]");
  // A number naming no radio button: nothing is checked anew, the rest is applied.
  t.Operation = 8;
  t.RenameTo = L"eight";
  w.form->panel->WriteRenameTask(t);
  EXPECT_EQ(w.form->currentOperation, 8);
  EXPECT_EQ(w.Text(rn::IdComboBox2), L"eight");
  EXPECT_EQ(Box(w, rn::IdComboBox2).right, SlotRight(w));
}

TEST(OperationPanel, BarPositionsAsAScriptLineStoresThem) {
  TempFolder f;
  MainWindow w(f);
  SetText(w, rn::IdSpin3, L"5");
  EXPECT_EQ(w.form->panel->BarPosition(rn::IdScrollBar3), -5);
  EXPECT_EQ(w.form->panel->BarPosition(rn::IdScrollBar8), 6);
  w.form->panel->SetBarPosition(rn::IdScrollBar3, -255);
  EXPECT_EQ(w.Text(rn::IdSpin3), L"0");
  w.form->panel->SetBarPosition(rn::IdScrollBar6, 5);
  EXPECT_EQ(w.Text(rn::IdEdit6), L"Lower");
  EXPECT_EQ(w.form->panel->RadioCaption(12), L"Numerate Files  [");
  EXPECT_EQ(w.form->panel->RadioHint(12), L"Numerate Files as xxxxx");
  EXPECT_EQ(w.form->panel->RadioHint(8), L"");
  w.form->panel->EnableCounterControls(false);
  EXPECT_FALSE(w.Enabled(rn::IdEditCreat));
  EXPECT_FALSE(w.Enabled(rn::IdScrollBarCreat));
  w.form->panel->EnableCounterControls(true);
  EXPECT_TRUE(w.Enabled(rn::IdEditCreat));
  EXPECT_TRUE(w.Enabled(rn::IdScrollBarCreat));
}

TEST(OperationPanel, LastOperationComesBackWhenAsked) {
  TempFolder f;
  f.WriteIni("[Options]\r\nLastSelection=1\r\nLastRenameSelect=15\r\n");
  {
    MainWindow w(f);
    EXPECT_EQ(w.form->currentOperation, 15);
    EXPECT_TRUE(Checked(w, RadioId(15)));
    EXPECT_EQ(Box(w, rn::IdEditTime).right, SlotRight(w));
    EXPECT_TRUE(Parked(w, rn::IdComboBox2));
    EXPECT_FALSE(rn::ControlBounds(GetFocus()).left >= kScreen) << "the focus is not in a parked box";
    w.Click(RadioId(9));
  }
  {
    MainWindow w(f);
    EXPECT_EQ(w.form->currentOperation, 9) << "closing stored the operation";
    EXPECT_EQ(Box(w, rn::IdGroupBox1).right, SlotRight(w));
  }
  f.WriteIni("[Options]\r\nLastSelection=0\r\nLastRenameSelect=15\r\n");
  {
    MainWindow w(f);
    EXPECT_EQ(w.form->currentOperation, -1);
    EXPECT_FALSE(Checked(w, RadioId(15)));
  }
  f.WriteIni("[Options]\r\nLastSelection=1\r\nLastRenameSelect=8\r\n");
  {
    MainWindow w(f);
    EXPECT_EQ(w.form->currentOperation, -1) << "8 names no radio button";
    for (int op : rn::kPanelOperations) EXPECT_FALSE(Checked(w, RadioId(op)));
  }
}

namespace {

// The hint a tooltip of the main window holds for a control, if any.
std::wstring HintOf(const MainWindow& w, HWND control) {
  struct Search {
    HWND owner, control;
    std::wstring text;
    bool found = false;
  } search{w.Hwnd(), control, L"", false};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND tip, LPARAM lp) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(lp);
        wchar_t cls[64];
        GetClassNameW(tip, cls, 64);
        if (lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0 || GetWindow(tip, GW_OWNER) != s.owner) return TRUE;
        wchar_t text[256] = L"";
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = s.owner;
        ti.uId = reinterpret_cast<UINT_PTR>(s.control);
        ti.lpszText = text;
        if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) {
          SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
          s.text = text;
          s.found = true;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found ? search.text : L"<none>";
}

}  // namespace

TEST(OperationPanel, RadioHintsFollowTheSettingTheGroupsAlwaysHaveTheirs) {
  TempFolder f;
  {
    MainWindow w(f);
    w.MouseComes();
    EXPECT_EQ(HintOf(w, w.Control(RadioId(1))), L"Add .... at xxx chars from name begin");
    EXPECT_EQ(HintOf(w, w.Control(RadioId(6))), L"Capitalize first letter   |");
    EXPECT_EQ(HintOf(w, w.Control(RadioId(15))), L"Change File's [date/time] to ....");
    EXPECT_EQ(HintOf(w, w.Control(rn::IdCheckBox3)), L" [ hidden ] ");
  }
  f.WriteIni("[Options]\r\nRenamingHints=0\r\n");
  MainWindow w(f);
  for (int op : rn::kPanelOperations) EXPECT_EQ(HintOf(w, w.Control(RadioId(op))), L"<none>") << op;
  EXPECT_EQ(HintOf(w, w.Control(rn::IdCheckBox2)), L" [ archive ] ");
  EXPECT_EQ(HintOf(w, w.Control(rn::IdCheckBox1)), L" [ read only ] ");
  EXPECT_EQ(HintOf(w, w.Control(rn::IdCheckBox4)), L" [ system ] ");
  EXPECT_EQ(HintOf(w, w.Control(rn::IdComboBoxCreat1)), L" prefix  ");
  EXPECT_EQ(HintOf(w, w.Control(rn::IdEditCreat)), L" ## ");
  EXPECT_EQ(HintOf(w, w.Control(rn::IdComboBoxCreat2)), L" suffix  ");
}

TEST(OperationPanel, RenameToDropDownShowsEightLinesAtMost) {
  TempFolder f;
  f.WriteIni("[Expressions]\r\n0=\"a\"\r\n1=\"b\"\r\n2=\"c\"\r\n");
  MainWindow w(f);
  HWND to = w.Control(rn::IdComboBox2);
  w.Command(rn::IdComboBox2, CBN_DROPDOWN);
  EXPECT_EQ(SendMessageW(to, CB_GETMINVISIBLE, 0, 0), 3);
  for (int i = 0; i < 7; ++i) SendMessageW(to, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"more"));
  w.Command(rn::IdComboBox2, CBN_DROPDOWN);
  EXPECT_EQ(SendMessageW(to, CB_GETMINVISIBLE, 0, 0), 8);
}

TEST(OperationPanel, HiddenPanelTakesItsButtonsAlongAndShowsThemAgain) {
  TempFolder f;
  MainWindow w(f);
  const RECT grid = Box(w, rn::IdStringGrid1);
  w.form->panel->Show(false);
  Pump();
  for (int id : Ids{rn::IdPanelRadio, RadioId(1), rn::IdSpin3, rn::IdComboBox2, rn::IdButton2, rn::IdButton5,
                    rn::IdSpeedButton1, rn::IdBevel8})
    EXPECT_FALSE(IsWindowVisible(w.Control(id))) << id;
  EXPECT_EQ(Box(w, rn::IdStringGrid1).top, 0) << "the list takes the room";
  SetWindowPos(w.Hwnd(), nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(Box(w, rn::IdStringGrid1).top, 0) << "and keeps it through a resize";
  w.form->panel->Show(true);
  Pump();
  for (int id : Ids{rn::IdPanelRadio, RadioId(1), rn::IdSpin3, rn::IdComboBox2, rn::IdButton2, rn::IdSpeedButton1})
    EXPECT_TRUE(IsWindowVisible(w.Control(id))) << id;
  EXPECT_EQ(Box(w, rn::IdStringGrid1).top, grid.top);
  EXPECT_EQ(Box(w, rn::IdBevel8).top, Box(w, rn::IdPanelRadio).bottom) << "the button strip under the panel";
}
