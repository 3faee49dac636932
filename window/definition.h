// The window definition: one declarative table of the form and its controls, with the quiz
// content inside it. Every back end builds its window by walking this table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace quiz::ui {

enum class Kind : std::uint8_t { Label, Frame, OptionButton, CommandButton, TextBox, ListBox };
enum class Alignment : std::uint8_t { Left, Right, Center };
// How assistive technology hears of a new text in a box the user is not in: not at all,
// once it has finished speaking (polite), or at once, interrupting it (assertive).
enum class LiveSetting : std::uint8_t { Off, Polite, Assertive };

inline constexpr std::int16_t kNoIndex = -1;        // a control outside any control array
inline constexpr std::uint32_t kSystemColor = ~0u;  // the system's default colour

// Colours as stored: 0x00BBGGRR.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}
constexpr std::uint32_t Red(std::uint32_t c) { return c & 0xFF; }
constexpr std::uint32_t Green(std::uint32_t c) { return (c >> 8) & 0xFF; }
constexpr std::uint32_t Blue(std::uint32_t c) { return (c >> 16) & 0xFF; }

// The ink of text and marks drawn on a colour of the definition, whatever the system's
// scheme: black on a light colour, white on a dark one (by the colour's luma); the system's
// own text colour on the system's colour.
constexpr std::uint32_t InkOn(std::uint32_t color) {
  if (color == kSystemColor) return kSystemColor;
  const std::uint32_t luma = 299 * Red(color) + 587 * Green(color) + 114 * Blue(color);
  return luma >= 128 * 1000 ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
}

// A control named as the definition names it: its name and control-array index.
struct ControlRef {
  std::u16string_view name;
  std::int16_t index = kNoIndex;
  friend constexpr bool operator==(const ControlRef&, const ControlRef&) = default;
};

// The form's client area as a parent.
inline constexpr ControlRef kForm{};

struct Control {
  Kind kind;
  std::u16string_view name;
  std::int16_t index = kNoIndex;                 // control-array index, or kNoIndex
  ControlRef parent = kForm;                     // the containing frame, or the form
  int left = 0, top = 0, width = 0, height = 0;  // twips, relative to the parent's client area
  std::uint32_t back_color = kSystemColor;       // 0x00BBGGRR or kSystemColor
  int tab_index = 0;
  std::u16string_view caption = {};  // caption, or the initial text of a text box
  bool visible = true;
  Alignment alignment = Alignment::Left;  // for option buttons: Right puts the indicator right
  bool graphical = false;                 // command button drawn in its background colour
  bool multi_line = false;
  bool vertical_scroll = false;
  bool read_only = false;
  bool sorted = false;
  std::span<const std::u16string_view> items = {};  // list box items
  std::u16string_view accessible_name = {};         // what assistive technology calls a control
                                                    // without a caption of its own
  LiveSetting live = LiveSetting::Off;              // of a text box the program writes

  constexpr ControlRef ref() const { return {name, index}; }
};

// The boxes the user reads, the result box and the list, take the system's colours for text
// fields, not the definition's, in every scheme; every other control the definition's.
constexpr bool TakesSystemColors(const Control& c) {
  return c.kind == Kind::TextBox || c.kind == Kind::ListBox;
}

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
const Control* Find(ControlRef ref);
inline const Control* Find(std::u16string_view name, std::int16_t index) {
  return Find(ControlRef{name, index});
}
// Position of a control in Controls(), or nothing for a control from elsewhere.
std::optional<std::size_t> PositionOf(const Control& control);
// The frame that contains a control, or nullptr where its parent is the form.
const Control* ParentOf(const Control& control);

// The controls by the role they play for the controller; nullptr where the window lacks one.
const Control* PersonButton(std::int16_t row);
const Control* AchievementButton(std::int16_t row);
const Control* CommandButton(std::int16_t index);  // 0 shows the result, 1 clears
const Control* ResultBox();
const Control* BiographyList();

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
