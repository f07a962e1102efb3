// The welcome reminder, the About box, the maker's pages, help and the
// version check, driven through the real main window in this process.
#include "support/LocalHttpServer_win.h"

#include <windows.h>

#include "base/SettingsFile.h"
#include "base/Texts.h"
#include "base/VersionInfo.h"
#include "core/MainMenus_win.h"
#include "dialogs/FormAbout_win.h"
#include "dialogs/FormFirst_win.h"
#include "dialogs/Help_win.h"
#include "dialogs/MakerAddresses.h"
#include "support/ModalScript_win.h"
#include "support/WindowHarness_win.h"

using namespace rntest;
using rn::TextId;

namespace {

// What the program asked the shell and the help viewer to open.
struct Outside {
  std::vector<std::wstring> addresses;
  std::vector<rn::HelpCall> help;
  Outside() {
    rn::SetAddressOpener([this](HWND, const std::wstring& address) { addresses.push_back(address); });
    rn::SetHelpViewer([this](const rn::HelpCall& call) { help.push_back(call); });
  }
  ~Outside() {
    rn::SetAddressOpener(nullptr);
    rn::SetHelpViewer(nullptr);
  }
};

std::wstring Stored(const TempFolder& f, const wchar_t* key) {
  return rn::SettingsFile(f.Ini()).ReadString(L"Options", key, L"<none>");
}

void Press(HWND form, int id, int code = BN_CLICKED) {
  SendMessageW(form, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(form, id)));
}

// A main window that reminds of donations; `steps` play in the welcome box if it shows.
std::unique_ptr<MainWindow> StartReminding(const TempFolder& f, std::vector<std::function<void()>> steps) {
  ModalScript script(std::move(steps));
  return std::make_unique<MainWindow>(f, std::vector<std::wstring>{}, nullptr, true);
}

using Welcome = rn::TFormFirst;

TEST(WelcomeReminder, ShowsAtStartUnlessDonatedOrSwitchedOffForThisVersion) {
  const std::string label = Narrow(rn::ProgramVersionLabel());
  const struct {
    std::string ini;
    bool shown;
  } cases[] = {
      {"", true},
      {"Donated=1\r\n", false},
      {"Donated=1\r\nRemindLater=0\r\nVersion=(v0.9)\r\n", false},
      {"RemindLater=0\r\nVersion=" + label + "\r\n", false},
      {"RemindLater=0\r\nVersion=(v1.0.0.0)\r\n", true},
      {"RemindLater=1\r\nVersion=" + label + "\r\n", true},
  };
  for (const auto& c : cases) {
    TempFolder f;
    f.WriteIni("[Options]\r\n" + c.ini);
    bool shown = false;
    RECT box{};
    auto w = StartReminding(f, {[&] {
                              if (HWND welcome = ShownForm(L"TFormFirst")) {
                                shown = true;
                                GetWindowRect(welcome, &box);
                                PostMessageW(welcome, WM_CLOSE, 0, 0);
                              }
                            }});
    Pump();
    EXPECT_EQ(shown, c.shown) << c.ini;
    if (!c.shown) {
      EXPECT_EQ(w->form->formFirst, nullptr) << c.ini << ": a box not due is not even made";
    }
    if (shown) {
      RECT main{};
      GetWindowRect(w->Hwnd(), &main);
      EXPECT_EQ(box.left, main.left + w->form->dpi.Scale(10));
      EXPECT_EQ(box.top, main.top + w->form->dpi.Scale(20));
    }
  }
}

