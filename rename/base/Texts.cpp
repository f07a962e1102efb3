#include "base/Texts.h"

#include <array>

#include "base/TextTable.h"

namespace rn {

using texts::Index;
using texts::TextPair;

namespace {

// The operations with a radio button, in the order of their captions in TextId.
constexpr std::array<int, 16> kRadioOperations = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 15, 16, 17, 18, 19};
static_assert(Index(TextId::RadioButton19) - Index(TextId::RadioButton1) == 15);
static_assert(Index(TextId::RadioButton19Hint) - Index(TextId::RadioButton1Hint) == 15);
static_assert(Index(TextId::SlotRemoveIt) - Index(TextId::SlotRenameTo) == 6);
static_assert(Index(TextId::ValueNumberExtension) - Index(TextId::ValueDate) == 7);

const TextPair& Pair(TextId id) {
  if (Index(id) >= Index(texts::kFirstEnglishOnly))
    return texts::EnglishOnlyTexts()[static_cast<std::size_t>(Index(id) - Index(texts::kFirstEnglishOnly))];
  if (Index(id) >= Index(texts::kFirstDialogText))
    return texts::DialogTexts()[static_cast<std::size_t>(Index(id) - Index(texts::kFirstDialogText))];
  return texts::MainWindowTexts()[static_cast<std::size_t>(Index(id))];
}

// The text `number` - 1 places after `first`; empty unless number is 1 … count.
std::wstring_view Numbered(TextId first, int number, int count, Language language) {
  if (number < 1 || number > count) return {};
  return Text(static_cast<TextId>(Index(first) + number - 1), language);
}

std::wstring_view ByOperation(TextId first, int operation, Language language) {
  for (std::size_t i = 0; i < kRadioOperations.size(); ++i)
    if (kRadioOperations[i] == operation) return Numbered(first, static_cast<int>(i) + 1, 16, language);
  return {};
}

}  // namespace

std::optional<Language> LanguageFromSetting(const std::wstring& setting) {
  if (setting == L"English") return Language::English;
  if (setting == L"Portuguese") return Language::Portuguese;
  return std::nullopt;
}

std::wstring_view Text(TextId id, Language language) {
  if (Index(id) < 0 || Index(id) >= Index(TextId::Count)) return {};
  const TextPair& pair = Pair(id);
  return language == Language::Portuguese && !pair.portuguese.empty() ? pair.portuguese : pair.english;
}

namespace {
Language g_shown = kStartLanguage;
}  // namespace

Language ShownLanguage() { return g_shown; }
void SetShownLanguage(Language language) { g_shown = language; }
std::wstring Text(TextId id) { return std::wstring(Text(id, g_shown)); }

std::wstring Text(TextId id, std::initializer_list<std::wstring> values) {
  const std::wstring_view pattern = Text(id, g_shown);
  std::wstring out;
  auto next = values.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L's' && next != values.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

bool EnglishOnly(TextId id) { return Index(id) >= Index(texts::kFirstEnglishOnly) && Index(id) < Index(TextId::Count); }

std::wstring_view OperationCaption(int operation, Language language) {
  return ByOperation(TextId::RadioButton1, operation, language);
}

std::wstring_view OperationHint(int operation, Language language) {
  return ByOperation(TextId::RadioButton1Hint, operation, language);
}

std::wstring_view SlotLabelText(int label, Language language) {
  return Numbered(TextId::SlotRenameTo, label, 7, language);
}

std::wstring_view ValueNameText(int index, Language language) {
  return Numbered(TextId::ValueDate, index, 8, language);
}

}  // namespace rn
