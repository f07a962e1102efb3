// The main window's side of the options dialog, the About box, the welcome
// box, the maker's pages, the version check and help.
#include <windows.h>

#include <optional>

#include "base/OptionKeys.h"
#include "base/SettingsPlace.h"
#include "base/Texts.h"
#include "base/VersionInfo.h"
#include "core/MainForm_win.h"
#include "core/OperationPanel_win.h"
#include "dialogs/Download_win.h"
#include "dialogs/FormAbout_win.h"
#include "dialogs/FormFirst_win.h"
#include "dialogs/FormOption_win.h"
#include "dialogs/Help_win.h"
#include "dialogs/MakerAddresses.h"
#include "dialogs/VersionCheck.h"
#include "ui/MessageBox_win.h"

namespace rn {

namespace {

// Where the About box stands against the main window (design pixels).
constexpr int kAboutLeft = -25, kAboutTop = 180;

// The welcome box, made when first needed (placed against the main window then).
TFormFirst& WelcomeBox(TMorvaneFrm1& main) {
  if (!main.formFirst) {
    FirstHost host;
    host.writeOption = [&main](FlagOption option, bool value) {
      if (main.settingsFile) WriteOption(*main.settingsFile, option, value);
    };
    main.formFirst = std::make_unique<TFormFirst>(std::move(host));
    if (!main.formFirst->Create(main.hwnd)) RaiseLastError();
  }
  return *main.formFirst;
}

}  // namespace

// ---------------------------------------------------------------------------
// The handlers of the menus, the tool strip and the system menu

void TMorvaneFrm1::PopOptions2Click() { ShowOptions(); }
void TMorvaneFrm1::SpeedButton2Click() { ShowOptions(); }
void TMorvaneFrm1::PopHelp2Click() { ShowHelp(); }
void TMorvaneFrm1::SpeedButton1Click() { ShowHelp(); }
void TMorvaneFrm1::PopDonate2Click() { OpenDonationPage(); }
void TMorvaneFrm1::PopLikeProgram2Click() { LikeProgram(); }
void TMorvaneFrm1::PopAbout2Click() { ShowAbout(); }
void TMorvaneFrm1::MenuSoftwareNewsClick() { OpenNewsPage(); }
void TMorvaneFrm1::MenuCheckVersionsClick() { CheckNewVersions(); }

// ---------------------------------------------------------------------------
// Options

void TMorvaneFrm1::ShowOptions() {
  if (!formOption) {
    OptionHost host;
    host.current = [this] { return settingsFile ? ReadOptionValues(*settingsFile) : OptionValues{}; };
    host.apply = [this](const OptionValues& values) {
      if (settingsFile) WriteOptionValues(*settingsFile, values);
      ApplyOptions(values);
    };
    formOption = std::make_unique<TFormOption>(std::move(host));
    if (!formOption->Create(hwnd)) RaiseLastError();
  }
  formOption->ShowModal(hwnd);
}

// What "ok" in the options dialog wrote takes effect at once; rows already in
// the list keep the dates they show.
void TMorvaneFrm1::ApplyOptions(const OptionValues& values) {
  if (!values.language.empty()) ApplyLanguage(values.language);
  dateTypeSetting = DateTypeFromSetting(values.dateType);

  SetStayOnTop(values.stayOnTop);
  SetMainMenuShown(values.showMenus);

  SetInfoPanelOpen(false);
  if (values.showFileInfo) ToggleInfoPanel();

  renamingHints = values.renamingHints;
  panel->ApplyRadioHints();
  panel->Show(true);
}

// ---------------------------------------------------------------------------
// About box and welcome box

void TMorvaneFrm1::ShowAbout() {
  if (!formAbout) {
    formAbout = std::make_unique<TFormAbout>();
    if (!formAbout->Create(hwnd, ApplicationTitle(), ReadProgramVersionInfo())) RaiseLastError();
  }
  RECT r{};
  GetWindowRect(hwnd, &r);
  formAbout->ShowModal(hwnd, r.left + dpi.Scale(kAboutLeft), r.top + dpi.Scale(kAboutTop));
}

// The reminder shows unless the user donated, or switched it off for the
// version that runs: a new version reminds once more. It comes up over the
// main window, so a first showing lets the window reach the screen first.
void TMorvaneFrm1::ShowWelcomeIfDue() {
  if (!context_.welcomeReminder || !settingsFile) return;
  if (!IsWindowVisible(hwnd)) {
    PostMessageW(hwnd, kShowWelcomeMessage, 0, 0);
    return;
  }
  const SettingsFile& ini = *settingsFile;
  const bool donated = ReadOption(ini, options::kDonated);
  const std::wstring stored = ReadOption(ini, options::kVersion);
  const bool remindLater = ReadOption(ini, options::kRemindLater);
  if (donated) return;  // whatever the version: its label is not even read
  if (versionLabel_.empty()) {
    try {
      versionLabel_ = ProgramVersionLabel();
    } catch (const AppError&) {
      // Without a version resource the stored version never matches.
    }
  }
  // A box that is not due is not made: "Do you like this program ?" makes it
  // when asked, with its reminder on.
  if (WelcomeDue(donated, stored, versionLabel_, remindLater)) WelcomeBox(*this).ShowModal(hwnd);
}

// "Do you like this &program ?": the reminder is switched on again and the
// show sequence runs anew, which shows it.
void TMorvaneFrm1::LikeProgram() {
  WelcomeBox(*this).SetRemindLater(true);
  WriteOption(*settingsFile, options::kDonated, false);
  WriteOption(*settingsFile, options::kRemindLater, true);
  FormShow();
}

// ---------------------------------------------------------------------------
// The maker's pages

void TMorvaneFrm1::OpenDonationPage() { OpenAddress(GetDesktopWindow(), maker::kDonationPage); }

void TMorvaneFrm1::OpenNewsPage() { OpenAddress(GetDesktopWindow(), maker::kNewsPage); }

void TMorvaneFrm1::DonateFromSystemMenu() {
  OpenDonationPage();
  WriteOption(*settingsFile, options::kDonated, false);
}

// "Check new versions *": the version file from the first address that
// answers with it, compared part by part with the program's own version.
void TMorvaneFrm1::CheckNewVersions() {
  const std::vector<std::wstring> addresses =
      VersionFileAddresses(settingsFile ? ReadOption(*settingsFile, options::kUpdateUrl) : L"");
  std::optional<std::string> file;
  {
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    for (const std::wstring& address : addresses) {
      Download download = DownloadAddress(address);
      if (download.ok) {
        file = std::move(download.body);
        break;
      }
    }
    SetCursor(previous);
  }
  if (!file) {
    ShowWarning(hwnd, Text(TextId::MsgDownloadError) + L"\"" + AddressFileName(addresses.back()) + L"\"" +
                          Text(TextId::MsgForVersionCheck) + L"\r" + Text(TextId::MsgCheckConnection));
    return;
  }
  switch (CompareWithVersionFile(*file, ReadProgramVersionInfo().FileVersion)) {
    case VersionVerdict::NewVersion: ShowInformation(hwnd, Text(TextId::MsgNewVersion)); break;
    case VersionVerdict::MostRecent: ShowInformation(hwnd, Text(TextId::MsgLatestVersion)); break;
    case VersionVerdict::Unreadable: ShowWarning(hwnd, Text(TextId::MsgVersionFileUnreadable)); break;
  }
}

// ---------------------------------------------------------------------------
// Help

void TMorvaneFrm1::ShowHelp() {
  HWND active = GetActiveWindow();
  ShowHelpTopic(active ? active : hwnd, context_.programFolder);
}

void TMorvaneFrm1::ShowHelpContext(int context, bool tell) {
  HWND active = GetActiveWindow();
  if (!active) active = hwnd;
  if (tell)
    rn::ShowHelpContext(active, context_.programFolder, context);
  else
    OpenHelpContext(active, context_.programFolder, context);
}

}  // namespace rn
