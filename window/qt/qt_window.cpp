#include "window/qt/qt_window.h"

#include <qdrawutil.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <algorithm>
#include <span>

#include "window/binding.h"
#include "window/qt/icon_pixels.h"
#include "window/qt/qt_announce.h"
#include "window/qt/qt_convert.h"

namespace quiz::ui {
namespace {

// Geometry is laid out in logical pixels at 96 per inch; Qt scales them on high-DPI screens.
constexpr int kLogicalDpi = 96;

int Px(int twips) { return TwipsToPixels(twips, kLogicalDpi); }

void SetRole(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

void FillBackground(QWidget* widget, std::uint32_t color) {
  if (color == kSystemColor) {
    // Keep the system colour rather than inheriting the form's.
    SetRole(widget, QPalette::Window, QApplication::palette().color(QPalette::Window));
    return;
  }
  // Buttons fill with the Button role, the other widgets with Window.
  SetRole(widget, widget->backgroundRole(), ToQColor(color));
  widget->setAutoFillBackground(true);
}

Qt::Alignment ToQtAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center:
      return Qt::AlignCenter;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

QFont ToQFont(const Font& font) {
  QFont f(ToQString(font.face));
  f.setStyleHint(QFont::Serif);  // where the face is missing, a serif of the same metrics
  // Points at 96 logical pixels per inch, like the geometry, so text and boxes scale together.
  f.setPixelSize(Px(font.points * 20));
  f.setWeight(static_cast<QFont::Weight>(font.weight));
  f.setBold(font.bold || font.weight >= 700);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeout);
  // The character set needs no setting: Qt's text is Unicode and picks Cyrillic glyphs.
  return f;
}

// An option button that is hit anywhere in its rectangle, as a native option button is, and
// that selects the button the arrow keys move to.
class OptionButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

  void keyPressEvent(QKeyEvent* event) override {
    QRadioButton::keyPressEvent(event);
    switch (event->key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right:
        break;
      default:
        return;
    }
    // Qt moves the focus within the group but selects only when the button left was
    // selected; here the arrow always selects, raising the click.
    auto* next = dynamic_cast<OptionButton*>(window()->focusWidget());
    if (next != nullptr && next != this && next->parentWidget() == parentWidget() &&
        !next->isChecked()) {
      next->click();
    }
  }
};

// Frames drawn with an etched border around their own colour: the toolkit's default frame
// shades its inside.
class FrameStyle final : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_FrameGroupBox) {
      QProxyStyle::drawPrimitive(element, option, painter, widget);
      return;
    }
    const int title = option->fontMetrics.height() + 2;
    qDrawShadeRect(painter, option->rect.adjusted(0, title, 0, 0), option->palette, true);
  }
};

QStyle* SharedFrameStyle() {
  static QPointer<QStyle> style;
  if (style.isNull()) {
    style = new FrameStyle;
    style->setParent(qApp);  // lives as long as the application
  }
  return style;
}

// A command button in graphical style, drawn flat in its own colour: a darker edge, twice as
// thick while it has the focus, and a darker face while pressed.
class ColorButton final : public QPushButton {
 public:
  ColorButton(const QString& caption, QColor face, QWidget* parent)
      : QPushButton(caption, parent), face_(face) {}

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QRect all = rect();
    const int edge = hasFocus() ? 2 : 1;
    painter.fillRect(all, face_.darker(160));
    painter.fillRect(all.adjusted(edge, edge, -edge, -edge), isDown() ? face_.darker(115) : face_);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(all.adjusted(edge, edge, -edge, -edge), Qt::AlignCenter | Qt::TextShowMnemonic,
                     text());
  }

 private:
  QColor face_;
};

// The hidden list box: it holds its items, read by number, and draws them one to a line
// should it ever be shown.
class ListBox final : public QWidget {
 public:
  ListBox(std::span<const std::u16string_view> items, bool sorted, QWidget* parent)
      : QWidget(parent), items_(items.begin(), items.end()) {
    if (sorted) std::stable_sort(items_.begin(), items_.end());
  }

  std::optional<std::u16string> Item(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return std::nullopt;
    return std::u16string(items_[static_cast<std::size_t>(index)]);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    const int line = fontMetrics().height();
    for (std::size_t i = 0; i < items_.size(); ++i) {
      painter.drawText(QRect(2, static_cast<int>(i) * line, width() - 4, line),
                       Qt::AlignLeft | Qt::AlignVCenter, ToQString(items_[i]));
    }
  }

