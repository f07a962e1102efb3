// What the program opens outside itself: the help file Rename.chm beside the
// program (through the HTML help viewer, loaded when first needed) and the
// maker's web pages and mail address (through the shell's "open").
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace rn {

// The help viewer's commands the program uses.
inline constexpr UINT kHelpDisplayTopic = 0x0000;  // HH_DISPLAY_TOPIC
inline constexpr UINT kHelpContext = 0x000F;       // HH_HELP_CONTEXT

// "&Help ...": the help file's first topic, or "Help file not found".
void ShowHelpTopic(HWND owner, const std::wstring& programFolder);
// The script editor's help: the topic of a context number, or "Help file not found".
void ShowHelpContext(HWND owner, const std::wstring& programFolder, int context);
// F1: the topic of a context number; a missing file shows nothing.
void OpenHelpContext(HWND owner, const std::wstring& programFolder, int context);

// Opens a web address or a "mailto:" address with the shell verb "open".
void OpenAddress(HWND owner, const std::wstring& address);
// "mailto:" + address with the subject, encoded for the mail program.
std::wstring MailToAddress(const std::wstring& address, const std::wstring& subject);

// Tests see the calls instead of the help viewer and the shell.
struct HelpCall {
  HWND owner;
  std::wstring file;
  UINT command;
  DWORD_PTR data;
};
void SetHelpViewer(std::function<void(const HelpCall&)> viewer);
void SetAddressOpener(std::function<void(HWND owner, const std::wstring& address)> opener);

}  // namespace rn
