// Makes the widget of a control of the definition, one maker for each kind of control.
#pragma once

#include <QWidget>

#include "window/definition.h"

namespace quiz::ui::qt {

// One control's widget as the window builds it (font and palette come from its parent),
// with no click or key bound: the window binds them; a test compares what a control draws
// alone with what the window shows.
QWidget* CreateControlWidget(const Control& control, QWidget* parent);

}  // namespace quiz::ui::qt
