// Pieces of the pages the page tests expect, written out as the pages hold them.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace montrelle::testing {

// The body line of the default colours: white, aqua links, blue visited links.
inline const std::string kWhiteBody =
    "<body bgcolor=\"#FFFFFF\" text=\"#111111\" link=\"#00FFFF\" vlink=\"#0000FF\" "
    "alink=\"#00ffff\">";

// The line that declares every page's code page.
inline const std::string kCodePageMeta =
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">";

// The first eleven lines of an image, menu or table page: the head with its title,
// the body line and "<CENTER>".
inline std::vector<std::string> PageOpening(const std::string& title, const std::string& body) {
  return {"<HTML>",   "",        "<HEAD>", kCodePageMeta, "<TITLE>", title,
          "</TITLE>", "</HEAD>", "",       body,          "<CENTER>"};
}

// The parts one after the other.
inline std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const std::vector<std::string>& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace montrelle::testing
