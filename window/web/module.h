// The module's interface to the page script. The window's markup is already in the page
// (written by the build from the same definition); the script reads the table once, finds
// each control's element by id, and passes the load, the user's clicks and keys in. The
// module writes selections and texts back through the page's imports (PageCalls), keyed by
// the control's position in Controls().
#pragma once

#include <cstddef>
#include <cstdint>

#include "window/web/web_window.h"

namespace quiz::ui::web {

// Where the window's operations go; in the browser, the page's imports.
void UsePage(const PageCalls& page);

}  // namespace quiz::ui::web

extern "C" {

// The table, as UTF-8 JSON in the module's memory (address and length in bytes):
//   "controls": by position, each {"id", "kind" (the definition's name of it), "click"
//               (whether a click on it reaches a handler)};
//   "start":    the position that has the focus when the window opens;
//   "keys":     the names (KeyboardEvent.key) of the keys the window handles, and
//   "modifiers": the modifier names, bit by bit, that quiz_key takes.
const char* quiz_table();
std::size_t quiz_table_length();

// Events: the window's load (once; later calls do nothing) and a user's click on a
// control, after the page has updated its selection. Each returns 1 where it reached a
// handler.
std::int32_t quiz_load();
std::int32_t quiz_click(std::size_t position);
// A key pressed with the focus on the control at `focus` (-1: none): "keys"[key] with the
// "modifiers" bits held, carried out as the keyboard model says (a button chosen or
// pressed). Returns the position the focus is to be on after it, or -1 where the key is not
// the window's (the browser does with it what it does).
std::int32_t quiz_key(std::uint32_t key, std::uint32_t modifiers, std::int32_t focus);
// The controller's two remembered choices; nothing chosen before the load.
std::int32_t quiz_chosen_person();
std::int32_t quiz_chosen_achievement();

// The learning platform (Attempt): the page has found its API, is hidden, is left. The
// calls due, as JSON (address, then length in bytes), with the clock their times are taken
// from; the page carries them out in order and passes each result back: its UTF-8 bytes
// written to the buffer that quiz_platform_buffer makes for them, then quiz_platform_reply.
void quiz_platform_open();
void quiz_platform_hide();
void quiz_platform_leave();
const char* quiz_platform_calls(std::uint32_t time_of_day, std::uint32_t elapsed);
std::size_t quiz_platform_calls_length();
char* quiz_platform_buffer(std::size_t length);
void quiz_platform_reply(std::size_t length);
}
