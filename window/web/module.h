// The module's flat interface to the page: the form record and the control table as the
// page needs them to build the window, the load and click events in. Texts are UTF-16 in
// the module's memory, given as an address and a length in code units. Positions are
// indexes into Controls(); a position or number out of range answers -1 or an empty text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "window/web/web_back_end.h"

namespace quiz::ui::web {

// Where the window's operations go; in the browser, the page's imports.
void UsePage(const PageCalls& page);

// The texts the page asks for by number.
enum class TextField : std::uint32_t { Caption, Name, AccessibleName, FormCaption, FontFace };

// Control flags, as bits.
inline constexpr std::uint32_t kVisible = 1, kGraphical = 2, kMultiLine = 4, kVerticalScroll = 8,
                               kReadOnly = 16;

}  // namespace quiz::ui::web

extern "C" {

// The form, in CSS pixels (15 twips each) and 0x00BBGGRR colours.
std::int32_t quiz_form_width();
std::int32_t quiz_form_height();
std::uint32_t quiz_form_color();
std::int32_t quiz_font_points();
std::int32_t quiz_font_weight();

// Texts: address and length of text `field` of the control at `position` (ignored for the
// form's own texts).
const char16_t* quiz_text(std::uint32_t field, std::size_t position);
std::size_t quiz_text_length(std::uint32_t field, std::size_t position);

// The control table.
std::size_t quiz_control_count();
std::int32_t quiz_control_kind(std::size_t position);
std::int32_t quiz_control_index(std::size_t position);   // control-array index, or -1
std::int32_t quiz_control_parent(std::size_t position);  // the frame's position, or -1
std::int32_t quiz_control_left(std::size_t position);    // CSS pixels, from the parent
std::int32_t quiz_control_top(std::size_t position);
std::int32_t quiz_control_width(std::size_t position);
std::int32_t quiz_control_height(std::size_t position);
std::uint32_t quiz_control_color(std::size_t position);     // 0x00BBGGRR, or ~0: the system's
std::int32_t quiz_control_alignment(std::size_t position);  // 0 left, 1 right, 2 centre
std::uint32_t quiz_control_flags(std::size_t position);     // kVisible, kGraphical, ...
std::int32_t quiz_control_layer(std::size_t position);      // stacking rank of an option

// The order the page creates controls in: the form's visible controls by tab index, each
// frame's option buttons from top to bottom on screen, so that the browser's own order of
// reading and of arrow keys is the window's.
std::size_t quiz_page_order_count();
std::int32_t quiz_page_order(std::size_t n);
// The stops of Tab in order; a frame stands for its group.
std::size_t quiz_tab_stop_count();
std::int32_t quiz_tab_stop(std::size_t n);

// Events: the window's load (once; later calls do nothing) and a user's click on a
// control, after the page has updated its selection. Each returns 1 where it reached a
// handler.
std::int32_t quiz_load();
std::int32_t quiz_click(std::size_t position);
// The controller's two remembered choices, for tests; nothing chosen before the load.
std::int32_t quiz_chosen_person();
std::int32_t quiz_chosen_achievement();
}
