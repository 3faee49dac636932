// Text as UTF-8 and as JSON strings, the one way the program and its tests write them. A
// lone surrogate in the UTF-16 text becomes U+FFFD, the replacement character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quiz::ui {

// UTF-16 text appended as UTF-8.
inline void AppendUtf8(std::string& out, std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(text[++i]) - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    // The lead byte, then six bits a byte from the top.
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    out += static_cast<char>(((0xF0E0C000u >> (8 * tail)) & 0xFF) | (c >> (6 * tail)));
    for (int k = tail - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
  }
}

inline std::string ToUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf8(out, text);
  return out;
}

// UTF-8 text appended as a JSON string: quotes, backslashes and control characters escaped,
// by hand (the page's module has no stdio).
inline void AppendJson(std::string& out, std::string_view utf8) {
  out += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') out += '\\';
    if (byte < 0x20) {
      out += "\\u00";
      out += "0123456789abcdef"[byte >> 4];
      out += "0123456789abcdef"[byte & 15];
    } else {
      out += c;
    }
  }
  out += '"';
}

inline void AppendJson(std::string& out, std::u16string_view text) {
  AppendJson(out, std::string_view(ToUtf8(text)));
}

inline std::string ToJson(std::string_view utf8) {
  std::string out;
  AppendJson(out, utf8);
  return out;
}

}  // namespace quiz::ui
