// The colours the window's controls are drawn in: the definition's, with one brush per
// colour made once, or the system's where it asks for high contrast.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "window/definition.h"

namespace quiz::ui::win32 {

// Whether high contrast is asked for: by default the system is asked; the tests answer in
// its place where its setting cannot be switched (Wine keeps it off).
using HighContrastQuery = bool (*)();
bool SystemAsksForHighContrast();

class Palette {
 public:
  struct Colors {
    COLORREF text, back;
    HBRUSH brush;
  };

  explicit Palette(HighContrastQuery high_contrast) : asks_(high_contrast) {}
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;
  ~Palette();

  // Makes the brushes and asks the system about high contrast; false when a brush fails.
  bool Create();
  // Asks the system again after a change of its settings; true when the answer changed.
  bool Refresh();
  // The colours of a control (nullptr: the form).
  Colors Of(const Control* def) const;

 private:
  HBRUSH BrushFor(std::uint32_t color) const;

  HighContrastQuery asks_;
  bool high_contrast_ = false;
  std::vector<std::pair<std::uint32_t, HBRUSH>> brushes_;
};

}  // namespace quiz::ui::win32
