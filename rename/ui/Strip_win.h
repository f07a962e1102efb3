// What the two small strips beside the file list share: a child window built
// as a form that paints the face colour inside an etched frame, colours its
// labels, and passes commands and right-clicks of its children on to the
// window it lies in.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "ui/Form_win.h"

namespace rn {

// Creates the strip's window for `form`, which from then on goes with it.
HWND CreateStrip(std::unique_ptr<Form> form, const wchar_t* className, HWND parent, int id, const RECT& bounds);

// The strip's share of its messages; true when `msg` was handled (result set).
bool HandleStripMessage(HWND strip, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

}  // namespace rn
