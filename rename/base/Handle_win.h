// The one owner of every system handle the program opens: a handle is
// closed by its owner, once, whichever way the code that opened it ends (an
// error included). Each kind names its empty value and its closing call.
#pragma once
#include <windows.h>

#include <utility>

namespace rn {

template <class Kind>
class Owned {
 public:
  using Value = typename Kind::Value;
  Owned() = default;
  explicit Owned(Value adopted) : value_(adopted) {}
  ~Owned() { Reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : value_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  // Closes what it holds and takes `adopted` instead.
  void Reset(Value adopted = Kind::Empty()) {
    if (value_ != Kind::Empty()) Kind::Close(value_);
    value_ = adopted;
  }
  // Gives the handle up without closing it.
  Value Release() { return std::exchange(value_, Kind::Empty()); }
  Value Get() const { return value_; }
  explicit operator bool() const { return value_ != Kind::Empty(); }

 private:
  Value value_ = Kind::Empty();
};

namespace handle_kinds {
// Files and directories opened with CreateFile: empty is INVALID_HANDLE_VALUE.
struct File {
  using Value = HANDLE;
  static Value Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Value h) { CloseHandle(h); }
};
// Mutexes, processes, threads, events: empty is null.
struct Kernel {
  using Value = HANDLE;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { CloseHandle(h); }
};
struct Find {
  using Value = HANDLE;
  static Value Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Value h) { FindClose(h); }
};
struct RegistryKey {
  using Value = HKEY;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { RegCloseKey(h); }
};
struct GdiObject {
  using Value = HGDIOBJ;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { DeleteObject(h); }
};
template <class T>
struct TypedGdiObject {
  using Value = T;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { DeleteObject(h); }
};
struct MemoryDc {
  using Value = HDC;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { DeleteDC(h); }
};
struct GlobalMemory {
  using Value = HGLOBAL;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { GlobalFree(h); }
};
struct Menu {
  using Value = HMENU;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { DestroyMenu(h); }
};
struct Icon {
  using Value = HICON;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { DestroyIcon(h); }
};
struct LocalMemory {
  using Value = HLOCAL;
  static Value Empty() { return nullptr; }
  static void Close(Value h) { LocalFree(h); }
};
// A view of a file mapped into memory.
struct MappedView {
  using Value = const void*;
  static Value Empty() { return nullptr; }
  static void Close(Value v) { UnmapViewOfFile(v); }
};
}  // namespace handle_kinds

using FileHandle = Owned<handle_kinds::File>;
using KernelHandle = Owned<handle_kinds::Kernel>;
using FindHandle = Owned<handle_kinds::Find>;
using RegKeyHandle = Owned<handle_kinds::RegistryKey>;
using GdiObject = Owned<handle_kinds::GdiObject>;
using FontHandle = Owned<handle_kinds::TypedGdiObject<HFONT>>;
using BitmapHandle = Owned<handle_kinds::TypedGdiObject<HBITMAP>>;
using MemoryDc = Owned<handle_kinds::MemoryDc>;
using GlobalMemory = Owned<handle_kinds::GlobalMemory>;
using MenuHandle = Owned<handle_kinds::Menu>;
using IconHandle = Owned<handle_kinds::Icon>;
using LocalMemory = Owned<handle_kinds::LocalMemory>;
using MappedViewHandle = Owned<handle_kinds::MappedView>;

// A window's device context, given back to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context for a while: the one it replaced
// goes back when the selection ends.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace rn
