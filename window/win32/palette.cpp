#include "window/win32/palette.h"

#include "window/win32/win32_common.h"

namespace quiz::ui::win32 {

Palette::~Palette() {
  for (const auto& [color, brush] : brushes_) DeleteObject(brush);
}

bool Palette::Create() {
  high_contrast_ = asks_();
  std::vector<std::uint32_t> colors{Form().back_color};
  for (const Control& c : Controls()) colors.push_back(c.back_color);
  for (const std::uint32_t color : colors) {
    if (color == kSystemColor || BrushFor(color) != nullptr) continue;
    const HBRUSH brush = CreateSolidBrush(ToColorRef(color));
    if (brush == nullptr) return false;
    brushes_.emplace_back(color, brush);
  }
  return true;
}

bool Palette::Refresh() {
  const bool high = asks_();
  const bool changed = high != high_contrast_;
  high_contrast_ = high;
  return changed;
}

// The controls that take the system's colours get its text-field colours; the others the
// definition's background with the ink the definition gives for it, unless the system asks
// for high contrast: then they take the system's button colours, whose schemes keep every
// caption readable and every empty option button's circle empty.
Palette::Colors Palette::Of(const Control* def) const {
  const bool field = def != nullptr && TakesSystemColors(*def);
  const std::uint32_t color = def != nullptr ? def->back_color : Form().back_color;
  if (field || (color == kSystemColor && !high_contrast_)) {
    return {GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW),
            GetSysColorBrush(COLOR_WINDOW)};
  }
  const HBRUSH brush = BrushFor(color);
  if (high_contrast_ || brush == nullptr) {
    return {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE),
            GetSysColorBrush(COLOR_BTNFACE)};
  }
  return {ToColorRef(InkOn(color)), ToColorRef(color), brush};
}

HBRUSH Palette::BrushFor(std::uint32_t color) const {
  for (const auto& [c, brush] : brushes_) {
    if (c == color) return brush;
  }
  return nullptr;
}

bool SystemAsksForHighContrast() {
  HIGHCONTRASTW settings{};
  settings.cbSize = sizeof settings;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) != FALSE &&
         (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace quiz::ui::win32
