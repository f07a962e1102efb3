// The file grid as screen readers see it: a list whose items are the rows,
// named by their paths, with the new name as their value and the check box,
// the selection and the focus as their states.
#pragma once
#include <windows.h>

#include <memory>

namespace rn {

// What the grid shares with the objects it handed out. The objects keep only
// this: the grid clears it when its window goes or its rows change (and then
// hands out new objects), so that every call on an old object fails cleanly
// instead of reaching rows or a window that are no more.
struct GridAccessLink {
  HWND grid = nullptr;
};

// The answer to WM_GETOBJECT for OBJID_CLIENT.
LRESULT GridAccessibleResult(const std::shared_ptr<GridAccessLink>& link, WPARAM wp);

}  // namespace rn