 private:
  std::vector<std::u16string_view> items_;  // views into the definition, in display order
};

// The window icon. Its pixels are compiled in from the icon file, so that no image reader
// (and none of the image format plugins it looks through) is needed at start.
QIcon WindowIcon() {
  const QImage image(reinterpret_cast<const uchar*>(kIconPixels), kIconSize, kIconSize,
                     QImage::Format_ARGB32);
  return QIcon(QPixmap::fromImage(image));
}

}  // namespace

QtQuizWindow::QtQuizWindow(QWidget* parent) : QWidget(parent) {
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

  const std::span<const Control> controls = Controls();
  widgets_.reserve(controls.size());
  for (const Control& control : controls) widgets_.push_back(Create(control));
  StackOptionButtons();

  // Keyboard order from the tab indexes.
  std::vector<const Control*> order;
  for (const Control& control : controls) {
    QWidget* w = Widget(control);
    if (w->focusPolicy() & Qt::TabFocus) order.push_back(&control);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->tab_index < b->tab_index; });
  for (const Control* control : order) tab_order_.push_back(Widget(*control));
  for (std::size_t i = 1; i < tab_order_.size(); ++i) {
    QWidget::setTabOrder(tab_order_[i - 1], tab_order_[i]);
  }
  if (!tab_order_.empty()) tab_order_.front()->setFocus();

  RaiseLoad(form_);
}

QFont QtQuizWindow::FormFont() { return ToQFont(Form().font); }

QWidget* QtQuizWindow::Create(const Control& control) {
  QWidget* parent = control.parent == kFormParent
                        ? static_cast<QWidget*>(this)
                        : widgets_.at(static_cast<std::size_t>(control.parent));
  const QString caption = ToQString(control.caption);
  QWidget* widget = nullptr;
  switch (control.kind) {
    case Kind::Label: {
      auto* label = new QLabel(caption, parent);
      label->setAlignment(ToQtAlignment(control.alignment));
      FillBackground(label, control.back_color);
      widget = label;
      break;
    }
    case Kind::Frame: {
      auto* frame = new QGroupBox(caption, parent);
      frame->setStyle(SharedFrameStyle());
      FillBackground(frame, control.back_color);
      widget = frame;
      break;
    }
    case Kind::OptionButton: {
      auto* option = new OptionButton(caption, parent);
      if (control.alignment == Alignment::Right) option->setLayoutDirection(Qt::RightToLeft);
      FillBackground(option, control.back_color);
      widget = option;
      break;
    }
    case Kind::CommandButton: {
      auto* button = control.graphical && control.back_color != kSystemColor
                         ? new ColorButton(caption, ToQColor(control.back_color), parent)
                         : new QPushButton(caption, parent);
      button->setAutoDefault(true);  // Enter presses the focused button, as Space does
      widget = button;
      break;
    }
    case Kind::TextBox: {
      auto* box = new QPlainTextEdit(parent);
      box->setLineWrapMode(control.multi_line ? QPlainTextEdit::WidgetWidth
                                              : QPlainTextEdit::NoWrap);
      box->setVerticalScrollBarPolicy(control.vertical_scroll ? Qt::ScrollBarAlwaysOn
                                                              : Qt::ScrollBarAlwaysOff);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setTabChangesFocus(true);
      if (control.read_only) {
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      }
      box->setFocusPolicy(Qt::StrongFocus);
      FillBackground(box, kSystemColor);
      if (control.back_color != kSystemColor) {
        SetRole(box, QPalette::Base, ToQColor(control.back_color));
      }
      widget = box;
      break;
    }
    case Kind::ListBox: {
      auto* list = new ListBox(control.items, control.sorted, parent);
      FillBackground(list, kSystemColor);
      widget = list;
      break;
    }
  }

  widget->setObjectName(ToQString(control.name) +
                        (control.index == kNoIndex ? QString() : QString::number(control.index)));
  widget->setGeometry(Px(control.left), Px(control.top), Px(control.width), Px(control.height));
  if (!control.caption.empty() && control.kind != Kind::TextBox) {
    widget->setAccessibleName(caption);
  }
  widget->setHidden(!control.visible);
  if (control.kind == Kind::TextBox) {
    // The text once the box has its size, so that it is laid out once.
    static_cast<QPlainTextEdit*>(widget)->setPlainText(caption);
    if (&control == Find(u"Text1", 0)) text1_ = control.caption;
  }
  if (HasClickHandler(control)) {
    auto* button = static_cast<QAbstractButton*>(widget);
    // Only clicks reach the controller: selection changes made by the program raise nothing.
    connect(button, &QAbstractButton::clicked, this, [this, &control] {
      RaiseClick(form_, control);
      if (control.kind == Kind::CommandButton) AnnounceResult(this, ToQString(text1_));
    });
  }
  return widget;
}

