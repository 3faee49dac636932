#include "window/qt/qt_window.h"

#include <qdrawutil.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
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
#include <QPen>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QStylePainter>
#include <algorithm>
#include <functional>
#include <span>
#include <utility>

#include "window/binding.h"
#include "window/keyboard.h"
#include "window/layout.h"
#include "window/qt/icon_pixels.h"
#include "window/qt/qt_announce.h"
#include "window/qt/qt_convert.h"
#include "window/qt/qt_keys.h"

namespace quiz::ui {

// A frame of option buttons: a class of its own, so that assistive technology is given
// its children in screen order.
class QuizFrame final : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;
};

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
  QPalette palette = widget->palette();
  constexpr QPalette::ColorRole kInk[] = {QPalette::WindowText, QPalette::ButtonText,
                                          QPalette::Text, QPalette::Base};
  if (color == kSystemColor) {
    // The system's colours rather than the form's, its text included.
    const QPalette system = QApplication::palette();
    palette.setColor(QPalette::Window, system.color(QPalette::Window));
    for (QPalette::ColorRole role : kInk) palette.setColor(role, system.color(role));
    widget->setPalette(palette);
    return;
  }
  // Buttons fill with the Button role, the other widgets with Window. On a light colour of
  // its own a control keeps dark text and light indicator wells, whatever the system's
  // scheme: a dark scheme would otherwise give it light captions and dark discs.
  palette.setColor(widget->backgroundRole(), ToQColor(color));
  const std::uint32_t ink = InkOn(color);
  const std::uint32_t well = ink == Rgb(0, 0, 0) ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
  for (QPalette::ColorRole role : kInk) {
    palette.setColor(role, ToQColor(role == QPalette::Base ? well : ink));
  }
  widget->setPalette(palette);
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

// The focus mark: a rectangle two pixels wide just inside `area`, in the caption's colour,
// so that it stands out against the control's own colour as the caption does.
void DrawFocusMark(QPainter& painter, const QRect& area, const QColor& ink) {
  painter.save();
  painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(area).adjusted(1, 1, -1, -1));
  painter.restore();
}

// An option button that is hit anywhere in its rectangle, as a native option button is.
class OptionButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

  // The strip at the bottom that the button below shares: that one fills it, so that the
  // tops of its letters and the descenders of this caption both show there.
  void ShareBottom(int rows) { shared_rows_ = rows; }

 protected:
  bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

  // The fill, a focus mark around the caption, then indicator and caption; the style's own
  // focus tint is too faint to see.
  void paintEvent(QPaintEvent* /*event*/) override {
    QStylePainter painter(this);
    painter.fillRect(QRect(0, 0, width(), height() - shared_rows_),
                     palette().color(backgroundRole()));
    QStyleOptionButton option;
    initStyleOption(&option);
    if (hasFocus()) {
      const QRect caption = style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, this);
      DrawFocusMark(painter, caption.intersected(rect()), palette().color(foregroundRole()));
    }
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_RadioButton, option);
  }

 private:
  int shared_rows_ = 0;
};