TEST(WelcomeReminder, ItsButtonsWriteAtOnceAndTheDonationIsConfirmedFirst) {
  Outside outside;
  TempFolder f;
  HWND box = nullptr;
  auto w = StartReminding(f, {[&] {
                            box = ShownForm(L"TFormFirst");
                            ASSERT_NE(box, nullptr);
                            EXPECT_EQ(rn::WindowText(box), L" Welcome !");
                            EXPECT_EQ(rn::WindowText(GetDlgItem(box, Welcome::IdDonatedLink)),
                                      L"I've already donated, so  don't show again ");
                            SendMessageW(GetDlgItem(box, Welcome::IdCheckBox1), BM_CLICK, 0, 0);
                            Press(box, Welcome::IdButtonNoThanks);
                          }});
  EXPECT_EQ(Stored(f, L"RemindLater"), L"0");
  EXPECT_EQ(Stored(f, L"Donated"), L"<none>");
  Welcome& welcome = *w->form->formFirst;
  EXPECT_EQ(welcome.Hint(Welcome::IdDonatedLink), L"click here to disable...");
  ExpectLaidOut(box, {Welcome::IdText1, Welcome::IdText2, Welcome::IdDonatedLink, Welcome::IdCheckBox1,
                      Welcome::IdButtonNoThanks, Welcome::IdButtonDonate});

  // "Do you like this program ?" reminds again; the link asks before it believes.
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(std::wstring(rn::Text(TextId::MsgReallyDonated, rn::Language::English)), 1);
    dialogs.Expect(std::wstring(rn::Text(TextId::MsgReallyDonated, rn::Language::English)), 0);
    ModalScript script({[&] {
                          EXPECT_TRUE(welcome.RemindLater());
                          EXPECT_EQ(Stored(f, L"Donated"), L"0");
                          EXPECT_EQ(Stored(f, L"RemindLater"), L"1");
                          Press(box, Welcome::IdDonatedLink, STN_CLICKED);  // cancelled
                          EXPECT_TRUE(welcome.Showing());
                        },
                        [&] { Press(box, Welcome::IdDonatedLink, STN_CLICKED); }});
    w->form->LikeProgram();
    ASSERT_EQ(dialogs.Seen().size(), 2u);
    EXPECT_EQ(dialogs.Seen()[0].buttons, (std::vector<std::wstring>{L"OK", L"Cancel"}));
  }
  EXPECT_FALSE(welcome.Showing());
  EXPECT_EQ(Stored(f, L"Donated"), L"1");
  EXPECT_EQ(Stored(f, L"RemindLater"), L"1");
  EXPECT_TRUE(outside.addresses.empty());

  // The donate button closes the box as "no, thanks" does and opens the donation page.
  {
    ModalScript script({[&] { Press(box, Welcome::IdButtonDonate); }});
    w->form->LikeProgram();
  }
  EXPECT_EQ(outside.addresses, (std::vector<std::wstring>{rn::maker::kDonationPage}));
  EXPECT_EQ(Stored(f, L"Donated"), L"0");
  EXPECT_TRUE(IsWindowEnabled(w->Hwnd()));
}

// Each menu item, button and system-menu entry of these commands reaches its verb.
TEST(MakerPages, TheMenusButtonsAndSystemMenuReachTheDialogsPagesAndHelp) {
  Outside outside;
  TempFolder f;
  MainWindow w(f);
  auto command = [&](int id) { SendMessageW(w.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); };
  auto closing = [](const wchar_t* form) { return [form] { PostMessageW(ShownForm(form), WM_CLOSE, 0, 0); }; };
  {
    ModalScript script({closing(L"TFormOption"), closing(L"TFormOption"), closing(L"TFormOption"),
                        closing(L"TFormAbout"), closing(L"TFormAbout"), closing(L"TFormAbout")});
    command(rn::IdPopOptions2);
    command(rn::IdMenuOptions);
    SendMessageW(w.Control(rn::IdSpeedButton2), BM_CLICK, 0, 0);
    command(rn::IdPopAbout2);
    command(rn::IdMenuAbout);
    SendMessageW(w.Hwnd(), WM_SYSCOMMAND, rn::IdSysAbout, 0);
    Pump();
  }
  {
    ScriptedDialogs dialogs;
    for (int i = 0; i < 3; ++i) dialogs.Expect(L"Help file not found");
    command(rn::IdPopHelp2);
    SendMessageW(w.Control(rn::IdSpeedButton1), BM_CLICK, 0, 0);
    SendMessageW(w.Hwnd(), WM_SYSCOMMAND, rn::IdSysHelp, 0);
  }
  command(rn::IdPopDonate2);
  command(rn::IdMenuSoftwareNews);
  w.form->settingsFile->WriteBool(L"Options", L"Donated", true);
  SendMessageW(w.Hwnd(), WM_SYSCOMMAND, rn::IdSysLikeProgram, 0);
  EXPECT_EQ(Stored(f, L"Donated"), L"0");
  EXPECT_EQ(outside.addresses,
            (std::vector<std::wstring>{rn::maker::kDonationPage, rn::maker::kNewsPage, rn::maker::kDonationPage}));
  // F1 asks the viewer for the main window's context, file or no file.
  PostMessageW(w.Hwnd(), WM_KEYDOWN, VK_F1, 0);
  Pump();
  ASSERT_EQ(outside.help.size(), 1u);
  EXPECT_EQ(outside.help[0].command, rn::kHelpContext);
  EXPECT_EQ(outside.help[0].data, 3u);
}

