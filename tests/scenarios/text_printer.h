// Readable failure messages: UTF-16 text as UTF-8 (ToUtf8), which GoogleTest prints, and
// controls by their names.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "window/definition.h"
#include "window/utf8.h"

namespace quiz::testing {

using ui::ToUtf8;

// A control as the definition names it: "Option1(3)", "List1".
inline std::string ControlLabel(const ui::Control& c) {
  std::string s(c.name.begin(), c.name.end());  // names are ASCII
  if (c.index != ui::kNoIndex) s += "(" + std::to_string(c.index) + ")";
  return s;
}

inline std::string Label(const ui::Control* c) { return c != nullptr ? ControlLabel(*c) : "none"; }

// The control a label names, nullptr where the definition has none.
inline const ui::Control* ControlNamed(std::string_view label) {
  for (const ui::Control& c : ui::Controls()) {
    if (ControlLabel(c) == label) return &c;
  }
  return nullptr;
}

}  // namespace quiz::testing
