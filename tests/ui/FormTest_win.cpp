// Hooked controls: the program's hooks over a system control, chained in the
// process, with the system's own subclassing on top of them.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/Form_win.h"

namespace {

std::wstring g_calls;  // the hooks that saw WM_GETTEXTLENGTH, in order

// Each hook notes its letter (its data), then lets the message go on.
LRESULT Noting(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR letter) {
  if (msg == WM_GETTEXTLENGTH) g_calls += static_cast<wchar_t>(letter);
  return rn::CallControl(control, msg, wp, lp);
}

LRESULT NotingToo(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR letter) {
  return Noting(control, msg, wp, lp, letter);
}

// Asks its own control again from inside: the whole chain runs anew, and
// the first question still goes on below this hook.
LRESULT Asking(HWND control, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR) {
  if (msg == WM_GETTEXTLENGTH && g_calls.size() < 8) {
    g_calls += L'(';
    SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    g_calls += L')';
  }
  return rn::CallControl(control, msg, wp, lp);
}

LRESULT CALLBACK Above(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_GETTEXTLENGTH) g_calls += L'S';
  return DefSubclassProc(control, msg, wp, lp);
}

struct Edit {
  HWND hwnd = CreateWindowExW(0, L"EDIT", L"12345", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  ~Edit() {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
  }
  LRESULT Length() {
    g_calls.clear();
    return SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  }
};

}  // namespace

// The last hook added runs first and the control answers last; the same
// hook given again takes its new data instead of running twice; a message
// sent from inside a hook runs the whole chain anew, and the first goes on
// below that hook.
TEST(HookedControl, HooksChainInTheOrderTheyCameAndCallControlGoesOnBelow) {
  struct Case {
    std::vector<std::pair<rn::ControlHook, DWORD_PTR>> hooks;
    const wchar_t* calls;
  } cases[] = {{{{Noting, 'a'}, {NotingToo, 'b'}}, L"ba"},
               {{{Noting, 'a'}, {NotingToo, 'b'}, {Noting, 'c'}}, L"bc"},
               {{{Noting, 'a'}, {Asking, 0}, {NotingToo, 'z'}}, L"z(z(z(z(za)a)a)a)a"}};
  for (const Case& c : cases) {
    Edit edit;
    for (const auto& [hook, data] : c.hooks) rn::HookControl(edit.hwnd, hook, data);
    EXPECT_EQ(edit.Length(), 5) << c.calls;
    EXPECT_EQ(g_calls, c.calls);
  }
}

TEST(HookedControl, TheSystemsSubclassOnTopChainsAndBothGoWithTheControl) {
  Edit edit;
  rn::HookControl(edit.hwnd, Noting, 'a');
  ASSERT_TRUE(SetWindowSubclass(edit.hwnd, Above, 1, 0));
  EXPECT_EQ(edit.Length(), 5);
  EXPECT_EQ(g_calls, L"Sa");
  // Both see the control go; a control made after it starts bare.
  EXPECT_TRUE(DestroyWindow(edit.hwnd));
  Edit next;
  rn::HookControl(next.hwnd, Noting, 'n');
  EXPECT_EQ(next.Length(), 5);
  EXPECT_EQ(g_calls, L"n");
}
