#include "window/qt/control_factory.h"

#include <QLabel>

#include "window/qt/color_button.h"
#include "window/qt/list_box.h"
#include "window/qt/option_button.h"
#include "window/qt/qt_convert.h"
#include "window/qt/qt_style.h"
#include "window/qt/quiz_frame.h"
#include "window/qt/text_box.h"

namespace quiz::ui::qt {
namespace {

QWidget* MakeLabel(const Control& control, QWidget* parent) {
  auto* label = new QLabel(ToQString(control.caption), parent);
  label->setAlignment(ToQtAlignment(control.alignment));
  FillBackground(label, control.back_color);
  return label;
}

QWidget* MakeFrame(const Control& control, QWidget* parent) {
  auto* frame = new QuizFrame(ToQString(control.caption), parent);
  FillBackground(frame, control.back_color);
  return frame;
}

QWidget* MakeOptionButton(const Control& control, QWidget* parent) {
  auto* option = new OptionButton(ToQString(control.caption), parent);
  if (control.alignment == Alignment::Right) option->setLayoutDirection(Qt::RightToLeft);
  FillBackground(option, control.back_color);
  option->setAutoFillBackground(false);  // it fills itself, all but a shared strip
  return option;
}

QWidget* MakeCommandButton(const Control& control, QWidget* parent) {
  const QString caption = ToQString(control.caption);
  // Enter and Space press it through the window's keyboard filter.
  if (control.graphical && control.back_color != kSystemColor) {
    return new ColorButton(caption, control.back_color, parent);
  }
  return new QPushButton(caption, parent);
}

QWidget* MakeTextBox(const Control& control, QWidget* parent) {
  auto* box = new TextBox(parent);
  box->setLineWrapMode(control.multi_line ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  box->setVerticalScrollBarPolicy(control.vertical_scroll ? Qt::ScrollBarAlwaysOn
                                                          : Qt::ScrollBarAlwaysOff);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  if (control.read_only) {
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  box->setFocusPolicy(Qt::StrongFocus);
  return box;
}

QWidget* MakeListBox(const Control& control, QWidget* parent) {
  return new ListBox(control.items, control.sorted, parent);
}

QWidget* Make(const Control& control, QWidget* parent) {
  switch (control.kind) {
    case Kind::Label:
      return MakeLabel(control, parent);
    case Kind::Frame:
      return MakeFrame(control, parent);
    case Kind::OptionButton:
      return MakeOptionButton(control, parent);
    case Kind::CommandButton:
      return MakeCommandButton(control, parent);
    case Kind::TextBox:
      return MakeTextBox(control, parent);
    case Kind::ListBox:
      break;
  }
  return MakeListBox(control, parent);
}

}  // namespace

QWidget* CreateControlWidget(const Control& control, QWidget* parent) {
  QWidget* widget = Make(control, parent);
  if (TakesSystemColors(control)) FillBackground(widget, kSystemColor);
  widget->setObjectName(ToQString(control.name) +
                        (control.index == kNoIndex ? QString() : QString::number(control.index)));
  const PixelRect at = ToPixels(control, kLogicalDpi);
  widget->setGeometry(at.x, at.y, at.width, at.height);
  if (!control.accessible_name.empty()) {
    widget->setAccessibleName(ToQString(control.accessible_name));
  } else if (!control.caption.empty() && control.kind != Kind::TextBox) {
    widget->setAccessibleName(ToQString(control.caption));
  }
  widget->setHidden(!control.visible);
  // A text box's text once it has its size, so that it is laid out once.
  if (auto* box = dynamic_cast<TextBox*>(widget)) box->SetExact(control.caption);
  return widget;
}

}  // namespace quiz::ui::qt
