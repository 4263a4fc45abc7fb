#include "settings/color_text.h"

#include <gtest/gtest.h>

#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;

TEST(ColorText, HexadecimalBothWays) {
  const struct {
    const char* text;
    ColorValue value;
    const char* written;
  } cases[] = {
      {"ffff00", 0xFFFF00, "FFFF00"},
      {"aBcDeF", 0xABCDEF, "ABCDEF"},
      {"0", 0, "000000"},
      {"00000000000ff", 0xFF, "0000FF"},
      {"1abcdef", 0x1ABCDEF, "1ABCDEF"},
      {"ffffffff", 0xFFFFFFFF, "FFFFFFFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseColorText(c.text), c.value) << c.text;
    EXPECT_EQ(ColorText(c.value), c.written) << c.text;
  }
  for (const char* bad : {"", "gg0000", "100000000", " ff", "ff ", "-1", "+1", "0x10", "$ff"}) {
    ExpectAppError([&] { ParseColorText(bad); },
                   std::string("'$") + bad + "' は整数ではありません");
  }
}

}  // namespace
}  // namespace montrelle
