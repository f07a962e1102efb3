// The one-line input box; tests answer it too.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace rn {

// A one-line input box (the system's input query): the confirmed text, or
// nothing when cancelled.
struct InputRequest {
  std::wstring caption, prompt, value;
};
std::optional<std::wstring> ShowInputBox(HWND owner, const InputRequest& request);
using InputResponder = std::function<std::optional<std::wstring>(const InputRequest&)>;
void SetInputResponder(InputResponder responder);

}  // namespace rn
