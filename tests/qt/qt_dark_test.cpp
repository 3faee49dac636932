// The window under a dark system scheme: the same layout, colours, keyboard and whole
// captions as under a light one, every caption readable and no indicator well turned dark.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "tests/qt/qt_driver.h"
#include "tests/scenarios/window_conformance.h"

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

}  // namespace
}  // namespace quiz::testing