TEST(AboutBox, ShowsTheVersionResourceAndItsLinksAndAnyOtherClickClosesIt) {
  Outside outside;
  TempFolder f;
  MainWindow w(f);
  const rn::FileVersionInfo info = rn::ReadProgramVersionInfo();
  using Ids = rn::TFormAbout;
  auto text = [](HWND box, int id) { return rn::WindowText(GetDlgItem(box, id)); };
  ModalScript script({[&] {
    HWND box = ShownForm(L"TFormAbout");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(rn::WindowText(box), rn::ApplicationTitle() + L"   (v1.2.5.6)");
    EXPECT_EQ(text(box, Ids::IdComments), info.Comments);
    EXPECT_EQ(text(box, Ids::IdFeedback), rn::Text(TextId::AboutFeedback, rn::Language::English));
    EXPECT_EQ(text(box, Ids::IdDonateLink), L"donating ");
    RECT main{}, where{}, client{};
    GetWindowRect(w.Hwnd(), &main);
    GetWindowRect(box, &where);
    EXPECT_EQ(where.left, main.left + w.form->dpi.Scale(-25));
    EXPECT_EQ(where.top, main.top + w.form->dpi.Scale(180));
    // The feedback text and the donation line end 8 pixels from the edges.
    GetClientRect(box, &client);
    EXPECT_EQ(rn::ControlBounds(GetDlgItem(box, Ids::IdFeedback)).right, client.right - w.form->dpi.Scale(8));
    EXPECT_EQ(rn::ControlBounds(GetDlgItem(box, Ids::IdDonateLink)).bottom, client.bottom - w.form->dpi.Scale(8));
    ExpectLaidOut(box, {Ids::IdLogo, Ids::IdImage, Ids::IdMaker, Ids::IdWebLink, Ids::IdComments, Ids::IdRule,
                        Ids::IdFeedback, Ids::IdMailLink, Ids::IdDonatePrefix, Ids::IdDonateLink, Ids::IdDonateSuffix});
    for (int link : {Ids::IdWebLink, Ids::IdMailLink, Ids::IdDonateLink}) Press(box, link, STN_CLICKED);
    EXPECT_TRUE(IsWindowVisible(box)) << "a link keeps the box open";
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  }});
  w.form->ShowAbout();
  EXPECT_FALSE(ShownForm(L"TFormAbout"));
  EXPECT_EQ(outside.addresses, (std::vector<std::wstring>{rn::maker::kFreewarePage,
                                                          std::wstring(L"mailto:") + rn::maker::kMailAddress +
                                                              L"?subject=from%20'Morvane'%20freeware...",
                                                          rn::maker::kDonationPage}));
}

