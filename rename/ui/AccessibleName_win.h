// Names that screen readers speak for controls whose window text says nothing
// of what they do (symbols, dash runs, numbers, no text at all). The control
// answers WM_GETOBJECT with the system's own accessible object, wrapped so
// that only its name differs. Also what the program's hand-written COM
// objects for screen readers share: their reference count and their guard.
#pragma once
#include <windows.h>

#include <oleacc.h>

#include <atomic>
#include <span>

#include "base/Texts.h"

namespace rn {

// The control's accessible name is the text in the language in force.
void SetAccessibleName(HWND control, TextId name);
// Names for controls of a window by their ids.
struct ControlName {
  int id;
  TextId name;
};
void SetAccessibleNames(HWND parent, std::span<const ControlName> names);
// The control's accessible name is what the label shows when it is asked,
// without the arrows, dots and spaces around it (" < Rename to ..." reads
// "Rename to").
void SetAccessibleNameFromLabel(HWND control, HWND label);

// The reference count of a hand-written COM object with one interface; the
// object goes with its last reference.
template <class Interface>
class Counted : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Counted() = default;

 private:
  std::atomic<ULONG> refs_{1};
};

// An accessible object handed to a screen reader: COM is started on the
// window's thread the first time one is asked for, not at the program's
// start (its DLLs load only then).
LRESULT HandOverAccessible(IAccessible* object, WPARAM wp);

// Runs a COM method's body so that no exception leaves it.
template <class Body>
HRESULT ComGuarded(Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace rn
