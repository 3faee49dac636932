// The window definition: one declarative table of the form and its controls, with the quiz
// content inside it. Every back end builds its window by walking this table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quiz::ui {

enum class Kind : std::uint8_t { Label, Frame, OptionButton, CommandButton, TextBox, ListBox };
enum class Alignment : std::uint8_t { Left, Right, Center };

inline constexpr std::int16_t kNoIndex = -1;        // a control outside any control array
inline constexpr int kFormParent = -1;              // parent is the form's client area
inline constexpr std::uint32_t kSystemColor = ~0u;  // the system's default colour

// Colours as stored: 0x00BBGGRR.
constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned Red(std::uint32_t c) { return c & 0xFF; }
constexpr unsigned Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
constexpr unsigned Blue(std::uint32_t c) { return (c >> 16) & 0xFF; }

struct Control {
  Kind kind;
  std::u16string_view name;
  std::int16_t index;            // control-array index, or kNoIndex
  int parent;                    // position of the containing frame in Controls(), or kFormParent
  int left, top, width, height;  // twips, relative to the parent's client area
  std::uint32_t back_color;      // 0x00BBGGRR or kSystemColor
  int tab_index;
  std::u16string_view caption;  // caption, or the initial text of a text box
  bool visible = true;
  Alignment alignment = Alignment::Left;  // for option buttons: Right puts the indicator right
  bool graphical = false;                 // command button drawn in its background colour
  bool multi_line = false;
  bool vertical_scroll = false;
  bool read_only = false;
  bool sorted = false;
  std::span<const std::u16string_view> items = {};  // list box items
};

struct Font {
  std::u16string_view face;
  int points;
  int weight;
  int charset;
  bool bold, italic, underline, strikeout;
};

struct FormRecord {
  std::u16string_view name;
  int client_width, client_height;  // twips
  std::uint32_t back_color;
  Font font;
  std::u16string_view caption;
  bool fixed_single;  // no resizing, no minimize or maximize box
};

const FormRecord& Form();
std::span<const Control> Controls();

// The control with this name and index, or nullptr where the window has none.
const Control* Find(std::u16string_view name, std::int16_t index);
// Position of a control in Controls(), or -1 for a control from elsewhere.
int PositionOf(const Control& control);

// Twips to device pixels at a DPI, rounded to nearest (halves away from zero).
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long n = static_cast<long long>(twips) * dpi;
  return static_cast<int>(n >= 0 ? (n + 720) / 1440 : -((-n + 720) / 1440));
}

struct PixelRect {
  int x, y, width, height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A control's rectangle in pixels at a DPI, relative to its parent's client area.
constexpr PixelRect ToPixels(const Control& c, int dpi) {
  return {TwipsToPixels(c.left, dpi), TwipsToPixels(c.top, dpi), TwipsToPixels(c.width, dpi),
          TwipsToPixels(c.height, dpi)};
}

}  // namespace quiz::ui
