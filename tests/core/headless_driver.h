// The scenario and window drivers for the in-memory window. It has no screen, so the
// window checks that need one are skipped; its keys go straight to the keyboard model.
#pragma once

#include "tests/scenarios/window_driver.h"
#include "window/headless/headless_window.h"

namespace quiz::testing {

class HeadlessDriver : public WindowDriver {
 public:
  ui::BackEnd& back_end() override { return window_; }
  const QuizForm& form() override { return window_.form(); }
  void Click(const ui::Control& c) override { window_.Click(c); }

  bool HasLayout() override { return false; }
  const ui::Control* LiveParent(const ui::Control& c) override { return ui::ParentOf(c); }
  bool Visible(const ui::Control& c) override { return c.visible; }
  std::optional<int> Announcements() override { return window_.announcements(); }
  const ui::Control* Focused() override { return window_.focus(); }
  bool Selected(const ui::Control& option) override { return window_.IsSelected(option); }

  void Press(ui::KeyPress key) override { window_.Press(key); }

 protected:
  ui::headless::HeadlessWindow window_;
};

}  // namespace quiz::testing
