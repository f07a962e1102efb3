// The type filter: one mask such as "*.jpg" whose extension part decides which
// paths may enter the list.
#pragma once
#include <string>
#include <vector>

namespace rn {

// The mask in force for a filter box text: an emptied box means every file.
std::wstring EffectiveFilter(const std::wstring& boxText);

// True when the filter is "*.*", or when `extension` matches the filter's
// extension without regard to case, each "*" matching any run of characters.
bool PassesTypeFilter(const std::wstring& filter, const std::wstring& extension);

// What a typed filter becomes: a text not starting with "*" is replaced by "*"
// followed by its extension. Empty stays empty.
std::wstring NormalizeFilterText(const std::wstring& text);

// True when `text` occurs anywhere in the mask list's items joined by line breaks.
bool OccursInMaskList(const std::vector<std::wstring>& masks, const std::wstring& text);

}  // namespace rn
