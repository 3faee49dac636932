// The keyboard as every back end must answer it: runs of keys from a fresh window, each key
// with the focus, the selected buttons, the controller's choices and the result box after
// it. Controls are named as the definition names them.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "tests/scenarios/window_driver.h"

namespace quiz::testing {

struct KeyStep {
  Key key;
  std::string_view focus;        // the focused control after the key
  std::string_view person;       // the selected person button, "" for none
  std::string_view achievement;  // the selected achievement button, "" for none
  int chosen_person, chosen_achievement;
  // The result box: "statement", "wrong", "clear", or "right N" for row N's answer.
  std::string_view result;
};

struct KeyRun {
  std::string_view name;
  std::span<const KeyStep> steps;
};

// From the top of each column down, persons: 4 5 3 6 8 1 7 2 0; achievements: 4 5 2 1 8 3
// 7 6 0.
inline constexpr std::string_view kStartFocus = "Text1(0)";

inline constexpr KeyStep kTabCycle[] = {
    {Key::Tab, "Option1(4)", "", "", -5, -15, "statement"},
    {Key::Tab, "Option2(4)", "", "", -5, -15, "statement"},
    {Key::Tab, "Command1(0)", "", "", -5, -15, "statement"},
    {Key::Tab, "Command1(1)", "", "", -5, -15, "statement"},
    {Key::Tab, "Text1(0)", "", "", -5, -15, "statement"},
    {Key::ShiftTab, "Command1(1)", "", "", -5, -15, "statement"},
    {Key::ShiftTab, "Command1(0)", "", "", -5, -15, "statement"},
    {Key::ShiftTab, "Option2(4)", "", "", -5, -15, "statement"},
    {Key::ShiftTab, "Option1(4)", "", "", -5, -15, "statement"},
    {Key::ShiftTab, "Text1(0)", "", "", -5, -15, "statement"},
};

inline constexpr KeyStep kArrowsInScreenOrder[] = {
    {Key::Tab, "Option1(4)", "", "", -5, -15, "statement"},
    {Key::Down, "Option1(5)", "Option1(5)", "", 5, -15, "statement"},
    {Key::Down, "Option1(3)", "Option1(3)", "", 3, -15, "statement"},
    {Key::Right, "Option1(6)", "Option1(6)", "", 6, -15, "statement"},
    {Key::Left, "Option1(3)", "Option1(3)", "", 3, -15, "statement"},
    {Key::Up, "Option1(5)", "Option1(5)", "", 5, -15, "statement"},
    {Key::Up, "Option1(4)", "Option1(4)", "", 4, -15, "statement"},
    // The top button wraps to the bottom one and back.
    {Key::Up, "Option1(0)", "Option1(0)", "", 0, -15, "statement"},
    {Key::Down, "Option1(4)", "Option1(4)", "", 4, -15, "statement"},
    // A chosen person whose tab index lies after the achievements' still leads to them.
    {Key::Tab, "Option2(4)", "Option1(4)", "", 4, -15, "statement"},
    {Key::Up, "Option2(0)", "Option1(4)", "Option2(0)", 4, 0, "statement"},
    {Key::Up, "Option2(6)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    {Key::Tab, "Command1(0)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    // Back into each group at its chosen button.
    {Key::ShiftTab, "Option2(6)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    {Key::ShiftTab, "Option1(4)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
    {Key::ShiftTab, "Text1(0)", "Option1(4)", "Option2(6)", 4, 6, "statement"},
};

inline constexpr KeyStep kGroupsKeepTheirOwnStops[] = {
    {Key::Tab, "Option1(4)", "", "", -5, -15, "statement"},
    {Key::Down, "Option1(5)", "Option1(5)", "", 5, -15, "statement"},
    {Key::Tab, "Option2(4)", "Option1(5)", "", 5, -15, "statement"},
    {Key::Down, "Option2(5)", "Option1(5)", "Option2(5)", 5, 5, "statement"},
    {Key::Down, "Option2(2)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    // From "Mark I" with "Джон Атанасов" chosen, Shift+Tab reaches the persons.
    {Key::ShiftTab, "Option1(5)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    {Key::Tab, "Option2(2)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    {Key::Tab, "Command1(0)", "Option1(5)", "Option2(2)", 5, 2, "statement"},
    {Key::Space, "Command1(0)", "Option1(5)", "Option2(2)", 5, 2, "wrong"},
};

inline constexpr KeyStep kCommandsAndResultBox[] = {
    {Key::Tab, "Option1(4)", "", "", -5, -15, "statement"},
    // Space chooses the focused button of a group reached by Tab.
    {Key::Space, "Option1(4)", "Option1(4)", "", 4, -15, "statement"},
    {Key::Tab, "Option2(4)", "Option1(4)", "", 4, -15, "statement"},
    {Key::Space, "Option2(4)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    {Key::Tab, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    // Arrows on a command button change no choice and keep the focus.
    {Key::Up, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    {Key::Left, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    {Key::Down, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    {Key::Right, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "statement"},
    {Key::Enter, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {Key::Space, "Command1(0)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {Key::Tab, "Command1(1)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {Key::Up, "Command1(1)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {Key::Down, "Command1(1)", "Option1(4)", "Option2(4)", 4, 4, "right 4"},
    {Key::Enter, "Command1(1)", "", "", -5, -15, "clear"},
    {Key::ShiftTab, "Command1(0)", "", "", -5, -15, "clear"},
    {Key::Space, "Command1(0)", "", "", -5, -15, "wrong"},
    {Key::Tab, "Command1(1)", "", "", -5, -15, "wrong"},
    {Key::Space, "Command1(1)", "", "", -5, -15, "clear"},
    // The result box takes no command: arrows, Enter and Esc leave everything as it is.
    {Key::Tab, "Text1(0)", "", "", -5, -15, "clear"},
    {Key::Down, "Text1(0)", "", "", -5, -15, "clear"},
    {Key::Up, "Text1(0)", "", "", -5, -15, "clear"},
    {Key::Enter, "Text1(0)", "", "", -5, -15, "clear"},
    {Key::Escape, "Text1(0)", "", "", -5, -15, "clear"},
    // After clearing, Tab reaches each group at its top button again and chooses nothing.
    {Key::Tab, "Option1(4)", "", "", -5, -15, "clear"},
    {Key::Tab, "Option2(4)", "", "", -5, -15, "clear"},
};

inline constexpr std::array<KeyRun, 4> kKeyRuns{{
    {"TabCycle", kTabCycle},
    {"ArrowsInScreenOrder", kArrowsInScreenOrder},
    {"GroupsKeepTheirOwnStops", kGroupsKeepTheirOwnStops},
    {"CommandsAndResultBox", kCommandsAndResultBox},
}};

}  // namespace quiz::testing
