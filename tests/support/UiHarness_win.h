// What the window tests share below the main window: a message pump, a
// scripted responder that answers the program's dialogs and fails the test on
// any box it did not expect, files made in the one temporary folder, and what
// a window paints.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "ui/CommonDialogs_win.h"
#include "ui/Controls_win.h"
#include "ui/InputBox_win.h"
#include "ui/MessageBox_win.h"

namespace rntest {

// Some assertions cannot hold under Wine; the tests skip just those, saying why.
inline bool OnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

inline void Pump(int milliseconds = 0) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (milliseconds > 0) Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// The tooltip of the thread that speaks for `control` as a tool of `owner`
// (the window its messages go to), or none.
inline HWND TooltipFor(HWND owner, HWND control) {
  struct Search {
    HWND owner, control, found;
  } search{owner, control, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND tip, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t cls[64] = {};
        GetClassNameW(tip, cls, 64);
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = s->owner;
        ti.uId = reinterpret_cast<UINT_PTR>(s->control);
        if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 &&
            SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)))
          s->found = tip;
        return !s->found;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Outside a ScriptedDialogs, a window under test that shows any box fails the
// test instead of waiting for a user who is not there.
inline int& ScriptedDepth() {
  static int depth = 0;
  return depth;
}
inline int& WindowsAlive() {
  static int alive = 0;
  return alive;
}
inline void ClearResponders() {
  rn::SetInputResponder(nullptr);
  rn::SetDialogResponder(nullptr);
  rn::SetOpenFilesResponder(nullptr);
  rn::SetBrowseResponder(nullptr);
}
inline void InstallFailingResponder() {
  rn::SetDialogResponder([](const rn::DialogRequest& r) {
    ADD_FAILURE() << "unexpected dialog: " << std::string(r.text.begin(), r.text.end());
    return r.cancelButton >= 0 ? r.cancelButton : 0;
  });
  rn::SetOpenFilesResponder([](const rn::OpenFilesRequest&) {
    ADD_FAILURE() << "unexpected open-file dialog";
    return rn::OpenFilesResult{};
  });
  rn::SetBrowseResponder([](const rn::BrowseRequest&) {
    ADD_FAILURE() << "unexpected folder browser";
    return std::optional<std::wstring>{};
  });
  rn::SetInputResponder([](const rn::InputRequest&) {
    ADD_FAILURE() << "unexpected input box";
    return std::optional<std::wstring>{};
  });
}

// Answers the program's dialogs in order; each expectation names the exact text.
class ScriptedDialogs {
 public:
  struct Expected {
    std::wstring text;
    int answer;
  };
  ScriptedDialogs() {
    ++ScriptedDepth();
    rn::SetDialogResponder([this](const rn::DialogRequest& r) { return Answer(r); });
    rn::SetOpenFilesResponder([this](const rn::OpenFilesRequest& r) {
      openRequests_.push_back(r);
      return Next(files_, "unexpected open-file dialog");
    });
    rn::SetInputResponder([this](const rn::InputRequest& r) {
      inputRequests_.push_back(r);
      return Next(inputs_, "unexpected input box");
    });
    rn::SetBrowseResponder([this](const rn::BrowseRequest& r) {
      browseRequests_.push_back(r);
      return Next(folders_, "unexpected folder browser");
    });
  }
  ~ScriptedDialogs() {
    if (--ScriptedDepth() == 0) {
      if (WindowsAlive() > 0)
        InstallFailingResponder();
      else
        ClearResponders();
    }
    EXPECT_TRUE(expected_.empty()) << "a dialog the test expected was not shown";
    EXPECT_TRUE(files_.empty()) << "an open-file dialog the test expected was not shown";
    EXPECT_TRUE(folders_.empty()) << "a folder browser the test expected was not shown";
    EXPECT_TRUE(inputs_.empty()) << "an input box the test expected was not shown";
  }
  void Expect(const std::wstring& text, int answer = 0) { expected_.push_back({text, answer}); }
  // The open-file dialog's answer (ok = false: cancelled).
  void ExpectOpenFiles(rn::OpenFilesResult answer) { files_.push_back(std::move(answer)); }
  // The input box's answer (nothing: cancelled).
  void ExpectInput(std::optional<std::wstring> answer) { inputs_.push_back(std::move(answer)); }
  const std::deque<rn::InputRequest>& InputRequests() const { return inputRequests_; }
  // The folder browser's answer (nothing: cancelled).
  void ExpectBrowse(std::optional<std::wstring> answer) { folders_.push_back(std::move(answer)); }
  const std::deque<rn::DialogRequest>& Seen() const { return seen_; }
  const std::deque<rn::OpenFilesRequest>& OpenRequests() const { return openRequests_; }
  const std::deque<rn::BrowseRequest>& BrowseRequests() const { return browseRequests_; }

