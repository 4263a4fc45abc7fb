#include "settings/color_text.h"

#include <gtest/gtest.h>

#include "platform/app_error.h"

namespace montrelle {
namespace {

TEST(ParseColorText, WholeTextAsHexadecimalInEitherCase) {
  const struct {
    const char* text;
    ColorValue value;
  } cases[] = {
      {"ffffff", 0xFFFFFF},
      {"FFFF00", 0xFFFF00},
      {"00ff00", 0x00FF00},
      {"0000ff", 0x0000FF},
      {"aBcDeF", 0xABCDEF},
      {"0", 0},
      {"7", 7},
      {"ffffffff", 0xFFFFFFFF},
      {"00000000000ff", 0xFF},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseColorText(c.text), c.value) << c.text;
}

TEST(ParseColorText, AnythingElseIsNotAnInteger) {
  for (const char* bad :
       {"", "gg0000", "100000000", " ff", "ff ", "-1", "+1", "0x10", "$ff", "ff\xe3\x80\x80"}) {
    try {
      ParseColorText(bad);
      ADD_FAILURE() << bad;
    } catch (const AppError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'$") + bad + "' は整数ではありません");
    }
  }
}

TEST(ColorText, UpperCaseZeroPaddedToSixDigits) {
  EXPECT_EQ(ColorText(0xFFFF00), "FFFF00");
  EXPECT_EQ(ColorText(0xff), "0000FF");
  EXPECT_EQ(ColorText(0), "000000");
  EXPECT_EQ(ColorText(0x1ABCDEF), "1ABCDEF");
  EXPECT_EQ(ColorText(0xFFFFFFFF), "FFFFFFFF");
}

}  // namespace
}  // namespace montrelle
