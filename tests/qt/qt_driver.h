// The drivers for a fresh Qt window, shown and active: clicks and keys through QTest, what it
// draws read from its grab in device pixels (Qt scales its 96-DPI layout by QT_SCALE_FACTOR).
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/scenarios/contrast.h"
#include "tests/scenarios/text_printer.h"
#include "tests/scenarios/window_driver.h"
#include "window/definition.h"
#include "window/qt/control_factory.h"
#include "window/qt/qt_window.h"

namespace quiz::testing {

// Where the style puts a part of an option button, in the button's own pixels.
inline QRect OptionElement(const QWidget* button, QStyle::SubElement element) {
  QStyleOptionButton option;
  option.initFrom(button);
  return button->style()->subElementRect(element, &option, button);
}

class QtDriver : public WindowDriver {
 public:
  QtDriver() {
    window_.show();
    QApplication::setActiveWindow(&window_);
    (void)QTest::qWaitForWindowActive(&window_);
  }

  ui::BackEnd& back_end() override { return window_; }
  const QuizForm& form() override { return window_.form(); }
  void Click(const ui::Control& c) override {
    if (QWidget* w = window_.WidgetOf(c)) {
      QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }
  }

  // The text the controller reads back, provided the box displays it, each CR LF as a
  // paragraph break; a description of the difference otherwise.
  std::u16string ResultText() override {
    const std::u16string text = window_.Text(*ui::ResultBox());
    std::u16string shown = text;
    for (std::size_t at = shown.find(u"\r\n"); at != std::u16string::npos;
         at = shown.find(u"\r\n", at + 1)) {
      shown.replace(at, 2, 1, u'\u2029');
    }
    const auto* box = qobject_cast<QPlainTextEdit*>(window_.WidgetOf(*ui::ResultBox()));
    const std::u16string displayed = box->document()->toRawText().toStdU16String();
    if (displayed != shown) return u"[the box displays other text: " + displayed + u"]";
    return text;
  }

  std::optional<std::pair<int, int>> ClientSize() override {
    return std::pair<int, int>{window_.width(), window_.height()};
  }
  std::optional<bool> FixedSize() override {
    const Qt::WindowFlags flags = window_.windowFlags();
    return window_.minimumSize() == window_.size() && window_.maximumSize() == window_.size() &&
           !(flags & Qt::WindowMaximizeButtonHint) && !(flags & Qt::WindowMinimizeButtonHint);
  }
  std::optional<ui::PixelRect> Rectangle(const ui::Control& c) override {
    const QWidget* w = window_.WidgetOf(c);
    if (w == nullptr) return std::nullopt;
    return ui::PixelRect{w->x(), w->y(), w->width(), w->height()};
  }
  const ui::Control* LiveParent(const ui::Control& c) override {
    const QWidget* w = window_.WidgetOf(c);
    return w != nullptr ? window_.ControlOf(w->parentWidget()) : nullptr;
  }
  bool Visible(const ui::Control& c) override {
    const QWidget* w = window_.WidgetOf(c);
    return w != nullptr && w->isVisible();
  }

  // A point clear of caption, indicator and border: the middle of the left edge, or of the
  // right edge where an option button's caption starts at the left.
  std::optional<std::uint32_t> DrawnColor(const ui::Control* c) override {
    const QImage grab = Grab();
    QPoint logical(3, 3);
    if (c != nullptr) {
      const QWidget* w = window_.WidgetOf(*c);
      if (w == nullptr) return std::nullopt;
      const bool text_left = c->kind == ui::Kind::OptionButton && !w->isRightToLeft();
      logical = w->mapTo(&window_, QPoint(text_left ? w->width() - 4 : 4, w->height() / 2));
    }
    const QRgb rgb = grab.pixel(Device(logical.x()), Device(logical.y()));
    return ui::Rgb(static_cast<std::uint32_t>(qRed(rgb)), static_cast<std::uint32_t>(qGreen(rgb)),
                   static_cast<std::uint32_t>(qBlue(rgb)));
  }

  std::optional<std::uint32_t> FieldColor() override {
    const QColor base = QApplication::palette().color(QPalette::Base);
    return ui::Rgb(static_cast<std::uint32_t>(base.red()), static_cast<std::uint32_t>(base.green()),
                   static_cast<std::uint32_t>(base.blue()));
  }