TEST(Help, AMissingHelpFileIsReportedExceptOnF1) {
  Outside outside;
  TempFolder f;
  MainWindow w(f);
  {
    ScriptedDialogs dialogs;
    dialogs.Expect(L"Help file not found");
    dialogs.Expect(L"Help file not found");
    w.form->ShowHelp();
    rn::ShowHelpContext(w.Hwnd(), f.Folder(), 6);
    ASSERT_EQ(dialogs.Seen().size(), 2u);
    EXPECT_EQ(dialogs.Seen()[0].icon, rn::DialogIcon::None);
    EXPECT_EQ(dialogs.Seen()[0].caption, rn::ApplicationTitle());
  }
  rn::OpenHelpContext(w.Hwnd(), f.Folder(), 3);  // F1 asks the viewer all the same
  Make(f, L"Rename.chm");
  w.form->ShowHelp();
  rn::ShowHelpContext(w.Hwnd(), f.Folder(), 6);
  const std::wstring chm = f.Folder() + L"Rename.chm";
  ASSERT_EQ(outside.help.size(), 3u);
  const struct {
    UINT command;
    DWORD_PTR data;
  } expected[] = {{rn::kHelpContext, 3}, {rn::kHelpDisplayTopic, 0}, {rn::kHelpContext, 6}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(outside.help[i].file, chm) << i;
    EXPECT_EQ(outside.help[i].command, expected[i].command) << i;
    EXPECT_EQ(outside.help[i].data, expected[i].data) << i;
  }
}

// The version file from a server on this machine: only a file that names a
// version gives an answer; an error status is a failed download.
TEST(NewVersions, AnswersFromTheVersionFileTheServerSends) {
  const std::wstring downloadError =
      L"Error downloading file \"rename_version.xml\" for version check.\rPlease check your internet connection "
      L"and/or firewall..";
  auto file = [](const std::string& version) {
    return "<?xml version=\"1.0\"?>\n<Morvane><Program_Version>" + version + "</Program_Version></Morvane>\n";
  };
  const std::wstring newer(rn::Text(TextId::MsgNewVersion, rn::Language::English)),
      latest(rn::Text(TextId::MsgLatestVersion, rn::Language::English)),
      unreadable(rn::Text(TextId::MsgVersionFileUnreadable, rn::Language::English));
  const struct {
    std::string response;
    std::wstring message;
    rn::DialogIcon icon;
  } cases[] = {
      {HttpResponse(200, "OK", file("1.2.5.7")), newer, rn::DialogIcon::Information},
      {HttpResponse(200, "OK", file("1.2.5.6")), latest, rn::DialogIcon::Information},
      {HttpResponse(200, "OK", file("1.2.10.0")), newer, rn::DialogIcon::Information},
      {HttpResponse(200, "OK", file("1.1.99.99")), latest, rn::DialogIcon::Information},
      {HttpResponse(200, "OK", "<html><body>Moved elsewhere</body></html>"), unreadable, rn::DialogIcon::Warning},
      {HttpResponse(200, "OK", file("1.2.x")), unreadable, rn::DialogIcon::Warning},
      {HttpResponse(404, "Not Found", file("9.9.9.9")), downloadError, rn::DialogIcon::Warning},
      {HttpResponse(500, "Server Error", "<html>oops</html>"), downloadError, rn::DialogIcon::Warning},
  };
  TempFolder f;
  MainWindow w(f);
  for (const auto& c : cases) {
    LocalHttpServer server({c.response});
    if (!server.Listening()) {
      std::printf("skipped: no loopback socket to serve the version file from\n");
      return;
    }
    w.form->settingsFile->WriteString(L"Options", L"UpdateUrl", server.Url(L"rename_version.xml"));
    ScriptedDialogs dialogs;
    dialogs.Expect(c.message);
    w.form->CheckNewVersions();
    ASSERT_EQ(dialogs.Seen().size(), 1u) << c.response;
    EXPECT_EQ(dialogs.Seen()[0].icon, c.icon) << c.response;
    EXPECT_EQ(server.Requests(), 1) << "the address of the setting alone is asked";
  }
  // Nobody listening at the address.
  w.form->settingsFile->WriteString(L"Options", L"UpdateUrl", L"http://127.0.0.1:1/rename_version.xml");
  ScriptedDialogs dialogs;
  dialogs.Expect(downloadError);
  w.form->CheckNewVersions();
}

}  // namespace
