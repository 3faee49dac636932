// Speaks results to screen readers: the result box is not where the keyboard focus is, so a
// change of its text would go unheard.
#pragma once

#include <QString>
#include <QWidget>

namespace quiz::ui::qt {

// Tells assistive technology the new text of the result box after a button changed it,
// leaving the keyboard focus where it is. window is the quiz's top-level window.
void AnnounceResult(QWidget* window, const QString& text);

}  // namespace quiz::ui::qt