// The window and its frames as assistive technology sees them: the window in the role of a
// frame (a top-level window), and the children of each in screen order, top to bottom and
// then left to right, whatever their stacking; hidden ones are left out.
class ScreenOrderAccessible final : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;

  int childCount() const override { return static_cast<int>(Children().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<QWidget*> children = Children();
    if (index < 0 || static_cast<std::size_t>(index) >= children.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(children[static_cast<std::size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr) return -1;
    const std::vector<QWidget*> children = Children();
    const auto found = std::find(children.begin(), children.end(), child->object());
    return found != children.end() ? static_cast<int>(found - children.begin()) : -1;
  }

 private:
  std::vector<QWidget*> Children() const {
    std::vector<QWidget*> children;
    for (QObject* object : widget()->children()) {
      auto* w = qobject_cast<QWidget*>(object);
      if (w != nullptr && !w->isWindow() && !w->isHidden()) children.push_back(w);
    }
    std::sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
      return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    return children;
  }
};

QAccessibleInterface* ScreenOrderFactory(const QString& /*class_name*/, QObject* object) {
  if (auto* window = dynamic_cast<QtQuizWindow*>(object)) {
    return new ScreenOrderAccessible(window, QAccessible::Window);
  }
  if (auto* frame = qobject_cast<QuizFrame*>(object)) {
    return new ScreenOrderAccessible(frame, QAccessible::Grouping);
  }
  return nullptr;
}

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

// A command button in graphical style, drawn flat in its own colour: a darker edge, a focus
// mark inside it while it has the focus, and a darker face while pressed.
class ColorButton final : public QPushButton {
 public:
  ColorButton(const QString& caption, std::uint32_t face, QWidget* parent)
      : QPushButton(caption, parent), face_(ToQColor(face)), ink_(ToQColor(InkOn(face))) {}

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), face_.darker(160));
    painter.fillRect(inside, isDown() ? face_.darker(115) : face_);
    if (hasFocus()) DrawFocusMark(painter, inside, ink_);
    painter.setPen(ink_);
    painter.drawText(inside, Qt::AlignCenter | Qt::TextShowMnemonic, text());
  }

 private:
  QColor face_;
  QColor ink_;
};

// The text box. It keeps the exact text it was given: the text widget turns CR LF into
// paragraph breaks, while the controller reads back what it wrote. While it has the focus,
// a focus mark runs round the inside of its text area.
class TextBox final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;
  std::u16string exact;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPlainTextEdit::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(viewport());
    DrawFocusMark(painter, viewport()->rect(), palette().color(QPalette::Text));
  }
  // Scrolling moves the drawn pixels, the mark with them: draw the text area anew.
  void scrollContentsBy(int dx, int dy) override {
    QPlainTextEdit::scrollContentsBy(dx, dy);
    viewport()->update();
  }
  void focusInEvent(QFocusEvent* event) override {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
  }
  void focusOutEvent(QFocusEvent* event) override {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
  }
};

