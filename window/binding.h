// Event binding: which handler of QuizForm a control's event reaches.
#pragma once

#include "quiz/quiz_form.h"
#include "window/definition.h"

namespace quiz::ui {

// The window's load event: raised once, after every control exists and before any click.
void RaiseLoad(QuizForm& form);

// A click on a control of the definition. Returns false where no handler is bound to the
// control's click (frames, the label, the text box, the list).
bool RaiseClick(QuizForm& form, const Control& control);

// Whether a click on this control reaches a handler.
bool HasClickHandler(const Control& control);

}  // namespace quiz::ui
