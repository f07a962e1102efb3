// Names that screen readers speak for controls whose window text says nothing
// of what they do (symbols, dash runs, numbers, no text at all). The control
// answers WM_GETOBJECT with the system's own accessible object, wrapped so
// that only its name differs.
#pragma once
#include <windows.h>

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
