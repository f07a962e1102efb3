// The one dialog function shows a real top-level box whose buttons carry the
// captions asked for; a second thread plays the user.
#include <thread>

#include "support/UiHarness_win.h"

using namespace rntest;

namespace {

struct FoundBox {
  HWND box = nullptr;
  std::wstring caption;
  std::vector<std::wstring> buttons;
  std::vector<bool> enabled;
  std::wstring text;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lp) {
  auto* found = reinterpret_cast<FoundBox*>(lp);
  wchar_t cls[64];
  GetClassNameW(child, cls, 64);
  if (lstrcmpiW(cls, L"Button") == 0) {
    found->buttons.push_back(rn::WindowText(child));
    found->enabled.push_back(IsWindowEnabled(child) != FALSE);
  } else if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextLengthW(child) > 0) {
    found->text = rn::WindowText(child);
  }
  return TRUE;
}

// Waits for the box, records what it shows, then presses the named button.
std::thread PressWhenShown(FoundBox& found, std::wstring press) {
  return std::thread([&found, press] {
    for (int i = 0; i < 500 && !found.box; ++i) {
      found.box = FindWindowW(L"TMessageForm", nullptr);
      if (!found.box) Sleep(10);
    }
    if (!found.box) return;
    found.caption = rn::WindowText(found.box);
    EnumChildWindows(found.box, CollectChild, reinterpret_cast<LPARAM>(&found));
    HWND button = FindWindowExW(found.box, nullptr, L"Button", press.c_str());
    if (button)
      PostMessageW(button, BM_CLICK, 0, 0);
    else
      PostMessageW(found.box, WM_CLOSE, 0, 0);
  });
}

}  // namespace

TEST(Dialog, RealBoxShowsCaptionsAndReturnsThePressedButton) {
  rn::DialogRequest req{L" Duplicate file !!",
                        L"first line\rsecond line",
                        rn::DialogIcon::Question,
                        {L"&Yes", L"&No", L"Cancel", L"Yes to &All"},
                        {true, true, true, false},
                        0,
                        2};
  FoundBox found;
  std::thread user = PressWhenShown(found, L"&No");
  int answer = rn::ShowDialog(nullptr, req);
  user.join();
  ASSERT_NE(found.box, nullptr) << "no box appeared";
  EXPECT_EQ(answer, 1);
  EXPECT_EQ(found.caption, L" Duplicate file !!");
  EXPECT_EQ(found.buttons, (std::vector<std::wstring>{L"&Yes", L"&No", L"Cancel", L"Yes to &All"}));
  EXPECT_EQ(found.enabled, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(found.text, L"first line\r\nsecond line");
  EXPECT_FALSE(IsWindow(found.box)) << "the box is gone after the answer";
}

TEST(Dialog, ClosingTheBoxGivesTheCancelAnswer) {
  rn::DialogRequest req{L"t", L"close me", rn::DialogIcon::Warning, {L"OK", L"Cancel"}, {}, 0, 1};
  FoundBox found;
  std::thread user = PressWhenShown(found, L"(no such button)");
  int answer = rn::ShowDialog(nullptr, req);
  user.join();
  EXPECT_EQ(answer, 1);
}

TEST(Dialog, ResponderSeesEveryRequestInsteadOfTheUser) {
  ScriptedDialogs dialogs;
  dialogs.Expect(L"boom", 0);
  rn::ShowErrorBox(nullptr, L"boom");
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].icon, rn::DialogIcon::Error);
  EXPECT_EQ(dialogs.Seen()[0].caption, rn::ApplicationTitle());
}

TEST(Dialog, ApplicationTitleIsTheProgramNameWithTheRestInLowerCase) {
  // The test program is ui_tests.exe; the first letter keeps its case.
  EXPECT_EQ(rn::ApplicationTitle(), L"ui_tests");
}

TEST(Dialog, InputBoxGivesTheTypedTextOrNothingWhenCancelled) {
  for (const wchar_t* press : {L"OK", L"Cancel"}) {
    std::thread user([press] {
      HWND box = nullptr;
      for (int i = 0; i < 500 && !box; ++i) {
        box = FindWindowW(L"TInputQuery", nullptr);
        if (box && !IsWindowVisible(box)) box = nullptr;  // still being built
        if (!box) Sleep(10);
      }
      if (!box) return;
      SetWindowTextW(FindWindowExW(box, nullptr, L"Edit", nullptr), L"short name");
      PostMessageW(FindWindowExW(box, nullptr, L"Button", press), BM_CLICK, 0, 0);
    });
    const auto typed = rn::ShowInputBox(nullptr, {L"Change file's name:", L"prompt", L"a very long name"});
    user.join();
    if (std::wstring(press) == L"OK") {
      EXPECT_EQ(typed, std::optional<std::wstring>(L"short name"));
    } else {
      EXPECT_FALSE(typed.has_value());
    }
  }
}
