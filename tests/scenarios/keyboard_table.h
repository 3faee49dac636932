// The keyboard as every back end must answer it: runs of keys from a fresh window, each key
// with the focus, selected buttons, choices and result box after it.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "quiz/quiz_form.h"
#include "window/keyboard.h"

namespace quiz::testing {

inline constexpr ui::KeyPress kTab{ui::Key::Tab}, kShiftTab{ui::Key::Tab, ui::kShift},
    kUp{ui::Key::Up}, kDown{ui::Key::Down}, kLeft{ui::Key::Left}, kRight{ui::Key::Right},
    kSpace{ui::Key::Space}, kEnter{ui::Key::Enter}, kEscape{ui::Key::Escape};
// Keys a window must leave alone: the system's window switching and the browser's tab
// switching, and the arrows held with Alt.
inline constexpr ui::KeyPress kCtrlTab{ui::Key::Tab, ui::kCtrl},
    kCtrlShiftTab{ui::Key::Tab, ui::kCtrl | ui::kShift}, kAltTab{ui::Key::Tab, ui::kAlt},
    kMetaTab{ui::Key::Tab, ui::kMeta}, kAltDown{ui::Key::Down, ui::kAlt},
    kAltUp{ui::Key::Up, ui::kAlt};

// A key's name, as WebDriver's key names have it, modifiers first: "ctrl_shift_tab".
inline std::string KeyName(ui::KeyPress press) {
  static constexpr std::string_view kKeys[] = {"tab",   "up",    "down",   "left", "right",
                                               "space", "enter", "escape", "other"};
  static_assert(std::size(kKeys) == ui::kKeyCount);
  std::string name;
  if (press.modifiers & ui::kCtrl) name += "ctrl_";
  if (press.modifiers & ui::kAlt) name += "alt_";
  if (press.modifiers & ui::kMeta) name += "meta_";
  if (press.modifiers & ui::kShift) name += "shift_";
  return name + std::string(kKeys[static_cast<std::size_t>(press.key)]);
}

struct KeyStep {
  ui::KeyPress key;
  std::string_view focus = {}, person = {}, achievement = {};  // "" for no selected button
  int chosen_person = 0, chosen_achievement = 0;
  std::string_view result = {};  // as ExpectedResult names it
};

// {key} alone: a key that changes nothing, the step before it again.
template <std::size_t N>
constexpr std::array<KeyStep, N> Run(const KeyStep (&written)[N]) {
  std::array<KeyStep, N> steps{};
  for (std::size_t i = 0; i < N; ++i) {
    steps[i] = i > 0 && written[i].focus.empty() ? steps[i - 1] : written[i];
    steps[i].key = written[i].key;
  }
  return steps;
}

struct KeyRun {
  std::string_view name;
  std::span<const KeyStep> steps;
};

// From the top of each column down, persons: 4 5 3 6 8 1 7 2 0; achievements: 4 5 2 1 8 3
// 7 6 0.
inline constexpr std::string_view kStartFocus = "Text1(0)";

inline constexpr KeyStep kTabCycle[] = {
    {kTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kTab, "Option2(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kTab, "Command1(0)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kTab, "Command1(1)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kTab, "Text1(0)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kShiftTab, "Command1(1)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kShiftTab, "Command1(0)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kShiftTab, "Option2(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kShiftTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kShiftTab, "Text1(0)", "", "", kNoPerson, kNoAchievement, "statement"},
};

inline constexpr KeyStep kArrowsInScreenOrder[] = {
    {kTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kDown, "Option1(5)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kDown, "Option1(3)", "Option1(3)", "", 3, kNoAchievement, "statement"},
    {kRight, "Option1(6)", "Option1(6)", "", 6, kNoAchievement, "statement"},
    {kLeft, "Option1(3)", "Option1(3)", "", 3, kNoAchievement, "statement"},
    {kUp, "Option1(5)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kUp, "Option1(4)", "Option1(4)", "", 4, kNoAchievement, "statement"},
    // The top button wraps to the bottom one and back.
    {kUp, "Option1(0)", "Option1(0)", "", 0, kNoAchievement, "statement"},
    {kDown, "Option1(4)", "Option1(4)", "", 4, kNoAchievement, "statement"},
    // A chosen person whose tab index lies after the achievements' still leads to them.
    {kTab, "Option2(4)", "Option1(4)", "", 4, kNoAchievement, "statement"},
    {kUp, "Option2(0)", "Option1(4)", "Option2(0)", 4, 0, "statement"},
    {kUp, "Option2(6)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    {kTab, "Command1(0)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    // Back into each group at its chosen button.
    {kShiftTab, "Option2(6)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    {kShiftTab, "Option1(4)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    {kShiftTab, "Text1(0)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
};

inline constexpr KeyStep kGroupsKeepTheirOwnStops[] = {
    {kTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kDown, "Option1(5)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kTab, "Option2(4)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kDown, "Option2(5)", "Option1(5)", "Option2(5)", 5, 5, "statement"},
    {kDown, "Option2(2)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    // From "Mark I" with "Джон Атанасов" chosen, Shift+Tab reaches the persons.
    {kShiftTab, "Option1(5)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    {kTab, "Option2(2)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    {kTab, "Command1(0)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    {kSpace, "Command1(0)", "Option1(5)", "Option2(2)", 5, 2, "wrong"},
};

// clang-format off
inline constexpr auto kCommandsAndResultBox = Run({
    {kTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    // Space chooses the focused button of a group reached by Tab.
    {kSpace, "Option1(4)", "Option1(4)", "", 4, kNoAchievement, "statement"},
    {kTab, "Option2(4)", "Option1(4)", "", 4, kNoAchievement, "statement"},
    {kSpace, "Option2(4)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    {kTab, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    // Arrows on a command button change no choice and keep the focus.
    {kUp}, {kLeft}, {kDown}, {kRight},
    {kEnter, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {kSpace},
    {kTab, "Command1(1)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {kUp}, {kDown},
    {kEnter, "Command1(1)", "", "", kNoPerson, kNoAchievement, "clear"},
    {kShiftTab, "Command1(0)", "", "", kNoPerson, kNoAchievement, "clear"},
    {kSpace, "Command1(0)", "", "", kNoPerson, kNoAchievement, "wrong"},
    {kTab, "Command1(1)", "", "", kNoPerson, kNoAchievement, "wrong"},
    {kSpace, "Command1(1)", "", "", kNoPerson, kNoAchievement, "clear"},
    // The result box takes no command: arrows, Enter and Esc leave everything as it is.
    {kTab, "Text1(0)", "", "", kNoPerson, kNoAchievement, "clear"},
    {kDown}, {kUp}, {kEnter}, {kEscape},
    // After clearing, Tab reaches each group at its top button again and chooses nothing.
    {kTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "clear"},
    {kTab, "Option2(4)", "", "", kNoPerson, kNoAchievement, "clear"},
});

// The system's and the browser's keys change nothing, wherever the focus is; the window's
// own keys still work between them.
inline constexpr auto kModifiedKeysAreLeftAlone = Run({
    {kTab, "Option1(4)", "", "", kNoPerson, kNoAchievement, "statement"},
    {kCtrlTab}, {kCtrlShiftTab}, {kAltTab}, {kMetaTab}, {kAltDown}, {kAltUp},
    {kDown, "Option1(5)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kCtrlTab}, {kAltUp},
    {kTab, "Option2(4)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kTab, "Command1(0)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kCtrlShiftTab}, {kMetaTab}, {kAltDown},
    {kTab, "Command1(1)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kTab, "Text1(0)", "Option1(5)", "", 5, kNoAchievement, "statement"},
    {kCtrlTab}, {kMetaTab}, {kAltTab},
    {kShiftTab, "Command1(1)", "Option1(5)", "", 5, kNoAchievement, "statement"},
});
// clang-format on

inline constexpr std::array<KeyRun, 5> kKeyRuns{{
    {"TabCycle", kTabCycle},
    {"ArrowsInScreenOrder", kArrowsInScreenOrder},
    {"GroupsKeepTheirOwnStops", kGroupsKeepTheirOwnStops},
    {"CommandsAndResultBox", kCommandsAndResultBox},
    {"ModifiedKeysAreLeftAlone", kModifiedKeysAreLeftAlone},
}};

}  // namespace quiz::testing
