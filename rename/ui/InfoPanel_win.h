// The file information panel (Panel_Info): a strip at the bottom of the main
// window with the current file's name, folder, size, attributes, type icon
// and three dates, and a fourth line for what a photo or a song says about
// itself. Its window is a control of its own; the main window sets
// its bounds (61 design pixels high when shown, 2 when hidden) and owns its
// context menu: right-clicks on the panel reach the parent as WM_CONTEXTMENU
// with the panel as wParam, and the close button's WM_COMMAND is passed on.
#pragma once
#include <windows.h>

#include <string>

#include "base/Dpi.h"
#include "filelist/FileInfo.h"
#include "filelist/MediaFields.h"

namespace rn {

inline constexpr const wchar_t* kInfoPanelClassName = L"TPanel";

// Child ids inside the panel.
inline constexpr int kInfoCloseId = 1201;       // SpeedButton7, "X"
inline constexpr int kInfoCreatedId = 1202;     // Label2_info
inline constexpr int kInfoModifiedId = 1203;    // Label3_info
inline constexpr int kInfoAccessedId = 1204;    // Label4_info
inline constexpr int kInfoNameId = 1205;        // Label5_info
inline constexpr int kInfoFolderId = 1206;      // Label6_info
inline constexpr int kInfoSizeId = 1207;        // Label7_info
inline constexpr int kInfoAttributesId = 1208;  // Label8_info
inline constexpr int kInfoImageId = 1209;       // Image_info
// The captions, in the order of the value fields above (1212 = "Date created :"
// ... 1218 = "Attributes :"); a language switch sets their texts and then
// calls LayoutInfoPanel.
inline constexpr int kInfoCaptionFirstId = 1212;
inline constexpr int kInfoMediaId = 1220;  // the date taken, the camera, the tags
inline constexpr int kInfoMediaCaptionId = 1221;
inline constexpr int kInfoPanelHeight = 61;  // design pixels, when shown

HWND CreateInfoPanel(HWND parent, int id, const RECT& bounds, HFONT font, const Dpi& dpi);
// Places the children for the panel's current size and caption texts (done on
// every WM_SIZE as well).
void LayoutInfoPanel(HWND panel);
// The captions and the close button's hint in the language the program
// speaks, then the layout for them.
void RetextInfoPanel(HWND panel);

// Fills the fields for one file. The caller has checked that exactly one row
// is selected and that the panel is shown. A path that is no existing file
// (missing, or a folder) shows only kFileMissingText in the name field.
// `media` is what the file says about itself, when it was read.
void FillFileInfo(HWND panel, const std::wstring& fullPath, const std::wstring& fileName,
                  const MediaFields* media = nullptr);
// Empties the value fields and the icon.
void ClearFileInfo(HWND panel);

FileInfoFields InfoPanelFields(HWND panel);
// The lines as CF_UNICODETEXT; false when the clipboard cannot be had.
bool CopyInfoToClipboard(HWND panel, HWND owner);

// The tooltip text of a child (kInfoImageId or kInfoCloseId) as the tooltip holds it.
std::wstring InfoPanelHint(HWND panel, int childId);
// The icon shown by Image_info (owned by the panel), or nullptr.
HICON InfoPanelIcon(HWND panel);

}  // namespace rn
