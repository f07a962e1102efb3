// Plays the user inside a modal loop: the steps run in order, one per timer
// tick, inside whatever message loop is running (a dialog's own included). A
// window still open long after the steps should have closed it is closed and
// the test fails, so a forgotten box never hangs the suite.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace rntest {

class ModalScript {
 public:
  explicit ModalScript(std::vector<std::function<void()>> steps) {
    for (auto& step : steps) steps_.push_back(std::move(step));
    Current() = this;
    tick_ = SetTimer(nullptr, 0, 1, Tick);
    watchdog_ = SetTimer(nullptr, 0, 20000, Watchdog);
  }
  ~ModalScript() {
    KillTimer(nullptr, tick_);
    KillTimer(nullptr, watchdog_);
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps were not played";
    Current() = nullptr;
  }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;

 private:
  static ModalScript*& Current() {
    static ModalScript* current = nullptr;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    ModalScript* script = Current();
    if (!script || script->steps_.empty()) return (void)KillTimer(nullptr, id);
    std::function<void()> step = std::move(script->steps_.front());
    script->steps_.pop_front();
    step();
  }
  static void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    ADD_FAILURE() << "a window was still open; closing it";
    if (HWND active = GetActiveWindow()) PostMessageW(active, WM_CLOSE, 0, 0);
  }

  std::deque<std::function<void()>> steps_;
  UINT_PTR tick_ = 0;
  UINT_PTR watchdog_ = 0;
};

// The visible window of a form class of this thread, or nullptr.
inline HWND ShownForm(const wchar_t* className) {
  HWND found = FindWindowW(className, nullptr);
  return found && IsWindowVisible(found) && GetWindowThreadProcessId(found, nullptr) == GetCurrentThreadId() ? found
                                                                                                              : nullptr;
}

// The controls of a form lie inside its client area and clear of each other
// (pairs in `together` may overlap: a box and the arrows inside it).
inline void ExpectLaidOut(HWND form, const std::vector<int>& ids, const std::vector<std::pair<int, int>>& together = {}) {
  RECT client{};
  GetClientRect(form, &client);
  for (size_t i = 0; i < ids.size(); ++i) {
    HWND a = GetDlgItem(form, ids[i]);
    RECT ra{};
    GetWindowRect(a, &ra);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&ra), 2);
    EXPECT_TRUE(ra.left >= 0 && ra.top >= 0 && ra.right <= client.right && ra.bottom <= client.bottom)
        << "control " << ids[i] << " leaves the client area";
    EXPECT_GT(ra.right - ra.left, 0) << "control " << ids[i] << " has no width";
    for (size_t j = i + 1; j < ids.size(); ++j) {
      bool allowed = false;
      for (auto [x, y] : together) allowed |= (x == ids[i] && y == ids[j]) || (x == ids[j] && y == ids[i]);
      if (allowed) continue;
      RECT rb{}, both{};
      GetWindowRect(GetDlgItem(form, ids[j]), &rb);
      MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rb), 2);
      EXPECT_FALSE(IntersectRect(&both, &ra, &rb)) << "controls " << ids[i] << " and " << ids[j] << " overlap";
    }
  }
}

}  // namespace rntest
