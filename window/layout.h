// What every back end derives from the window definition in the same way: the tab stops,
// the order of option buttons on screen and the stacking of overlapping buttons.
#pragma once

#include <vector>

#include "window/definition.h"

namespace quiz::ui {

// The children of a frame (nullptr: of the form), by tab index.
std::vector<const Control*> ChildrenInTabOrder(const Control* parent);

// The stops of Tab on the form, by tab index: each control that takes the focus, and each
// frame that holds option buttons, which stands for its group as one stop.
std::vector<const Control*> TabStops();

// The option buttons of a frame from top to bottom on screen.
std::vector<const Control*> OptionsOnScreen(const Control& frame);

// An option button's place in its frame on screen, 1 at the top (how the printed worksheet
// and a learning platform's record number the persons and letter the achievements); 0 for
// a button in no frame.
int PlaceOnScreen(const Control& option);

// Where two option buttons of a frame overlap (they are taller than the rows they stand
// on), the upper one lies above: the shared strip is the top of the lower button, where no
// caption ink is. True when upper covers part of lower.
bool LiesAbove(const Control& upper, const Control& lower);

// Every option button, bottom of the stack first: raising them in this order, or placing
// each above the one before, leaves each button above the one below it.
std::vector<const Control*> OptionsInStackingOrder();

}  // namespace quiz::ui
