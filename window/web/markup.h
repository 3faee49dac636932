// The window as the page shows it, written from the definition: its markup, which the build
// writes into both pages so that the first paint is the whole window, and the other texts
// the build needs (title, theme colour, when the window does not fit). All texts are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "window/definition.h"

namespace quiz::ui::web {

// The element of a control: its name, and its control-array index after an underscore.
std::string ElementId(const Control& control);
// A kind as the definition names it.
std::string_view KindName(Kind kind);

// UTF-16 text appended as UTF-8; UTF-16 or UTF-8 text appended as a JSON string.
void AppendUtf8(std::string& out, std::u16string_view text);
void AppendJson(std::string& out, std::u16string_view text);
void AppendJson(std::string& out, std::string_view utf8);

// The visible controls in screen order, the order of reading: the form's controls from top
// to bottom and, on one row, from left to right, each frame followed by its option buttons
// from top to bottom.
std::vector<const Control*> ScreenOrder();

// The window: one <main> holding every visible control in screen order, with the
// definition's rectangles in CSS pixels and its colours and font as style properties.
std::string WindowMarkup();

// The printed worksheet, hidden on screen: the title, the instruction, then each group under
// its caption with its buttons' captions in screen order, the persons numbered from 1 and
// each followed by a blank, the achievements lettered.
std::string WorksheetMarkup();

// Everything the build writes into the pages, as one JSON object: "title" (the form's
// caption), "colour" (the form's background, as #rrggbb), "window" (the markup above),
// "worksheet" (the worksheet's markup) and "reflow" (the media condition under which the
// defined window does not fit the viewport at the user's zoom and font size).
std::string PageTexts();

}  // namespace quiz::ui::web
