// WCAG's relative luminance and contrast ratio of two colours 0x..RRGGBB (a QRgb or a
// pixel read from a bitmap; the top byte is ignored).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quiz::testing {

inline double Luminance(std::uint32_t rgb) {
  const auto channel = [](std::uint32_t c) {
    const double v = static_cast<double>(c & 0xFF) / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(rgb >> 16) + 0.7152 * channel(rgb >> 8) + 0.0722 * channel(rgb);
}

// A colour as the definition stores it (0x00BBGGRR) as a pixel reads (0x00RRGGBB), and
// back: red and blue change places.
inline std::uint32_t PixelOf(std::uint32_t color) {
  return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

inline double Contrast(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace quiz::testing
