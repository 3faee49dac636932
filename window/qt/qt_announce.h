// Telling assistive technology that a result box has a new text, while the focus stays
// where it is.
#pragma once

#include <QString>
#include <QWidget>

namespace quiz::ui {

// The result box `box` now shows `text` (its whole text, line breaks as CR LF).
void AnnounceResult(QWidget* box, const QString& text);

}  // namespace quiz::ui
