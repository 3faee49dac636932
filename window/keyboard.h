// The keyboard as the window answers it, the same on every back end: which key moves the
// focus where, which one chooses or presses a button, and which ones are not the window's
// to take (the system's window switching, the browser's tab switching, the text box's own
// scrolling). A back end turns its platform's key into a KeyPress, asks AnswerKey and
// carries out the outcome.
//
// Every type is a small integer or a plain struct, so that a module with a flat C interface
// can pass a key in as two numbers and an outcome out as two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "window/definition.h"

namespace quiz::ui {

// The keys the window may take. Other is any other key: never the window's.
enum class Key : std::uint8_t { Tab, Up, Down, Left, Right, Space, Enter, Escape, Other };
// How many keys there are, Other the last: the size of every array indexed by a Key.
inline constexpr std::size_t kKeyCount = static_cast<std::size_t>(Key::Other) + 1;

// Modifier keys held down with a key, as bits of KeyPress::modifiers.
inline constexpr std::uint8_t kShift = 1, kCtrl = 2, kAlt = 4, kMeta = 8;

struct KeyPress {
  Key key = Key::Other;
  std::uint8_t modifiers = 0;
  friend constexpr bool operator==(const KeyPress&, const KeyPress&) = default;
};

// What a key does in the window.
enum class KeyAction : std::uint8_t {
  Pass,    // not the window's: the focused text box's own handling, or the system's or the
           // browser's (Ctrl+Tab, Alt+Tab); the window itself changes nothing
  Ignore,  // the window's, and it does nothing (an arrow on a command button)
  Focus,   // the focus moves to target
  Choose,  // the focus moves to target, an option button, which is clicked and so chosen
  Press,   // target, the focused button, is clicked
};

struct KeyOutcome {
  KeyAction action = KeyAction::Pass;
  const Control* target = nullptr;  // for Focus, Choose and Press
  friend constexpr bool operator==(const KeyOutcome&, const KeyOutcome&) = default;
};

// Whether an option button is selected, as the back end shows it.
using IsSelected = std::function<bool(const Control&)>;

// What a key does with the focus on a control (nullptr: on none of the window's):
// - Tab and Shift+Tab run round the tab stops (NextTabStop); with Ctrl, Alt or Meta they
//   are the system's.
// - The arrows on an option button choose its neighbour on screen (OptionOnScreen): Down
//   and Right the one below, Up and Left the one above; on a command button they do
//   nothing; with Ctrl, Alt or Meta, or on any other control, they are not the window's.
// - Space presses the focused option or command button, Enter the focused command button.
// - Escape and every other key are not the window's.
KeyOutcome AnswerKey(const Control* focus, KeyPress press, const IsSelected& is_selected);

// Where Tab (step 1) or Shift+Tab (step -1) moves the focus from a control (nullptr: from
// nothing, so to the first or the last stop): the next tab stop, a group being entered at
// its selected button or, with none selected, at its top one.
const Control* NextTabStop(const Control* from, int step, const IsSelected& is_selected);

// The control that has the focus when the window opens: the first tab stop.
const Control* FirstFocus(const IsSelected& is_selected);

// The option button an arrow key moves to from an option button: step 1 is the one below
// on screen, -1 the one above, wrapping around at either end of the group.
const Control* OptionOnScreen(const Control& from, int step);

}  // namespace quiz::ui
