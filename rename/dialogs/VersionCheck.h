// The check for a newer version: the version file's addresses, reading the
// version it offers, and comparing it with the program's own. Versions are
// compared part by part as numbers, so 1.3.0.0 is newer than 1.2.10.0.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rn {

// Up to four numbers; parts a version leaves out count as 0 (1.3 = 1.3.0.0).
struct ProgramVersion {
  std::array<unsigned, 4> parts{};
  friend auto operator<=>(const ProgramVersion&, const ProgramVersion&) = default;
};

// "1.2.5.6" (blanks around it allowed); nothing for any other text: an empty
// part, a sign, a letter, more than four parts or a part past 65535.
std::optional<ProgramVersion> ParseVersion(std::wstring_view text);

// The version in the first "<Program_Version>" element of a downloaded
// version file; nothing when the element is missing, unclosed or holds no
// version (an error page served in its place among them).
std::optional<ProgramVersion> ReadVersionFile(std::string_view bytes);

enum class VersionVerdict { NewVersion, MostRecent, Unreadable };
// What the downloaded file says to a program whose own file version is
// `ownVersion` (a version resource's FileVersion text).
VersionVerdict CompareWithVersionFile(std::string_view bytes, const std::wstring& ownVersion);

// The addresses the version file is fetched from, in order: the one given by
// the optional setting `UpdateUrl` alone when it is set, otherwise the
// primary address and its alternate.
std::vector<std::wstring> VersionFileAddresses(const std::wstring& updateUrlSetting);
// The part of an address after its last "/" (what the download error names).
std::wstring AddressFileName(const std::wstring& address);

// The welcome box is due unless the user donated, or switched the reminder
// off for the very version that runs (`storedVersion` is the `Version`
// setting, `versionLabel` the running program's "(v1.2.5.6)").
bool WelcomeDue(bool donated, const std::wstring& storedVersion, const std::wstring& versionLabel, bool remindLater);

}  // namespace rn
