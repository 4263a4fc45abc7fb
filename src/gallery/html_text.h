// Text as it goes into the UTF-8 pages of the responsive layout, where nothing is
// taken verbatim: names and comments are escaped, links percent-encoded.
#pragma once

#include <string>
#include <string_view>

namespace montrelle {

// "&", "<", ">", "\"" and "'" as character references; everything else as it is.
// Safe in element text and in attribute values in double quotes.
std::string HtmlEscaped(std::string_view text);

// A relative link from UTF-8 text: each byte outside the letters, digits, "-", ".",
// "_", "~" and the separator "/" becomes "%XX" (upper-case digits), so a name
// with blanks, "#", "?", "%" or Japanese reaches the file it names from file:// and
// from any web server alike.
std::string PercentEncoded(std::string_view path);

}  // namespace montrelle
