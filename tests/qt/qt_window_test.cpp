// The Qt window: the shared scenarios and window suite, in a light and a dark scheme, then what is
// its own: icon and title, font, indicators, the read-only box and its exact text, the command
// buttons' own look. What a screen reader finds is checked over AT-SPI (tests/e2e).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "quiz/publisher.h"
#include "tests/qt/qt_driver.h"
#include "tests/scenarios/expectations.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/window_conformance.h"
#include "window/definition.h"
#include "window/qt/qt_convert.h"

namespace quiz::testing {
namespace {

QUIZ_SCENARIO_ROWS(Qt, QtDriver);
QUIZ_KEY_RUN_ROWS(Qt, QtDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowConformance, QtDriver);

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

// The window opened under a dark system scheme: the same layout, colours, keyboard and whole
// captions, every caption readable and no indicator well turned dark.
class DarkQtDriver : private DarkScheme, public QtDriver {};

INSTANTIATE_TYPED_TEST_SUITE_P(QtDark, WindowConformance, DarkQtDriver);
QUIZ_KEY_RUN_ROWS(QtDark, DarkQtDriver);

using ui::Control;
using ui::qt::ToQString;

class QtWindow : public ::testing::Test {
 protected:
  QAbstractButton* Button(const Control* c) {
    return qobject_cast<QAbstractButton*>(driver_.WidgetOf(c));
  }
  QPlainTextEdit* Box() { return qobject_cast<QPlainTextEdit*>(driver_.WidgetOf(ui::ResultBox())); }

  QtDriver driver_;
  ui::qt::QtWindow& window_ = driver_.window();
};

TEST_F(QtWindow, HasItsTitleAndTheIconFilePixelForPixel) {
  // The publisher's address, where the build names one, and the title.
  EXPECT_EQ(window_.windowTitle(), ToQString(kCaption));
  const QImage file = QImage(QStringLiteral(QUIZ_ICON_FILE)).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(file.size(), QSize(32, 32));
  const QImage icon =
      window_.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(icon.size(), file.size());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(icon.pixel(x, y), file.pixel(x, y)) << x << "," << y;
  }
}

TEST_F(QtWindow, UsesTheFormsFontWithAMetricCompatibleFallback) {
  const QFontInfo info(driver_.WidgetOf(ui::PersonButton(0))->font());
  EXPECT_TRUE(info.family() == QStringLiteral("Times New Roman") ||
              info.family() == QStringLiteral("Liberation Serif"))
      << info.family().toStdString();
  EXPECT_EQ(info.pixelSize(), 16);  // 12 points at 96 per inch
  EXPECT_FALSE(info.bold());
  EXPECT_FALSE(info.italic());
}

TEST_F(QtWindow, PersonButtonsHaveTheirIndicatorOnTheRight) {
  for (int i = 0; i < kRowCount; ++i) {
    for (const bool person : {true, false}) {
      QAbstractButton* b =
          Button(person ? ui::PersonButton(Index(i)) : ui::AchievementButton(Index(i)));
      const QRect indicator = OptionElement(b, QStyle::SE_RadioButtonIndicator);
      const QRect text = OptionElement(b, QStyle::SE_RadioButtonContents);
      if (person) {
        EXPECT_GT(indicator.left(), b->width() / 2) << i;
        EXPECT_LT(text.left(), indicator.left()) << i;
      } else {
        EXPECT_LT(indicator.right(), b->width() / 2) << i;
        EXPECT_GT(text.left(), indicator.left()) << i;
      }
    }
  }
}

TEST_F(QtWindow, AClickAnywhereInAnOptionButtonSelectsIt) {
  for (const bool person : {true, false}) {
    for (int i = 0; i < kRowCount; ++i) {
      QAbstractButton* b =
          Button(person ? ui::PersonButton(Index(i)) : ui::AchievementButton(Index(i)));
      const int w = b->width();
      const int h = b->height();
      for (QPoint p :
           {QPoint(1, 1), QPoint(w - 1, h - 1), QPoint(w / 4, h - 1), QPoint(3 * w / 4, 1)}) {
        driver_.ClickCommand(1);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, p);
        EXPECT_TRUE(b->isChecked())
            << b->objectName().toStdString() << " at " << p.x() << "," << p.y();
        const auto choices = driver_.Choices();
        EXPECT_EQ(person ? choices->first : choices->second, i);
      }
    }
  }
}

// Read-only, wrapping, its scroll bar always shown, the statement from its top; the exact
// text it was given comes back (the driver checks that each CR LF shows as a line break).
TEST_F(QtWindow, ResultBoxIsReadOnlyAndGivesBackExactlyItsText) {
  QPlainTextEdit* box = Box();
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_TRUE(box->verticalScrollBar()->isVisible());
  EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
  EXPECT_EQ(box->verticalScrollBar()->value(), 0) << "the statement opens at its top";
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("abc"));  // typing changes nothing
  EXPECT_EQ(driver_.ResultText(), std::u16string(kStatement));
  const std::u16string text = u"Правилно.\r\nпърви ред \r\n\r\nпоследен\r\n";
  window_.SetText(*ui::ResultBox(), text);
  EXPECT_EQ(driver_.ResultText(), text);
  EXPECT_EQ(box->document()->blockCount(), 5);
}

// A key held on a command button repeats its press: the button is clicked once, so that
// its result is written, and announced, once.
TEST_F(QtWindow, AKeyHeldOnACommandButtonClicksItOnce) {
  QAbstractButton* show = Button(ui::CommandButton(0));
  show->setFocus();
  const QSignalSpy clicks(show, &QAbstractButton::clicked);
  for (const bool repeated : {false, true, true, true}) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeated);
    QApplication::sendEvent(show, &press);
  }
  EXPECT_EQ(clicks.count(), 1);
}

// The command buttons' own look: a darker edge, the face, a black focus mark two pixels
// wide inside the edge, a darker face while pressed.
TEST_F(QtWindow, CommandButtonsShowFocusAndPressInTheirOwnColour) {
  const QRgb black = qRgb(0, 0, 0);
  const struct {
    int index;
    QRgb edge, pressed;
  } kLooks[] = {{0, qRgb(80, 159, 80), qRgb(111, 222, 111)},
                {1, qRgb(159, 80, 80), qRgb(222, 111, 111)}};
  for (const auto& l : kLooks) {
    const Colour& c = ColourOf("Command1(" + std::to_string(l.index) + ")");
    const QRgb face = qRgb(c.red, c.green, c.blue);
    QAbstractButton* b = Button(ui::CommandButton(Index(l.index)));
    auto look = [&] {  // the left edge, across the middle row
      const QImage g = b->grab().toImage();
      return std::vector<QRgb>{g.pixel(0, 9), g.pixel(1, 9), g.pixel(2, 9), g.pixel(3, 9)};
    };
    Box()->setFocus();
    EXPECT_EQ(look(), (std::vector<QRgb>{l.edge, face, face, face})) << l.index;
    b->setFocus();
    EXPECT_EQ(look(), (std::vector<QRgb>{l.edge, black, black, face})) << l.index << " focused";
    b->setDown(true);
    EXPECT_EQ(look(), (std::vector<QRgb>{l.edge, black, black, l.pressed})) << l.index << " down";
    b->setDown(false);
  }
}

}  // namespace
}  // namespace quiz::testing
