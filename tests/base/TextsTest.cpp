#include "base/Texts.h"

#include <gtest/gtest.h>

#include "base/Text.h"

namespace rn {
namespace {

constexpr Language kBoth[] = {Language::English, Language::Portuguese};

TEST(TextTables, EveryTextExistsInBothLanguagesAndFitsCodePage1252) {
  for (int i = 0; i < static_cast<int>(TextId::Count); ++i) {
    const auto id = static_cast<TextId>(i);
    const std::wstring_view en = Text(id, Language::English), pt = Text(id, Language::Portuguese);
    EXPECT_FALSE(en.empty()) << i;
    EXPECT_FALSE(pt.empty()) << i;
    if (EnglishOnly(id)) {
      EXPECT_EQ(pt, en) << i;
    }
    for (std::wstring_view text : {en, pt}) {
      std::string bytes;
      EXPECT_TRUE(Cp1252FromWide(std::wstring(text), bytes)) << i;
    }
  }
  EXPECT_FALSE(EnglishOnly(TextId::MsgChooseOption));
  EXPECT_TRUE(EnglishOnly(TextId::MenuSoftwareNews));
}

TEST(TextTables, PortugueseTextsAsTheUserSeesThem) {
  const Language pt = Language::Portuguese;
  EXPECT_EQ(Text(TextId::Button2, pt), L"&Renomear ...");
  EXPECT_EQ(Text(TextId::MsgChooseOption, pt), L"Escolha uma Op\u00e7\u00e3o primeiro !");
  EXPECT_EQ(ValueNameText(6, pt), L"( n\u00ba + nome + ext.)");
  std::string bytes;
  ASSERT_TRUE(Cp1252FromWide(std::wstring(Text(TextId::MsgChooseOption, pt)), bytes));
  EXPECT_EQ(bytes, "Escolha uma Op\xe7\xe3o primeiro !");
  EXPECT_EQ(Text(TextId::Button1Add, Language::English), L"&Add Files ...");
  EXPECT_EQ(Text(TextId::Button1More, Language::English), L"&More Files ...");
  EXPECT_EQ(Text(TextId::Button1Add, pt), L"&Adiciona arqs..");
}

TEST(TextTables, OnlyTheTwoExactNamesChooseALanguage) {
  const struct {
    const wchar_t* setting;
    std::optional<Language> language;
  } cases[] = {{L"English", Language::English},   {L"Portuguese", Language::Portuguese},
               {L"english", std::nullopt},        {L"", std::nullopt},
               {L"Portugu\u00eas", std::nullopt}, {L"English ", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(LanguageFromSetting(c.setting), c.language) << c.setting;
}

}  // namespace
}  // namespace rn
