// The window under a dark system scheme: the same layout, colours, keyboard and whole
// captions as under a light one, every caption readable and no indicator well turned dark.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QStyle>

#include "tests/qt/qt_driver.h"
#include "tests/scenarios/window_conformance.h"
#include "window/qt/qt_convert.h"

namespace quiz::testing {
namespace {

// Sets a dark application palette for as long as it lives.
class DarkScheme {
 public:
  DarkScheme() : saved_(QApplication::palette()) {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, Qt::black);
    dark.setColor(QPalette::AlternateBase, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x00, 0xFF, 0xFF));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    QApplication::setPalette(dark);
  }
  ~DarkScheme() { QApplication::setPalette(saved_); }
  DarkScheme(const DarkScheme&) = delete;
  DarkScheme& operator=(const DarkScheme&) = delete;

 private:
  QPalette saved_;
};

// The window opened under the dark scheme (the scheme is set before the window is built).
class DarkQtDriver : private DarkScheme, public QtDriver {};

INSTANTIATE_TYPED_TEST_SUITE_P(QtDark, WindowConformance, DarkQtDriver);
QUIZ_KEY_RUN_ROWS(QtDark, DarkQtDriver);

// The strongest contrast between a caption's pixels and its control's background: the
// caption's ink against the colour it is drawn on.
TEST(QtDarkScheme, EveryCaptionStandsOutAtLeast4Point5To1) {
  DarkQtDriver d;
  const QImage grab = d.Grab();
  for (const ui::Control& c : ui::Controls()) {
    if (c.caption.empty() || !c.visible) continue;
    const QWidget* w = d.window().WidgetOf(c);
    const auto ground = d.DrawnColor(&c);
    ASSERT_TRUE(ground.has_value());
    const QRgb back = ui::qt::ToQColor(*ground).rgb();
    QRect area(w->mapTo(&d.window(), QPoint(0, 0)), w->size());
    if (c.kind == ui::Kind::OptionButton) {  // the caption, not the indicator's ring
      const QRect text = OptionElement(w, QStyle::SE_RadioButtonContents);
      area = QRect(w->mapTo(&d.window(), text.topLeft()), text.size());
    }
    // Where the caption lies: a frame's title row; the whole control otherwise.
    const int bottom = c.kind == ui::Kind::Frame     ? area.top() + w->fontMetrics().height()
                       : c.kind == ui::Kind::TextBox ? area.top() + 30
                                                     : area.bottom();
    double best = 1.0;
    for (int y = area.top() + 3; y < bottom; ++y) {
      for (int x = area.left() + 3; x < area.right() - 2; ++x) {
        best = std::max(best, Contrast(grab.pixel(d.Device(x), d.Device(y)), back));
      }
    }
    EXPECT_GE(best, 4.5) << ControlLabel(c);
  }
}

// An empty indicator stays a light well with a ring, not a dark disc.
TEST(QtDarkScheme, EmptyIndicatorsStayLight) {
  DarkQtDriver d;
  const QImage grab = d.Grab();
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    for (const ui::Control* c : {ui::PersonButton(i), ui::AchievementButton(i)}) {
      const QWidget* b = d.window().WidgetOf(*c);
      const QRect well = OptionElement(b, QStyle::SE_RadioButtonIndicator);
      const QPoint centre = b->mapTo(&d.window(), well.center());
      const QRgb pixel = grab.pixel(d.Device(centre.x()), d.Device(centre.y()));
      EXPECT_GE(qGray(pixel), 200) << ControlLabel(*c) << " shows a dark indicator";
    }
  }
}

}  // namespace
}  // namespace quiz::testing