  // Sibling widgets are drawn in the order of their parent's children: the later lies above.
  std::optional<bool> DrawnAbove(const ui::Control& upper, const ui::Control& lower) override {
    QWidget* a = window_.WidgetOf(upper);
    QWidget* b = window_.WidgetOf(lower);
    if (a == nullptr || b == nullptr || a->parentWidget() != b->parentWidget()) return std::nullopt;
    const QObjectList& siblings = a->parentWidget()->children();
    return siblings.indexOf(a) > siblings.indexOf(b);
  }

  // The caption drawn alone (same kind, font and width, room above and below) against the
  // window's grab: every row of its ink must show there, at the best vertical offset.
  std::optional<std::string> CaptionDefect(const ui::Control& c) override {
    QWidget* live = window_.WidgetOf(c);
    if (live == nullptr) return std::nullopt;
    constexpr int kRoom = 8;  // logical pixels above and below: whole device rows at 1.5 and 2
    QWidget holder;
    holder.setFont(live->font());
    QPalette palette = live->palette();  // every role as the window resolved it
    palette.setResolveMask(~QPalette::ResolveMask{0});
    holder.setPalette(palette);
    std::unique_ptr<QWidget> solo(ui::qt::CreateControlWidget(c, &holder));
    solo->setGeometry(0, 0, live->width(), live->height() + 2 * kRoom);
    solo->show();
    const QImage alone = solo->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage all = Grab();

    // Where the lone caption lies, in its logical pixels; a frame's title stays at the top,
    // other captions stay centred, so that they stand kRoom lower than in the window.
    const QRect area = CaptionArea(*solo);
    const bool at_top = c.kind == ui::Kind::Frame;
    const QPoint origin = live->mapTo(&window_, QPoint(0, 0));
    const int x0 = Device(origin.x());
    const int y0 = Device(origin.y());
    const int room = at_top ? 0 : Device(kRoom);
    const int left = Device(area.left()), right = Device(area.right() + 1);
    const int top = Device(area.top()), bottom = Device(area.bottom() + 1);
    const QRgb ground = alone.pixel(left, top);
    auto ink = [&](const QImage& image, int x, int y) {
      return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
             Contrast(image.pixel(x, y), ground) >= 1.5;
    };
    // How much of a row of the lone caption's ink shows in the window at a vertical offset.
    auto shown = [&](int y, int shift) {
      int have = 0, want = 0;
      for (int x = left; x < right; ++x) {
        if (!ink(alone, x, y)) continue;
        ++want;
        have += ink(all, x0 + x, y0 + y - room + shift) ? 1 : 0;
      }
      return std::pair<int, int>{have, want};
    };
    std::vector<int> rows;  // the rows with ink
    for (int y = top; y < bottom; ++y) {
      if (shown(y, 0).second > 0) rows.push_back(y);
    }
    if (rows.empty()) return std::string("the caption draws nothing even alone");
    int best_shift = 0, best = -1;
    for (int shift = -2; shift <= 2; ++shift) {
      int have = 0;
      for (int y : rows) have += shown(y, shift).first;
      if (have > best) best = have, best_shift = shift;
    }
    std::string missing;
    for (int y : rows) {
      const auto [have, want] = shown(y, best_shift);
      if (2 * have < want) {
        missing += (missing.empty() ? "" : ", ") + std::to_string(y - room) + " (" +
                   std::to_string(have) + " of " + std::to_string(want) + ")";
      }
    }
    return missing.empty() ? std::string() : "rows of ink lost: " + missing;
  }

