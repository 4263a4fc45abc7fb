#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <random>

namespace montrelle {
namespace {

using Lines = std::vector<std::string>;

TEST(IniFile, SectionNamesInFileOrder) {
  const struct {
    Lines lines;
    Lines names;
  } cases[] = {
      {{}, {}},
      {{"", "type=0", "  ", "; [Note]"}, {}},
      {{"[HTMLtype]", "type=0", "", "[Frame]"}, {"HTMLtype", "Frame"}},
      {{"  [ Flags ] trailing", "\t[Other]"}, {"Flags", "Other"}},
      {{"[]", "[a]b]", "[open", "x[y]"}, {"", "a"}},
      {{"[Color]", "[color]"}, {"Color", "color"}},
  };
  for (const auto& c : cases) EXPECT_EQ(IniFile(c.lines).SectionNames(), c.names);
}

TEST(IniFile, ValuesByNameWithoutCaseBlanksAndOneQuotePair) {
  IniFile ini({
      "orphan=before any section",
      "[color]",
      "LINK_COLOR=00ff00",
      "Bg_Color  =  \t ffffff \t",
      "plain line without equals",
      "link_color=second one loses",
      "[Other]",
      "title=\"  quoted  \"",
      "out_name='a.html'",
      "out_path=\"mixed'",
      "q1=\"",
      "q2=\"\"",
      "q3=''x''",
      "eq=a=b",
      "empty=",
      "=no key",
      "[other]",
      "title=a later section of the same name",
  });
  const struct {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"Color", "link_color", "00ff00"},
      {"COLOR", "bg_color", "ffffff"},
      {"Color", "vlink_color", std::nullopt},
      {"Color", "plain line without equals", std::nullopt},
      {"Missing", "title", std::nullopt},
      {"Other", "orphan", std::nullopt},
      {"Other", "title", "  quoted  "},
      {"Other", "out_name", "a.html"},
      {"Other", "out_path", "\"mixed'"},
      {"Other", "q1", "\""},
      {"Other", "q2", ""},
      {"Other", "q3", "'x'"},
      {"Other", "eq", "a=b"},
      {"Other", "empty", ""},
      {"Other", "", "no key"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.Value(c.section, c.key), c.value) << c.section << "." << c.key;
  }
}

// Arbitrary bytes, long lines and many sections are read without fault in linear time.
TEST(IniFile, HostileTextIsReadWithoutFault) {
  std::mt19937 random(12345);
  const std::string alphabet = std::string("[]=\"' \t\xff\x81") + '\0' + "ab";
  for (int round = 0; round < 200; ++round) {
    Lines lines(random() % 20);
    for (std::string& line : lines) {
      line.resize(random() % 40);
      for (char& c : line) c = alphabet[random() % alphabet.size()];
    }
    IniFile ini(lines);
    for (const std::string& name : ini.SectionNames()) (void)ini.Value(name, "a");
  }
  Lines many(200000, "[s]");
  many.push_back("[last]");
  many.push_back(std::string(1 << 20, '='));
  IniFile big(many);
  EXPECT_EQ(big.SectionNames().size(), 200001u);
  EXPECT_EQ(big.Value("LAST", ""), std::string((1 << 20) - 1, '='));
  EXPECT_EQ(big.Value("s", ""), std::nullopt);
}

}  // namespace
}  // namespace montrelle
