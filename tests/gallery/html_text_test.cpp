#include "gallery/html_text.h"

#include <gtest/gtest.h>

namespace montrelle {
namespace {

TEST(HtmlText, EscapesMarkupAndPercentEncodesLinksAsUtf8) {
  EXPECT_EQ(HtmlEscaped("<森> & \"川\" 'x'"), "&lt;森&gt; &amp; &quot;川&quot; &#39;x&#39;");
  EXPECT_EQ(HtmlEscaped("plain 旅"), "plain 旅");

  const struct {
    const char* path;
    const char* link;
  } cases[] = {
      {"Az09-._~/x.jpg", "Az09-._~/x.jpg"},
      {"a b#c?d%e&f\"g'h\\i.jpg", "a%20b%23c%3Fd%25e%26f%22g%27h%5Ci.jpg"},
      {"森 1.JPG", "%E6%A3%AE%201.JPG"},
      {"\x7f+:;=@", "%7F%2B%3A%3B%3D%40"},
  };
  for (const auto& c : cases) EXPECT_EQ(PercentEncoded(c.path), c.link) << c.path;
}

}  // namespace
}  // namespace montrelle
