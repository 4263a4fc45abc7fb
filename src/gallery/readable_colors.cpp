#include "gallery/readable_colors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace montrelle {
namespace {

constexpr double kLeastContrast = 4.5;
// Lightness is tried in these steps, finer than one step of a colour value.
constexpr int kLightnessSteps = 2000;

using Rgb = std::array<int, 3>;

std::optional<Rgb> Parse(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  // For an unsigned value from_chars takes digits only: no sign, prefix or blank.
  std::uint32_t value = 0;
  const char* const last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data() + 1, last, value, 16);
  if (error != std::errc() || end != last) return std::nullopt;
  return Rgb{static_cast<int>(value >> 16), static_cast<int>(value >> 8 & 0xFF),
             static_cast<int>(value & 0xFF)};
}

std::string Text(const Rgb& rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
  return text;
}

double Luminance(const Rgb& rgb) {
  const double weights[] = {0.2126, 0.7152, 0.0722};
  double luminance = 0;
  for (int c = 0; c < 3; ++c) {
    const double v = rgb[c] / 255.0;
    luminance += weights[c] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
  }
  return luminance;
}

double Contrast(const Rgb& a, const Rgb& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Hsl {
  double hue = 0, saturation = 0, lightness = 0;  // hue in sixths of a turn
};

Hsl ToHsl(const Rgb& rgb) {
  const double r = rgb[0] / 255.0, g = rgb[1] / 255.0, b = rgb[2] / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b});
  Hsl hsl;
  hsl.lightness = (high + low) / 2;
  const double chroma = high - low;
  if (chroma == 0) return hsl;
  hsl.saturation = chroma / (1 - std::fabs(2 * hsl.lightness - 1));
  if (high == r) {
    hsl.hue = std::fmod((g - b) / chroma + 6, 6);
  } else if (high == g) {
    hsl.hue = (b - r) / chroma + 2;
  } else {
    hsl.hue = (r - g) / chroma + 4;
  }
  return hsl;
}

Rgb FromHsl(const Hsl& hsl) {
  const double chroma = (1 - std::fabs(2 * hsl.lightness - 1)) * hsl.saturation;
  const double x = chroma * (1 - std::fabs(std::fmod(hsl.hue, 2) - 1));
  const double m = hsl.lightness - chroma / 2;
  const int sector = static_cast<int>(hsl.hue) % 6;
  const double parts[6][3] = {{chroma, x, 0}, {x, chroma, 0}, {0, chroma, x},
                              {0, x, chroma}, {x, 0, chroma}, {chroma, 0, x}};
  Rgb rgb{};
  for (int c = 0; c < 3; ++c) {
    rgb[c] = std::clamp(static_cast<int>(std::lround((parts[sector][c] + m) * 255)), 0, 255);
  }
  return rgb;
}

}  // namespace

std::string ReadableColor(const std::string& color, const std::string& background) {
  const std::optional<Rgb> rgb = Parse(color), back = Parse(background);
  if (!rgb || !back) return color;
  if (Contrast(*rgb, *back) >= kLeastContrast) return color;
  Hsl hsl = ToHsl(*rgb);
  const double start = hsl.lightness;
  // Black and white are the ends of every hue, and one of them always reaches the
  // contrast (at least the square root of 21 against any background).
  for (int step = 1; step <= kLightnessSteps; ++step) {
    for (const int sign : {-1, 1}) {
      hsl.lightness =
          std::clamp(start + sign * static_cast<double>(step) / kLightnessSteps, 0.0, 1.0);
      const Rgb candidate = FromHsl(hsl);
      if (Contrast(candidate, *back) >= kLeastContrast) return Text(candidate);
    }
  }
  return Text(Luminance(*back) > 0.18 ? Rgb{0, 0, 0} : Rgb{255, 255, 255});
}

}  // namespace montrelle