// The hidden list box: it holds its items, read by number, and draws them one to a line
// should it ever be shown.
class ListBox final : public QWidget {
 public:
  ListBox(std::span<const std::u16string_view> items, bool sorted, QWidget* parent)
      : QWidget(parent), items_(items.begin(), items.end()) {
    if (sorted) std::sort(items_.begin(), items_.end());
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

QWidget* CreateControlWidget(const Control& control, QWidget* parent) {
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
      auto* frame = new QuizFrame(caption, parent);
      frame->setStyle(SharedFrameStyle());
      FillBackground(frame, control.back_color);
      widget = frame;
      break;
    }
    case Kind::OptionButton: {
      auto* option = new OptionButton(caption, parent);
      if (control.alignment == Alignment::Right) option->setLayoutDirection(Qt::RightToLeft);
      FillBackground(option, control.back_color);
      option->setAutoFillBackground(false);  // it fills itself, all but a shared strip
      widget = option;
      break;
    }
    case Kind::CommandButton: {
      auto* button = control.graphical && control.back_color != kSystemColor
                         ? new ColorButton(caption, control.back_color, parent)
                         : new QPushButton(caption, parent);
      button->setAutoDefault(true);  // Enter presses the focused button, as Space does
      widget = button;
      break;
    }
    case Kind::TextBox: {
      auto* box = new TextBox(parent);
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
  const PixelRect at = ToPixels(control, kLogicalDpi);
  widget->setGeometry(at.x, at.y, at.width, at.height);
  if (!control.accessible_name.empty()) {
    widget->setAccessibleName(ToQString(control.accessible_name));
  } else if (!control.caption.empty() && control.kind != Kind::TextBox) {
    widget->setAccessibleName(caption);
  }
  widget->setHidden(!control.visible);
  if (auto* box = dynamic_cast<TextBox*>(widget)) {
    // The text once the box has its size, so that it is laid out once.
    box->setPlainText(caption);
    box->exact = control.caption;
  }
  return widget;
}

QtQuizWindow::QtQuizWindow(QWidget* parent) : QWidget(parent), keys_(new KeyFilter(*this)) {
  static const bool accessible = (QAccessible::installFactory(&ScreenOrderFactory), true);
  (void)accessible;
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

  // Option buttons are taller than the rows they stand on, so neighbours overlap by a few
  // pixels. Each lies above the one below it, so that its descenders show, and leaves the
  // shared strip to the lower one's fill, so that the tops of the lower one's letters show.
  for (const Control* option : OptionsInStackingOrder()) Widget(*option)->raise();
  for (const Control& upper : controls) {
    for (const Control& lower : controls) {
      if (!LiesAbove(upper, lower)) continue;
      const QRect shared = Widget(upper)->geometry().intersected(Widget(lower)->geometry());
      if (auto* option = dynamic_cast<OptionButton*>(Widget(upper))) {
        option->ShareBottom(shared.height());
      }
    }
  }

  adapter_.Load();
  const Control* first = FirstFocus([this](const Control& o) { return IsSelected(o); });
  if (first != nullptr) Widget(*first)->setFocus();
}

QFont QtQuizWindow::FormFont() { return ToQFont(Form().font); }

QWidget* QtQuizWindow::Create(const Control& control) {
  const Control* frame = ParentOf(control);
  QWidget* parent = frame == nullptr ? static_cast<QWidget*>(this) : Widget(*frame);
  QWidget* widget = CreateControlWidget(control, parent);
  widget->installEventFilter(keys_);
  if (HasClickHandler(control)) {
    auto* button = static_cast<QAbstractButton*>(widget);
    // Only clicks reach the controller: selection changes made by the program raise nothing.
    connect(button, &QAbstractButton::clicked, this, [this, &control] { adapter_.Click(control); });
  }
  return widget;
}

QWidget* QtQuizWindow::Widget(const Control& control) const {
  const std::optional<std::size_t> position = PositionOf(control);
  return position && *position < widgets_.size() ? widgets_[*position] : nullptr;
}

const Control* QtQuizWindow::ControlOf(const QWidget* widget) const {
  if (widget == nullptr) return nullptr;
  const auto found = std::find(widgets_.begin(), widgets_.end(), widget);
  if (found == widgets_.end()) return nullptr;
  return &Controls()[static_cast<std::size_t>(found - widgets_.begin())];
}

void QtQuizWindow::SetSelected(const Control& option, bool selected) {
  if (option.kind != Kind::OptionButton) return;
  auto* button = qobject_cast<QAbstractButton*>(Widget(option));
  if (button == nullptr) return;
  // An exclusive group refuses to leave its checked button unchecked; step out of it briefly.
  const bool exclusive = button->autoExclusive();
  button->setAutoExclusive(selected && exclusive);
  button->setChecked(selected);
  button->setAutoExclusive(exclusive);
}

bool QtQuizWindow::IsSelected(const Control& option) const {
  const auto* button = qobject_cast<const QAbstractButton*>(Widget(option));
  return option.kind == Kind::OptionButton && button != nullptr && button->isChecked();
}

std::u16string QtQuizWindow::Text(const Control& box) const {
  const auto* text_box = dynamic_cast<const TextBox*>(Widget(box));
  return text_box != nullptr ? text_box->exact : std::u16string();
}

void QtQuizWindow::SetText(const Control& box, std::u16string_view text) {
  auto* text_box = dynamic_cast<TextBox*>(Widget(box));
  if (text_box == nullptr) return;
  text_box->exact = text;
  text_box->setPlainText(ToQString(text));
  text_box->verticalScrollBar()->setValue(0);
}

std::optional<std::u16string> QtQuizWindow::Item(const Control& list, std::int16_t index) const {
  const auto* list_box = dynamic_cast<const ListBox*>(Widget(list));
  if (list_box == nullptr) return std::nullopt;
  return list_box->Item(index);
}

void QtQuizWindow::Announce(const Control& box) {
  if (Widget(box) != nullptr) AnnounceResult(this, ToQString(Text(box)));
}

}  // namespace quiz::ui

#include "qt_window.moc"
