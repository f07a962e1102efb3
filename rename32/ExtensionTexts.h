// Every text the context-menu extension shows or answers with. The verb and
// the help text are also answered as 8-bit text, so they stay plain ASCII.
#pragma once

namespace rn::ext {

inline constexpr wchar_t kMenuItemText[] = L"|Re&name file[s] menu...";
inline constexpr wchar_t kVerb[] = L"Morvane";
inline constexpr wchar_t kHelpText[] = L"Rename all selected items with Morvane.";

inline constexpr wchar_t kBoxCaption[] = L"Morvane context...";
inline constexpr wchar_t kSendFailed[] = L"Failed to send data to Morvane.. :(";
inline constexpr wchar_t kUnableToRun[] = L"Unable to run RENAME.EXE";
inline constexpr wchar_t kNoAnswer[] =
    L"RENAME.EXE does not answer (it may be busy or hung), so nothing was sent. Try again once it answers.";
inline constexpr wchar_t kNotStartedInTime[] =
    L"RENAME.EXE did not start in time: its window did not appear within 30 seconds. Nothing was sent.";

// Names, not texts for the user, kept beside the texts they go with.
inline constexpr wchar_t kProgramFile[] = L"RENAME.EXE";
inline constexpr wchar_t kMainWindowClass[] = L"TMorvaneFrm1";
inline constexpr wchar_t kClassName[] = L"MorvanePlugin";

constexpr bool IsAscii(const wchar_t* s) {
  for (; *s; ++s)
    if (*s > 0x7f) return false;
  return true;
}
static_assert(IsAscii(kVerb) && IsAscii(kHelpText), "answered as 8-bit text too");

}  // namespace rn::ext
