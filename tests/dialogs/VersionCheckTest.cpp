// The version check's reading and comparing, the welcome rule, and the
// options' keys in the settings file.
#include "dialogs/VersionCheck.h"

#include <gtest/gtest.h>

#include "support/SettingsFolder.h"
#include "dialogs/MakerAddresses.h"
#include "dialogs/Options.h"

namespace rn {
namespace {

std::string VersionFile(const std::string& inside) {
  return "<?xml version=\"1.0\"?>\r\n<Morvane>\r\n  <Program_Version>" + inside +
         "</Program_Version>\r\n</Morvane>\r\n";
}

TEST(VersionCheck, ComparesPartByPartAsNumbers) {
  const struct {
    std::string file;
    const wchar_t* own;
    VersionVerdict verdict;
  } cases[] = {
      {VersionFile("1.3.0.0"), L"1.2.10.0", VersionVerdict::NewVersion},
      {VersionFile("1.2.10.0"), L"1.3.0.0", VersionVerdict::MostRecent},  // the digits joined would say 12100 > 1300
      {VersionFile("1.2.5.7"), L"1.2.5.6", VersionVerdict::NewVersion},
      {VersionFile("1.2.5.6"), L"1.2.5.6", VersionVerdict::MostRecent},
      {VersionFile(" 1.3 "), L"1.2.5.6", VersionVerdict::NewVersion},  // missing parts count as 0
      {VersionFile("1.2.5"), L"1.2.5.0", VersionVerdict::MostRecent},
      {VersionFile("2.0.0.0"), L"not a version", VersionVerdict::NewVersion},
      {VersionFile("1.2.five.6"), L"1.2.5.6", VersionVerdict::Unreadable},
      {VersionFile(""), L"1.2.5.6", VersionVerdict::Unreadable},
      {VersionFile("1..2"), L"1.2.5.6", VersionVerdict::Unreadable},
      {VersionFile("1.2.3.4.5"), L"1.2.5.6", VersionVerdict::Unreadable},
      {VersionFile("-1.2.3.4"), L"1.2.5.6", VersionVerdict::Unreadable},
      {VersionFile("1.2.3.65536"), L"1.2.5.6", VersionVerdict::Unreadable},
      {VersionFile("1.2.3.99999999999999999999"), L"1.2.5.6", VersionVerdict::Unreadable},
      {"<Morvane><Version>1.3.0.0</Version></Morvane>", L"1.2.5.6", VersionVerdict::Unreadable},  // no element
      {"<Program_Version>1.3.0.0", L"1.2.5.6", VersionVerdict::Unreadable},                       // never closed
      {"<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>", L"1.2.5.6",
       VersionVerdict::Unreadable},
      {"", L"1.2.5.6", VersionVerdict::Unreadable},
      {"garbage \xff\xfe\x01 without any tag at all", L"1.2.5.6", VersionVerdict::Unreadable},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CompareWithVersionFile(c.file, c.own), c.verdict) << c.file << " against " << c.own;
}

TEST(VersionCheck, ReadsTheFirstElementOnly) {
  const auto version =
      ReadVersionFile("<a><Program_Version>1.2.3.4</Program_Version><Program_Version>9.9</Program_Version></a>");
  ASSERT_TRUE(version);
  EXPECT_EQ(version->parts, (std::array<unsigned, 4>{1, 2, 3, 4}));
}

TEST(VersionCheck, AddressesAndTheNameTheErrorGives) {
  EXPECT_EQ(VersionFileAddresses(L""), (std::vector<std::wstring>{maker::kVersionFile, maker::kVersionFileAlternate}));
  EXPECT_EQ(VersionFileAddresses(L"  http://127.0.0.1:8080/v.xml "),
            (std::vector<std::wstring>{L"http://127.0.0.1:8080/v.xml"}));
  EXPECT_EQ(AddressFileName(L"http://mirror.example.net/dir/rename_version.xml"), L"rename_version.xml");
  EXPECT_EQ(AddressFileName(L"version.xml"), L"version.xml");
  for (const wchar_t* address : {maker::kDonationPage, maker::kFreewarePage, maker::kNewsPage, maker::kMailAddress,
                                 maker::kVersionFile, maker::kVersionFileAlternate})
    EXPECT_NE(std::wstring(address).find(L".example."), std::wstring::npos) << "a placeholder of this project";
}

TEST(WelcomeReminder, ShowsUnlessDonatedOrSwitchedOffForThisVersion) {
  const struct {
    bool donated;
    const wchar_t* stored;
    bool remindLater;
    bool due;
  } cases[] = {
      {false, L"0.0.0.0", true, true},       // a first start
      {false, L"(v1.2.5.6)", true, true},    // reminder on
      {false, L"(v1.2.5.6)", false, false},  // switched off for this version
      {false, L"(v1.2.5.5)", false, true},   // a new version reminds once more
      {false, L"(V1.2.5.6)", false, true},   // the label must match exactly
      {true, L"0.0.0.0", true, false},       // never after a donation
      {true, L"(v1.2.5.6)", false, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WelcomeDue(c.donated, c.stored, L"(v1.2.5.6)", c.remindLater), c.due)
        << c.donated << " " << c.stored << " " << c.remindLater;
}

TEST(OptionValues, TheDateTypeKeepsToItsTwoKinds) {
  const int cases[][2] = {{1, 1}, {2, 2}, {3, 1}, {0, 2}, {4, 1}, {99, 1}, {-1, 2}, {-99, 2}};
  for (const auto& c : cases) EXPECT_EQ(WrapDateTypePosition(c[0]), c[1]) << c[0];
}

using OptionsFile = test::SettingsFolder;

TEST_F(OptionsFile, DefaultsThenEveryKeyInOneRewrite) {
  SettingsFile ini(ini_);
  const OptionValues defaults = ReadOptionValues(ini);
  EXPECT_EQ(defaults.language, L"English");
  EXPECT_FALSE(defaults.windowPosition);
  EXPECT_TRUE(defaults.windowSize);
  EXPECT_FALSE(defaults.stayOnTop);
  EXPECT_EQ(defaults.dateType, 1);
  EXPECT_FALSE(defaults.lastSelection);
  EXPECT_TRUE(defaults.renamingHints);
  EXPECT_TRUE(defaults.showMenus);
  EXPECT_FALSE(defaults.showFileInfo);

  Put("[Options]\r\nLanguage=Portuguese\r\nDateType=3\r\n");
  OptionValues v = ReadOptionValues(ini);
  EXPECT_EQ(v.dateType, 1);
  v.language.clear();  // none chosen: the stored one stays
  v.windowPosition = v.stayOnTop = v.lastSelection = v.showFileInfo = true;
  v.windowSize = v.renamingHints = v.showMenus = false;
  v.dateType = 2;
  WriteOptionValues(ini, v);
  EXPECT_EQ(Get(),
            "[Options]\r\nLanguage=Portuguese\r\nDateType=2\r\nWindowPosition=1\r\nWindowSize=0\r\nStayOnTop=1\r\n"
            "LastSelection=1\r\nRenamingHints=0\r\nShowMenus=0\r\nShowFileInfo=1\r\n");
}

}  // namespace
}  // namespace rn
