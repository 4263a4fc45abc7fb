#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "platform/app_error.h"
#include "support/expect_error.h"

namespace montrelle {
namespace {

using testing::ExpectAppError;

TEST(ToCp932, EncodesJapaneseAndAsciiToKnownBytes) {
  EXPECT_EQ(ToCp932("春の庭 a\\b~", TextKind::kPath, "f"), "\x8f\x74\x82\xcc\x92\xeb a\\b~");
  EXPECT_EQ(ToCp932("終了しました", TextKind::kFree, "f"),
            "\x8f\x49\x97\xb9\x82\xb5\x82\xdc\x82\xb5\x82\xbd");
  EXPECT_EQ(ToCp932("①ⅰ～", TextKind::kPath, "f"), "\x87\x40\xfa\x40\x81\x60");
}

TEST(ToCp932, FreeTextTakesJisFormsPathsRefuseThem) {
  const struct {
    const char* text;
    const char* cp932;
  } forms[] = {{"〜", "\x81\x60"}, {"‖", "\x81\x61"}, {"−", "\x81\x7c"}, {"¢", "\x81\x91"},
               {"£", "\x81\x92"},  {"¬", "\x81\xca"}, {"—", "\x81\x5c"}};
  for (const auto& form : forms) {
    EXPECT_EQ(ToCp932(form.text, TextKind::kFree, "f"), form.cp932) << form.text;
    EXPECT_THROW(ToCp932(std::string("a") + form.text, TextKind::kPath, "f"), AppError)
        << form.text;
  }
}

TEST(ToCp932, RefusalNamesFileAndCharacter) {
  const struct {
    const char* text;
    TextKind kind;
    const char* message;
  } cases[] = {
      {"x〜y.jpg", TextKind::kPath, "ファイル list.txt に書けない文字があります: 「〜」(U+301C)"},
      {"¥100", TextKind::kFree, "ファイル list.txt に書けない文字があります: 「¥」(U+00A5)"},
      {"a‾", TextKind::kFree, "ファイル list.txt に書けない文字があります: 「‾」(U+203E)"},
      {"café", TextKind::kFree, "ファイル list.txt に書けない文字があります: 「é」(U+00E9)"},
      {"smile 😀", TextKind::kPath, "ファイル list.txt に書けない文字があります: 「😀」(U+1F600)"},
  };
  for (const auto& c : cases) {
    ExpectAppError([&] { ToCp932(c.text, c.kind, "list.txt"); }, c.message, c.text);
  }
}

// Names on the disk can hold any bytes; a refusal must still say which name and
// stay readable text itself.
TEST(ToCp932, TextThatIsNotUtf8IsRefusedNamingTheName) {
  const struct {
    std::string text, file, message;
  } cases[] = {
      {"/home/u/\xFF写真.jpg", "list.txt",
       "ファイル list.txt に書けない文字があります: 「\\xFF写真.jpg」は正しい文字列ではありません"},
      {"<A HREF=\"./a\xE6\x98.htm\" TARGET=\"main\">", "/o/src_files/a\xE6\x98.htm",
       "ファイル /o/src_files/a\\xE6\\x98.htm に書けない文字があります: 「a\\xE6\\x98.htm」は"
       "正しい文字列ではありません"},
      {"\x80", "f", "ファイル f に書けない文字があります: 「\\x80」は正しい文字列ではありません"},
      {"ok\tC:\\d\\\xC0\xAF", "f",
       "ファイル f に書けない文字があります: 「\\xC0\\xAF」は正しい文字列ではありません"},
  };
  for (const auto& c : cases) {
    for (TextKind kind : {TextKind::kPath, TextKind::kFree}) {
      try {
        ToCp932(c.text, kind, c.file);
        ADD_FAILURE() << c.message << " was written";
      } catch (const AppError& e) {
        EXPECT_EQ(e.what(), c.message);
        EXPECT_TRUE(IsValidUtf8(e.what()));
      }
    }
  }
}

TEST(ShownText, EscapesNulAndBytesThatAreNotUtf8) {
  const struct {
    std::string text, shown;
  } cases[] = {
      {"春の庭 a\\b", "春の庭 a\\b"},
      {std::string("26\0x", 4), "26\\x00x"},
      {"a\tb\nc\x1B[2J\x7F", "a\\x09b\\x0Ac\\x1B[2J\\x7F"},
      {"\xFF.jpg", "\\xFF.jpg"},
      {"\xE6\x98", "\\xE6\\x98"},           // cut short
      {"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // a surrogate
      {"\xF0\x9F\x98\x80", "😀"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownText(c.text), c.shown) << c.shown;
}

TEST(DecodeFileText, Utf8WhenValidOtherwiseCp932) {
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF春の庭"), "春の庭");
  EXPECT_EQ(DecodeFileText("春の庭"), "春の庭");
  EXPECT_EQ(DecodeFileText("\x8f\x74\x82\xcc\x92\xeb\r\n"), "春の庭\r\n");
  EXPECT_EQ(DecodeFileText("C:\\\x95\x5c\\a.jpg"), "C:\\表\\a.jpg");  // trail byte 0x5C
  // A byte CP932 does not define, then text that must survive.
  EXPECT_EQ(DecodeFileText("\xA0\x82\xa0x"), "\uFFFDあx");
  EXPECT_EQ(DecodeFileText("\x82"), "\uFFFD");
}

}  // namespace
}  // namespace montrelle
