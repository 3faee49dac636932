// Readable failure messages: UTF-16 text as UTF-8, which GoogleTest prints, and controls by
// their names.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "window/definition.h"

namespace quiz::testing {

inline std::string ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    // The lead byte, then six bits a byte from the top.
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += static_cast<char>(((0xF0E0C000u >> (8 * tail)) & 0xFF) | (c >> (6 * tail)));
    for (int k = tail - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
  return out;
}

// A control as the definition names it: "Option1(3)", "List1".
inline std::string ControlLabel(const ui::Control& c) {
  std::string s(c.name.begin(), c.name.end());  // names are ASCII
  if (c.index != ui::kNoIndex) s += "(" + std::to_string(c.index) + ")";
  return s;
}

// The control a label names, nullptr where the definition has none.
inline const ui::Control* ControlNamed(std::string_view label) {
  for (const ui::Control& c : ui::Controls()) {
    if (ControlLabel(c) == label) return &c;
  }
  return nullptr;
}

}  // namespace quiz::testing
