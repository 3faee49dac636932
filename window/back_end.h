// What a back end offers for the controls it built from the window definition. Every
// operation is keyed by the definition's entry; an entry the back end did not build, or of
// a kind the operation does not apply to, is ignored (or answers nothing).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "window/definition.h"

namespace quiz::ui {

class BackEnd {
 public:
  virtual ~BackEnd() = default;
  // Selection of an option button. Set by the program, it raises no click.
  virtual void SetSelected(const Control& option, bool selected) = 0;
  // The whole text of a text box, exactly as last written.
  virtual std::u16string Text(const Control& box) const = 0;
  virtual void SetText(const Control& box, std::u16string_view text) = 0;
  // Item of a list box by number.
  virtual std::optional<std::u16string> Item(const Control& list, std::int16_t index) const = 0;
  // A click's handler has finished and changed this text box: tell assistive technology,
  // with the new text, as the box's live setting asks, leaving the focus where it is.
  virtual void Announce(const Control& box) { (void)box; }
};

}  // namespace quiz::ui
