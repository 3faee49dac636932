// The Qt window beyond the shared suite: its icon and title, the font and its fallback,
// where the indicators stand, accessibility, the exact text round trip, the read-only box
// and the command buttons' own look.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "quiz/publisher.h"
#include "tests/qt/qt_driver.h"
#include "tests/scenarios/expectations.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/qt/qt_convert.h"

namespace quiz::testing {
namespace {

using ui::Control;
using ui::Controls;
using ui::Kind;
using ui::ToQString;

class QtWindow : public ::testing::Test {
 protected:
  QAbstractButton* Button(const Control* c) {
    return qobject_cast<QAbstractButton*>(driver_.Widget(c));
  }
  QPlainTextEdit* Box() { return qobject_cast<QPlainTextEdit*>(driver_.Widget(ui::ResultBox())); }

  QtDriver driver_;
  ui::QtQuizWindow& window_ = driver_.window();
};

TEST_F(QtWindow, HasItsTitleAndTheIconFilePixelForPixel) {
  // The publisher's address, where the build names one, and the title.
  EXPECT_EQ(window_.windowTitle(), ToQString(kCaption));
  EXPECT_TRUE(window_.windowTitle().endsWith(QString::fromUtf8(kTitle.data(), kTitle.size())));
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
  const QFontInfo info(driver_.Widget(ui::PersonButton(0))->font());
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

TEST_F(QtWindow, EveryControlExposesItsCaptionToScreenReaders) {
  int named = 0;
  for (const Control& c : Controls()) {
    if (c.caption.empty() || c.kind == Kind::TextBox) continue;
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(window_.Widget(c));
    ASSERT_NE(a, nullptr) << ControlLabel(c);
    EXPECT_EQ(a->text(QAccessible::Name), ToQString(c.caption)) << ControlLabel(c);
    ++named;
  }
  EXPECT_EQ(named, 2 * kRowCount + 5);  // options, frames, commands and the title
}

// The window is a frame, the result box has a name, and the tree follows the screen.
TEST_F(QtWindow, TheAccessibleTreeFollowsTheScreen) {
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&window_);
  EXPECT_EQ(window->role(), QAccessible::Window);
  std::vector<std::string> tree;
  for (int i = 0; i < window->childCount(); ++i) {
    QAccessibleInterface* child = window->child(i);
    ASSERT_EQ(window->indexOfChild(child), i);
    tree.push_back(child->text(QAccessible::Name).toStdString());
    if (child->role() != QAccessible::Grouping) continue;
    for (int j = 0; j < child->childCount(); ++j) {
      tree.push_back("  " + child->child(j)->text(QAccessible::Name).toStdString());
    }
  }
  std::vector<std::string> expected;
  for (const Placed& p : kWindow) {
    if (!p.role.empty()) expected.push_back((p.parent.empty() ? "" : "  ") + std::string(p.name));
  }
  EXPECT_EQ(tree, expected);
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

TEST_F(QtWindow, ResultBoxGivesBackExactlyTheTextItWasGiven) {
  const std::u16string text = u"Правилно.\r\nпърви ред \r\n\r\nпоследен\r\n";
  window_.SetText(*ui::ResultBox(), text);
  EXPECT_EQ(window_.Text(*ui::ResultBox()), text);
  // Displayed as four lines and an empty last one.
  EXPECT_EQ(Box()->document()->blockCount(), 5);
  EXPECT_EQ(Box()->toPlainText(), QStringLiteral("Правилно.\nпърви ред \n\nпоследен\n"));
  // The controller's read-back-and-append keeps every CR LF.
  driver_.ClickPerson(3);
  driver_.ClickAchievement(3);
  driver_.ClickCommand(0);
  const std::u16string shown = window_.Text(*ui::ResultBox());
  EXPECT_EQ(shown.find(u"\r\n"), std::u16string(kRightAnswer).size());
  EXPECT_EQ(shown.substr(shown.size() - 3), u" \r\n");
  EXPECT_EQ(shown.find(u'\n', 0), shown.find(u"\r\n") + 1);
}

TEST_F(QtWindow, ResultBoxIsReadOnlyWrapsAndAlwaysShowsItsScrollBar) {
  QPlainTextEdit* box = Box();
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_TRUE(box->verticalScrollBar()->isVisible());
  EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
  EXPECT_EQ(box->verticalScrollBar()->value(), 0) << "the statement opens at its top";
  // Typing changes nothing.
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("abc"));
  EXPECT_EQ(window_.Text(*ui::ResultBox()), std::u16string(kStatement));
  EXPECT_EQ(driver_.ResultText(), std::u16string(kStatement));
}

// Deselection by the program emits no click at all, not even one that would leave the
// choices as they were.
TEST_F(QtWindow, ClearingEmitsNoClickSignal) {
  int option_clicks = 0;
  for (int i = 0; i < kRowCount; ++i) {
    for (const Control* c : {ui::PersonButton(Index(i)), ui::AchievementButton(Index(i))}) {
      QObject::connect(Button(c), &QAbstractButton::clicked, [&] { ++option_clicks; });
    }
  }
  driver_.ClickPerson(2);
  driver_.ClickAchievement(5);
  ASSERT_EQ(option_clicks, 2);
  driver_.ClickCommand(1);
  EXPECT_EQ(option_clicks, 2);
}

// Operations on a control of the wrong kind, or an item the list lacks, change nothing.
TEST_F(QtWindow, OperationsOutsideTheirControlsChangeNothing) {
  driver_.ClickPerson(7);
  window_.SetSelected(*ui::ResultBox(), true);
  window_.SetSelected(*ui::CommandButton(0), true);
  EXPECT_FALSE(window_.IsSelected(*ui::CommandButton(0)));
  window_.SetText(*ui::BiographyList(), u"x");
  EXPECT_EQ(window_.Text(*ui::BiographyList()), u"");
  EXPECT_EQ(window_.Text(*ui::ResultBox()), std::u16string(kStatement));
  EXPECT_TRUE(driver_.PersonSelected(7));
  const Control& list = *ui::BiographyList();
  EXPECT_FALSE(window_.Item(list, kRowCount).has_value());
  EXPECT_FALSE(window_.Item(list, -1).has_value());
  EXPECT_EQ(window_.Item(list, 8)->size(), 91u);
  EXPECT_FALSE(window_.Item(*ui::ResultBox(), 0).has_value());
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
