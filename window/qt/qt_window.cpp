#include "window/qt/qt_window.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <span>

#include "window/binding.h"
#include "window/keyboard.h"
#include "window/layout.h"
#include "window/qt/control_factory.h"
#include "window/qt/icon_pixels.h"
#include "window/qt/keyboard_filter.h"
#include "window/qt/list_box.h"
#include "window/qt/option_button.h"
#include "window/qt/qt_announce.h"
#include "window/qt/qt_convert.h"
#include "window/qt/qt_style.h"
#include "window/qt/screen_order_accessible.h"
#include "window/qt/text_box.h"

namespace quiz::ui::qt {
namespace {

// The window icon. Its pixels are compiled in from the icon file, so that no image reader
// (and none of the image format plugins it looks through) is needed at start.
QIcon WindowIcon() {
  const QImage image(reinterpret_cast<const uchar*>(kIconPixels), kIconSize, kIconSize,
                     QImage::Format_ARGB32);
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

QtWindow::QtWindow(QWidget* parent) : QWidget(parent), keys_(new KeyboardFilter(*this)) {
  InstallScreenOrder();
  SetUpForm();
  const std::span<const Control> controls = Controls();
  widgets_.reserve(controls.size());
  for (const Control& control : controls) widgets_.push_back(Create(control));
  StackOptionButtons();
  adapter_.Load();
  const Control* first = FirstFocus([this](const Control& o) { return IsSelected(o); });
  if (first != nullptr) WidgetOf(*first)->setFocus();
}

void QtWindow::SetUpForm() {
  const FormRecord& record = Form();
  setObjectName(ToQString(record.name));
  setWindowTitle(ToQString(record.caption));
  setWindowIcon(WindowIcon());
  setFont(FormFont());
  FillBackground(this, record.back_color);
  if (record.fixed_single) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Px(record.client_width), Px(record.client_height));
  } else {
    resize(Px(record.client_width), Px(record.client_height));
  }
}

QFont QtWindow::FormFont() { return ToQFont(Form().font); }

QWidget* QtWindow::Create(const Control& control) {
  const Control* frame = ParentOf(control);
  QWidget* parent = frame == nullptr ? static_cast<QWidget*>(this) : WidgetOf(*frame);
  QWidget* widget = CreateControlWidget(control, parent);
  widget->installEventFilter(keys_);
  if (HasClickHandler(control)) {
    auto* button = static_cast<QAbstractButton*>(widget);
    // Only clicks reach the controller: selection changes made by the program raise nothing.
    connect(button, &QAbstractButton::clicked, this, [this, &control] { adapter_.Click(control); });
  }
  return widget;
}

// Option buttons are taller than the rows they stand on, so neighbours overlap by a few
// pixels. Each lies above the one below it, so that its descenders show, and leaves the
// shared strip to the lower one's fill, so that the tops of the lower one's letters show.
void QtWindow::StackOptionButtons() {
  for (const Control* option : OptionsInStackingOrder()) WidgetOf(*option)->raise();
  for (const Control& upper : Controls()) {
    for (const Control& lower : Controls()) {
      if (!LiesAbove(upper, lower)) continue;
      const QRect shared = WidgetOf(upper)->geometry().intersected(WidgetOf(lower)->geometry());
      if (auto* option = dynamic_cast<OptionButton*>(WidgetOf(upper))) {
        option->ShareBottom(shared.height());
      }
    }
  }
}

QWidget* QtWindow::WidgetOf(const Control& control) const {
  const std::optional<std::size_t> position = PositionOf(control);
  return position && *position < widgets_.size() ? widgets_[*position] : nullptr;
}

const Control* QtWindow::ControlOf(const QWidget* widget) const {
  if (widget == nullptr) return nullptr;
  const auto found = std::find(widgets_.begin(), widgets_.end(), widget);
  if (found == widgets_.end()) return nullptr;
  return &Controls()[static_cast<std::size_t>(found - widgets_.begin())];
}

void QtWindow::SetSelected(const Control& option, bool selected) {
  if (option.kind != Kind::OptionButton) return;
  auto* button = qobject_cast<QAbstractButton*>(WidgetOf(option));
  if (button == nullptr) return;
  // An exclusive group refuses to leave its checked button unchecked; step out of it briefly.
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(selected && exclusive);
  button->setChecked(selected);
  button->setAutoExclusive(exclusive);
}

bool QtWindow::IsSelected(const Control& option) const {
  const auto* button = qobject_cast<const QAbstractButton*>(WidgetOf(option));
  return option.kind == Kind::OptionButton && button != nullptr && button->isChecked();
}

std::u16string QtWindow::Text(const Control& box) const {
  const auto* text_box = dynamic_cast<const TextBox*>(WidgetOf(box));
  return text_box != nullptr ? text_box->exact() : std::u16string();
}

void QtWindow::SetText(const Control& box, std::u16string_view text) {
  if (auto* text_box = dynamic_cast<TextBox*>(WidgetOf(box))) text_box->SetExact(text);
}

std::optional<std::u16string> QtWindow::Item(const Control& list, std::int16_t index) const {
  const auto* list_box = dynamic_cast<const ListBox*>(WidgetOf(list));
  if (list_box == nullptr) return std::nullopt;
  return list_box->Item(index);
}

void QtWindow::Announce(const Control& box) {
  if (WidgetOf(box) != nullptr) AnnounceResult(this, ToQString(Text(box)));
}

}  // namespace quiz::ui::qt