  // Where the caption lies: beside an option button's indicator, a frame's title row, the
  // top of the result box's text, the whole of the others.
  std::optional<double> CaptionContrast(const ui::Control& c) override {
    const QWidget* w = window_.WidgetOf(c);
    const auto ground = DrawnColor(&c);
    if (w == nullptr || !ground) return std::nullopt;
    QRect area(w->mapTo(&window_, QPoint(0, 0)), w->size());
    if (c.kind == ui::Kind::OptionButton) {
      const QRect text = OptionElement(w, QStyle::SE_RadioButtonContents);
      area = QRect(w->mapTo(&window_, text.topLeft()), text.size());
    }
    const int bottom = c.kind == ui::Kind::Frame     ? area.top() + w->fontMetrics().height()
                       : c.kind == ui::Kind::TextBox ? area.top() + 30
                                                     : area.bottom();
    const QImage grab = Grab();
    double best = 1.0;
    for (int y = area.top() + 3; y < bottom; ++y) {
      for (int x = area.left() + 3; x < area.right() - 2; ++x) {
        best = std::max(best, Contrast(grab.pixel(Device(x), Device(y)), PixelOf(*ground)));
      }
    }
    return best;
  }
  std::optional<std::uint32_t> EmptyIndicator(const ui::Control& c) override {
    const QWidget* w = window_.WidgetOf(c);
    if (c.kind != ui::Kind::OptionButton || w == nullptr || window_.IsSelected(c)) return {};
    const QPoint centre =
        w->mapTo(&window_, OptionElement(w, QStyle::SE_RadioButtonIndicator).center());
    return PixelOf(Grab().pixel(Device(centre.x()), Device(centre.y())) & 0xFFFFFF);
  }

  void Press(ui::KeyPress key) override {
    static constexpr Qt::Key kKeys[] = {Qt::Key_Tab,    Qt::Key_Up,     Qt::Key_Down,
                                        Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Space,
                                        Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown};
    static_assert(std::size(kKeys) == ui::kKeyCount);
    Qt::Key qt = kKeys[static_cast<std::size_t>(key.key)];
    Qt::KeyboardModifiers modifiers;
    if (key.modifiers & ui::kShift) modifiers |= Qt::ShiftModifier;
    if (key.modifiers & ui::kCtrl) modifiers |= Qt::ControlModifier;
    if (key.modifiers & ui::kAlt) modifiers |= Qt::AltModifier;
    if (key.modifiers & ui::kMeta) modifiers |= Qt::MetaModifier;
    // Shift+Tab reaches a program as Backtab, as X11 sends it.
    if (qt == Qt::Key_Tab && (key.modifiers & ui::kShift)) qt = Qt::Key_Backtab;
    QTest::keyClick(QApplication::focusWidget(), qt, modifiers);
  }
  const ui::Control* Focused() override { return window_.ControlOf(QApplication::focusWidget()); }

  // The focused control against itself without the focus, in the window's grab: enough of
  // its pixels must change, each with a contrast of at least 3:1, to draw a mark around it.
  std::optional<bool> FocusVisible() override {
    QWidget* focused = QApplication::focusWidget();
    if (window_.ControlOf(focused) == nullptr) return false;
    const QImage with = Grab();
    focused->clearFocus();
    const QImage without = Grab();
    focused->setFocus(Qt::OtherFocusReason);
    const QRect area(focused->mapTo(&window_, QPoint(0, 0)), focused->size());
    int marked = 0;
    for (int y = Device(area.top()); y < Device(area.bottom() + 1); ++y) {
      for (int x = Device(area.left()); x < Device(area.right() + 1); ++x) {
        if (Contrast(with.pixel(x, y), without.pixel(x, y)) >= 3.0) ++marked;
      }
    }
    return marked >= 2 * Device(std::min(area.width(), area.height()));
  }

  bool Selected(const ui::Control& option) override { return window_.IsSelected(option); }

  ui::qt::QtWindow& window() { return window_; }
  QWidget* WidgetOf(const ui::Control* c) { return c != nullptr ? window_.WidgetOf(*c) : nullptr; }

  // The window as drawn, in device pixels.
  QImage Grab() { return window_.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // A logical coordinate in device pixels.
  int Device(int logical) const {
    return static_cast<int>(std::floor(logical * window_.devicePixelRatioF()));
  }

 private:
  // Where a control's caption lies: beside an option button's indicator, inside a command
  // button's edge, a label without its margins, a frame's title row.
  static QRect CaptionArea(QWidget& w) {
    auto* button = qobject_cast<QAbstractButton*>(&w);
    if (button != nullptr && button->isCheckable()) {
      return OptionElement(button, QStyle::SE_RadioButtonContents);
    }
    if (button != nullptr) return w.rect().adjusted(3, 3, -3, -3);
    if (w.inherits("QGroupBox")) return {2, 0, w.width() - 4, w.fontMetrics().height() + 1};
    return w.rect().adjusted(2, 0, -2, 0);
  }

  ui::qt::QtWindow window_;
};

}  // namespace quiz::testing
