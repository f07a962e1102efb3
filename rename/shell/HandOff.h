// The hand-off from the context-menu extension: one text of paths, a line each.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shell/HandOffWire.h"

namespace rn {

// The bytes up to the first null byte, never beyond `size`, split at CR LF,
// lone CR or lone LF. A break at the very end makes no empty last line; an
// empty line between two breaks is kept.
std::vector<std::string> SplitHandOffText(const char* data, size_t size);

// The paths a hand-off carries: `kind` is its dwData, `data` and `size` its
// bytes (nothing is read beyond size). Nothing when the message is malformed
// (no data, or bytes that are not UTF-8 in the UTF-8 form).
std::optional<std::vector<std::wstring>> HandOffPaths(unsigned long long kind, const void* data, size_t size);

// The UTF-8 form: false (and nothing in `paths`) when a line is not valid UTF-8.
bool DecodeUtf8Lines(const std::vector<std::string>& lines, std::vector<std::wstring>& paths);

}  // namespace rn
