// What the window must be, as literals, each written once (the browser and AT-SPI tests read
// them from the JSON that dump_scenarios writes). Controls are named as in "Option1(4)".
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "window/definition.h"

namespace quiz::testing {

// The client area in device pixels; a toolkit's scale s lays out at 96 * s DPI.
struct ClientSize {
  int dpi, width, height;
};
inline constexpr ClientSize kClientSizes[] = {
    {96, 494, 382}, {120, 618, 478}, {144, 741, 573}, {192, 988, 764}};

// The six colours as RGB: "" is the form, a name without an index every button of the array.
struct Colour {
  std::string_view control;
  std::uint8_t red, green, blue;
};
inline constexpr Colour kColours[] = {
    {"", 192, 192, 255},
    {"Label1(0)", 255, 192, 128},
    {"Frame1(0)", 192, 192, 255},
    {"Frame1(1)", 192, 192, 255},
    {"Option1", 192, 255, 255},
    {"Option2", 255, 192, 255},
    {"Command1(0)", 128, 255, 128},
    {"Command1(1)", 255, 128, 128},
};

// The colour of a control, by the name kColours gives it.
constexpr const Colour& ColourOf(std::string_view control) {
  for (const Colour& c : kColours) {
    if (c.control == control) return c;
  }
  return kColours[0];
}

// Every control in screen order (a group's buttons top to bottom after the group): the role
// and name assistive technology gives it, its parent ("" for the form) and its rectangle in
// twips in the parent's client area. The name is the caption, the result box's its
// accessible name. The hidden list has no role: it is never shown.
struct Placed {
  std::string_view role, control, name, parent;
  int left, top, width, height;
};
inline constexpr Placed kWindow[] = {
    {"label", "Label1(0)", "Пионери на изчислителната техника", "", 1200, 0, 5055, 375},
    {"panel", "Frame1(0)", "Учени", "", 120, 480, 2295, 2655},
    {"radio button", "Option1(4)", "Алън Тюринг", "Frame1(0)", 120, 360, 2055, 285},
    {"radio button", "Option1(5)", "Джон Атанасов", "Frame1(0)", 120, 600, 2055, 285},
    {"radio button", "Option1(3)", "Джордж Стибиц", "Frame1(0)", 120, 840, 2055, 285},
    {"radio button", "Option1(6)", "Жозеф Жакард", "Frame1(0)", 120, 1080, 2055, 285},
    {"radio button", "Option1(8)", "Клод Шанън", "Frame1(0)", 120, 1320, 2055, 285},
    {"radio button", "Option1(1)", "Конрад Цузе", "Frame1(0)", 120, 1560, 2055, 285},
    {"radio button", "Option1(7)", "Преспър Екърт", "Frame1(0)", 120, 1800, 2055, 285},
    {"radio button", "Option1(2)", "Хауърд Айкън", "Frame1(0)", 120, 2040, 2055, 285},
    {"radio button", "Option1(0)", "Херман Холерит", "Frame1(0)", 120, 2280, 2055, 285},
    {"panel", "Frame1(1)", "Значимо постижение", "", 2520, 480, 4695, 2655},
    {"radio button", "Option2(4)", "\"Bombe\" , \"Colossus\", код Енигма", "Frame1(1)", 120, 360,
     4455, 285},
    {"radio button", "Option2(5)", "ABC, вакуумни лампи", "Frame1(1)", 120, 600, 4455, 285},
    {"radio button", "Option2(2)", "Mark I", "Frame1(1)", 120, 840, 4455, 285},
    {"radio button", "Option2(1)", "Z1 - електромагнитни релета", "Frame1(1)", 120, 1080, 4455,
     285},
    {"radio button", "Option2(8)", "булева логика чрез релета", "Frame1(1)", 120, 1320, 4455, 285},
    {"radio button", "Option2(3)", "двоичен суматор; телетайп; Bell I", "Frame1(1)", 120, 1560,
     4455, 285},
    {"radio button", "Option2(7)", "електронен цифров компютър – ENIAC", "Frame1(1)", 120, 1800,
     4455, 285},
    {"radio button", "Option2(6)", "перфокарти", "Frame1(1)", 120, 2040, 4455, 285},
    {"radio button", "Option2(0)", "преброяване на населението в САЩ", "Frame1(1)", 120, 2280, 4455,
     285},
    {"push button", "Command1(0)", "Изведи", "", 840, 3240, 1575, 285},
    {"push button", "Command1(1)", "Чисти", "", 4320, 3240, 1575, 285},
    {"text", "Text1(0)", "Резултат", "", 120, 3600, 7095, 2055},
    {"", "List1", "", "", 6000, 3600, 735, 2625},
};

// Where a control lies at a DPI, in device pixels in its parent's client area.
constexpr ui::PixelRect PixelsAt(const Placed& p, int dpi) {
  return {ui::TwipsToPixels(p.left, dpi), ui::TwipsToPixels(p.top, dpi),
          ui::TwipsToPixels(p.width, dpi), ui::TwipsToPixels(p.height, dpi)};
}

// The title the window shows over its groups.
inline constexpr std::string_view kTitle = kWindow[0].name;

// Neighbouring option buttons overlap by a few pixels: each button and the one below it in
// its group, the upper first. The strip belongs to the upper one.
inline std::vector<std::pair<std::string_view, std::string_view>> OverlappingPairs() {
  std::vector<std::pair<std::string_view, std::string_view>> pairs;
  for (std::size_t i = 1; i < std::size(kWindow); ++i) {
    const Placed& upper = kWindow[i - 1];
    const Placed& lower = kWindow[i];
    if (lower.role == "radio button" && upper.parent == lower.parent) {
      pairs.emplace_back(upper.control, lower.control);
    }
  }
  return pairs;
}

}  // namespace quiz::testing
