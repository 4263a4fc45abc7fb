#include "platform/app_error.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;

TEST(ErrorBoxText, FullStopAfterTextThatEndsPastIt) {
  EXPECT_EQ(ErrorBoxText("ファイル a は開けません"), "ファイル a は開けません.");
  EXPECT_EQ(ErrorBoxText("I/O エラー (5)"), "I/O エラー (5)");
}

TEST(ParseInt32, DecimalSignedThirtyTwoBit) {
  EXPECT_EQ(ParseInt32("550"), 550);
  EXPECT_EQ(ParseInt32("-1"), -1);
  EXPECT_EQ(ParseInt32("+7"), 7);
  EXPECT_EQ(ParseInt32("-2147483648"), INT32_MIN);
  for (const char* bad : {"", "8O", "2147483648", " 1", "1 ", "+-1", "0x10", "-"}) {
    ExpectAppError([&] { ParseInt32(bad); }, std::string("'") + bad + "' は整数ではありません");
  }
}

}  // namespace
}  // namespace montrelle
