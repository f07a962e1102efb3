// The tables behind Texts.h, split over three files. Each table lists its run
// of TextIds in the order of the enum; together the runs cover every id, and
// each file checks its own run while it builds.
#pragma once
#include <cstddef>
#include <span>
#include <string_view>

#include "base/Texts.h"

namespace rn::texts {

struct TextPair {
  TextId id;
  std::wstring_view english;
  std::wstring_view portuguese;  // empty in the English-only table
};

// Where the runs start: the main window's from the first id, the dialogs' and
// messages' from kFirstDialogText, the English-only ones from kFirstEnglishOnly
// up to the last id.
inline constexpr TextId kFirstDialogText = TextId::MsgChooseOption;
inline constexpr TextId kFirstEnglishOnly = TextId::MenuRenamers;

constexpr int Index(TextId id) { return static_cast<int>(id); }

// True when the table holds exactly the ids from `first` up to the one before
// `end`, in order, each with an English text, and with a Portuguese text
// exactly when the table is not the English-only one.
template <std::size_t N>
constexpr bool CoversRun(const TextPair (&table)[N], TextId first, TextId end) {
  if (static_cast<int>(N) != Index(end) - Index(first)) return false;
  const bool englishOnly = first == kFirstEnglishOnly;
  for (std::size_t i = 0; i < N; ++i) {
    if (Index(table[i].id) != Index(first) + static_cast<int>(i)) return false;
    if (table[i].english.empty() || table[i].portuguese.empty() != englishOnly) return false;
  }
  return true;
}

std::span<const TextPair> MainWindowTexts();
std::span<const TextPair> DialogTexts();
std::span<const TextPair> EnglishOnlyTexts();

}  // namespace rn::texts