void QtQuizWindow::StackOptionButtons() {
  // Option buttons are taller than the rows they stand on, so neighbours overlap by a few
  // pixels. Raising them from the bottom row up leaves each button above the one below it:
  // the covered strip is then the top of the lower button, where no caption ink is, instead
  // of the descenders of the caption above.
  std::vector<const Control*> options;
  for (const Control& control : Controls()) {
    if (control.kind == Kind::OptionButton) options.push_back(&control);
  }
  std::stable_sort(options.begin(), options.end(),
                   [](const Control* a, const Control* b) { return a->top > b->top; });
  for (const Control* control : options) Widget(*control)->raise();
}

bool QtQuizWindow::focusNextPrevChild(bool next) {
  // Tab and Shift+Tab run through the tab order as a cycle. An option group is one stop: its
  // selected button or, with none selected, its first button in tab order.
  const int n = static_cast<int>(tab_order_.size());
  QWidget* current = focusWidget();
  const auto found = std::find(tab_order_.begin(), tab_order_.end(), current);
  const int from =
      found == tab_order_.end() ? (next ? -1 : n) : static_cast<int>(found - tab_order_.begin());
  auto* current_option = qobject_cast<QRadioButton*>(current);
  for (int step = 1; step <= n; ++step) {
    QWidget* candidate =
        tab_order_[static_cast<std::size_t>(((from + (next ? step : -step)) % n + n) % n)];
    if (!candidate->isVisible() || !candidate->isEnabled()) continue;
    if (auto* option = qobject_cast<QRadioButton*>(candidate)) {
      const QWidget* group = option->parentWidget();
      if (current_option != nullptr && current_option->parentWidget() == group) continue;
      QWidget* stop = nullptr;
      for (QWidget* w : tab_order_) {
        auto* member = qobject_cast<QRadioButton*>(w);
        if (member == nullptr || member->parentWidget() != group) continue;
        if (stop == nullptr || member->isChecked()) stop = member;
        if (member->isChecked()) break;
      }
      if (stop != candidate) continue;
    }
    candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
  }
  return false;
}

QWidget* QtQuizWindow::Widget(std::u16string_view name, std::int16_t index) const {
  const Control* control = Find(name, index);
  return control != nullptr ? Widget(*control) : nullptr;
}

QWidget* QtQuizWindow::Widget(const Control& control) const {
  const int position = PositionOf(control);
  if (position < 0 || static_cast<std::size_t>(position) >= widgets_.size()) return nullptr;
  return widgets_[static_cast<std::size_t>(position)];
}

void QtQuizWindow::Deselect(std::u16string_view name, std::int16_t index) {
  auto* button = qobject_cast<QAbstractButton*>(Widget(name, index));
  if (button == nullptr) return;
  // An exclusive group refuses to leave its checked button unchecked; step out of it briefly.
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(false);
  button->setChecked(false);
  button->setAutoExclusive(exclusive);
}

void QtQuizWindow::DeselectOption1(std::int16_t index) { Deselect(u"Option1", index); }

void QtQuizWindow::DeselectOption2(std::int16_t index) { Deselect(u"Option2", index); }

std::u16string QtQuizWindow::Text1() const {
  return Widget(u"Text1", 0) != nullptr ? text1_ : std::u16string();
}

void QtQuizWindow::SetText1(std::u16string_view text) {
  auto* box = qobject_cast<QPlainTextEdit*>(Widget(u"Text1", 0));
  if (box == nullptr) return;
  text1_ = text;
  box->setPlainText(ToQString(text));
  box->verticalScrollBar()->setValue(0);
}

std::optional<std::u16string> QtQuizWindow::List1Item(std::int16_t index) const {
  const auto* list = dynamic_cast<const ListBox*>(Widget(u"List1", kNoIndex));
  if (list == nullptr) return std::nullopt;
  return list->Item(index);
}

}  // namespace quiz::ui
