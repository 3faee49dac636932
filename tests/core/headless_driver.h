// The scenario and window drivers for the in-memory window. It has no screen, so the
// window checks that need one are skipped; its keys go straight to the keyboard model.
#pragma once

#include "tests/scenarios/window_driver.h"
#include "window/headless/headless_window.h"

namespace quiz::testing {

class HeadlessDriver : public WindowDriver {
 public:
  void ClickPerson(int i) override { Click(ui::PersonButton(Index(i))); }
  void ClickAchievement(int i) override { Click(ui::AchievementButton(Index(i))); }
  void ClickCommand(int i) override { Click(ui::CommandButton(Index(i))); }
  std::u16string ResultText() override { return window_.Text(*ui::ResultBox()); }
  bool PersonSelected(int i) override { return Selected(ui::PersonButton(Index(i))); }
  bool AchievementSelected(int i) override { return Selected(ui::AchievementButton(Index(i))); }
  std::optional<std::pair<int, int>> Choices() override {
    return std::pair<int, int>{window_.form().person(), window_.form().achievement()};
  }

  bool HasLayout() override { return false; }
  int Dpi() override { return 96; }
  std::optional<std::pair<int, int>> ClientSize() override { return std::nullopt; }
  std::optional<bool> FixedSize() override { return std::nullopt; }
  std::optional<ui::PixelRect> Rectangle(const ui::Control&) override { return std::nullopt; }
  const ui::Control* LiveParent(const ui::Control& c) override { return ui::ParentOf(c); }
  bool Visible(const ui::Control& c) override { return c.visible; }
  std::optional<std::uint32_t> DrawnColor(const ui::Control*) override { return std::nullopt; }
  std::optional<bool> DrawnAbove(const ui::Control&, const ui::Control&) override {
    return std::nullopt;
  }
  std::optional<std::string> CaptionDefect(const ui::Control&) override { return std::nullopt; }
  std::optional<bool> FocusVisible() override { return std::nullopt; }
  const ui::Control* Focused() override { return window_.focus(); }
  bool Selected(const ui::Control& option) override { return window_.IsSelected(option); }

  void Press(ui::KeyPress key) override { window_.Press(key); }

 protected:
  void Click(const ui::Control* c) {
    if (c != nullptr) window_.Click(*c);
  }
  bool Selected(const ui::Control* c) { return c != nullptr && window_.IsSelected(*c); }

  ui::headless::HeadlessWindow window_;
};

}  // namespace quiz::testing
