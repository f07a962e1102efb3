#include "dialogs/VersionCheck.h"

#include "dialogs/MakerAddresses.h"

namespace rn {

namespace {

constexpr unsigned kLargestPart = 65535;  // a version resource keeps 16 bits a part

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

}  // namespace

std::optional<ProgramVersion> ParseVersion(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  ProgramVersion version;
  size_t part = 0;
  bool digits = false;
  unsigned value = 0;
  for (wchar_t c : text) {
    if (c == L'.') {
      if (!digits || ++part == version.parts.size()) return std::nullopt;
      digits = false;
      value = 0;
    } else if (c >= L'0' && c <= L'9') {
      value = value * 10 + static_cast<unsigned>(c - L'0');
      if (value > kLargestPart) return std::nullopt;
      version.parts[part] = value;
      digits = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return version;
}

std::optional<ProgramVersion> ReadVersionFile(std::string_view bytes) {
  constexpr std::string_view kTag = "<Program_Version>";
  const size_t tag = bytes.find(kTag);
  if (tag == std::string_view::npos) return std::nullopt;
  const size_t start = tag + kTag.size();
  const size_t end = bytes.find('<', start);
  if (end == std::string_view::npos) return std::nullopt;
  // The element holds a version in plain digits and dots: any other byte
  // makes it unreadable, whatever the file's encoding.
  std::wstring text;
  for (char c : bytes.substr(start, end - start)) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return ParseVersion(text);
}

VersionVerdict CompareWithVersionFile(std::string_view bytes, const std::wstring& ownVersion) {
  const std::optional<ProgramVersion> offered = ReadVersionFile(bytes);
  if (!offered) return VersionVerdict::Unreadable;
  // A program without a readable version of its own takes any offer.
  const ProgramVersion own = ParseVersion(ownVersion).value_or(ProgramVersion{});
  return *offered > own ? VersionVerdict::NewVersion : VersionVerdict::MostRecent;
}

std::vector<std::wstring> VersionFileAddresses(const std::wstring& updateUrlSetting) {
  std::wstring_view url = updateUrlSetting;
  while (!url.empty() && IsBlank(url.front())) url.remove_prefix(1);
  while (!url.empty() && IsBlank(url.back())) url.remove_suffix(1);
  if (!url.empty()) return {std::wstring(url)};
  return {maker::kVersionFile, maker::kVersionFileAlternate};
}

std::wstring AddressFileName(const std::wstring& address) {
  const size_t slash = address.rfind(L'/');
  return slash == std::wstring::npos ? address : address.substr(slash + 1);
}

bool WelcomeDue(bool donated, const std::wstring& storedVersion, const std::wstring& versionLabel, bool remindLater) {
  if (donated) return false;
  return storedVersion != versionLabel || remindLater;
}

}  // namespace rn
