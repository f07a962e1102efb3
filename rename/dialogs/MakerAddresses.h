// The maker's addresses the program opens or fetches: one table, so that a
// move of the site is one change. The version file's address can be
// overridden by the setting `UpdateUrl` (VersionFileAddresses).
#pragma once

namespace rn::maker {

inline constexpr wchar_t kDonationPage[] = L"https://rename-freeware.example.org/donate.html";
inline constexpr wchar_t kFreewarePage[] = L"https://rename-freeware.example.org/";
inline constexpr wchar_t kNewsPage[] = L"https://rename-freeware.example.org/news.html";
inline constexpr wchar_t kMailAddress[] = L"morvane@rename-freeware.example.org";
inline constexpr wchar_t kVersionFile[] = L"https://rename-freeware.example.org/version/rename_version.xml";
inline constexpr wchar_t kVersionFileAlternate[] = L"https://mirror.rename-freeware.example.net/rename_version.xml";

}  // namespace rn::maker