 private:
  // The next expected answer; none expected is a failure, answered as a cancel.
  template <class T>
  static T Next(std::deque<T>& expected, const char* unexpected) {
    if (expected.empty()) {
      ADD_FAILURE() << unexpected;
      return T{};
    }
    T answer = std::move(expected.front());
    expected.pop_front();
    return answer;
  }
  int Answer(const rn::DialogRequest& r) {
    seen_.push_back(r);
    if (expected_.empty()) {
      ADD_FAILURE() << "unexpected dialog: " << std::string(r.text.begin(), r.text.end());
      return r.cancelButton >= 0 ? r.cancelButton : 0;
    }
    Expected e = expected_.front();
    expected_.pop_front();
    EXPECT_EQ(r.text, e.text);
    return e.answer;
  }
  std::deque<Expected> expected_;
  std::deque<rn::DialogRequest> seen_;
  std::deque<rn::OpenFilesResult> files_;
  std::deque<std::optional<std::wstring>> folders_;
  std::deque<rn::OpenFilesRequest> openRequests_;
  std::deque<rn::BrowseRequest> browseRequests_;
  std::deque<std::optional<std::wstring>> inputs_;
  std::deque<rn::InputRequest> inputRequests_;
};

// A file (or, with a trailing backslash, a folder) below the temporary folder.
inline std::wstring Make(const TempFolder& f, const std::wstring& relative, const std::string& content = "x") {
  const std::filesystem::path p = f.path / relative;
  if (!relative.empty() && relative.back() == L'\\') {
    std::filesystem::create_directories(p);
    std::wstring s = p.wstring();
    return s.substr(0, s.size() - 1);
  }
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
  return p.wstring();
}

// The name as the file system spells it (empty when nothing is there).
inline std::wstring Spelling(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(path.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return L"";
  FindClose(h);
  return data.cFileName;
}

// What a drop from Explorer hands the window: the receiver frees it.
inline HDROP MakeDrop(const std::vector<std::wstring>& paths) {
  size_t chars = 1;
  for (const auto& p : paths) chars += p.size() + 1;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  df->fWide = TRUE;
  auto* out = reinterpret_cast<wchar_t*>(df + 1);
  for (const auto& p : paths) {
    std::copy(p.begin(), p.end(), out);
    out += p.size() + 1;
  }
  GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

inline std::string Narrow(const std::wstring& w) {
  std::string s;
  for (wchar_t c : w) s += c < 128 ? static_cast<char>(c) : '?';
  return s;
}

// What a window paints into its client area through WM_PRINTCLIENT, drawn over
// a background of the test's choosing (to see what the window leaves alone).
struct ClientPixels {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  int Count(COLORREF colour) const {
    int n = 0;
    for (COLORREF c : pixels) n += c == colour;
    return n;
  }
};

inline ClientPixels PrintClient(HWND window, COLORREF background) {
  ClientPixels out;
  RECT client{};
  GetClientRect(window, &client);
  out.width = client.right;
  out.height = client.bottom;
  if (out.width <= 0 || out.height <= 0) return out;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(bi.bmiHeader), out.width, -out.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, dib);
  HBRUSH fill = CreateSolidBrush(background);
  FillRect(dc, &client, fill);
  DeleteObject(fill);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const auto* px = static_cast<const DWORD*>(bits);
  out.pixels.reserve(static_cast<size_t>(out.width) * out.height);
  for (int i = 0; i < out.width * out.height; ++i) out.pixels.push_back(RGB(px[i] >> 16, px[i] >> 8, px[i]));
  SelectObject(dc, previous);
  DeleteObject(dib);
  DeleteDC(dc);
  return out;
}

}  // namespace rntest
