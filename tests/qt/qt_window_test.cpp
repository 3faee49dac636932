// The Qt window against its definition: geometry, colours, fonts, accessibility, the exact
// text round trip, deselection without clicks and the keyboard.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "quiz/content.h"
#include "tests/qt/qt_driver.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/qt/qt_convert.h"

namespace quiz::testing {
namespace {

using ui::Control;
using ui::Controls;
using ui::Kind;
using ui::ToQColor;
using ui::ToQString;

QRect Rect(const Control& c) {
  const ui::PixelRect r = ui::ToPixels(c, 96);
  return {r.x, r.y, r.width, r.height};
}

class QtWindow : public ::testing::Test {
 protected:
  QAbstractButton* Button(std::u16string_view name, int i) {
    return qobject_cast<QAbstractButton*>(driver_.Widget(name, i));
  }
  QPlainTextEdit* Box() { return qobject_cast<QPlainTextEdit*>(driver_.Widget(u"Text1", 0)); }
  // Presses a key on the widget that has the focus.
  void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

  QtDriver driver_;
  ui::QtQuizWindow& window_ = driver_.window();
};

TEST_F(QtWindow, IsAFixedWindowOfTheDefinedSizeWithCaptionAndIcon) {
  const QSize client(ui::TwipsToPixels(ui::Form().client_width, 96),
                     ui::TwipsToPixels(ui::Form().client_height, 96));
  EXPECT_EQ(window_.size(), client);
  EXPECT_EQ(window_.minimumSize(), client);
  EXPECT_EQ(window_.maximumSize(), client);
  EXPECT_FALSE(window_.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window_.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(window_.windowTitle(), ToQString(ui::Form().caption));
  EXPECT_TRUE(window_.windowTitle().contains(QStringLiteral("Пионери")));
  EXPECT_FALSE(window_.windowIcon().pixmap(32, 32).isNull());
}

TEST_F(QtWindow, TheWindowIconIsTheIconFilePixelForPixel) {
  const QImage file = QImage(QStringLiteral(QUIZ_ICON_FILE)).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(file.size(), QSize(32, 32));
  const QImage icon =
      window_.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(icon.size(), file.size());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(icon.pixel(x, y), file.pixel(x, y)) << x << "," << y;
  }
}

TEST_F(QtWindow, EveryWidgetHasItsDefinedRectangleAndParent) {
  for (const Control& c : Controls()) {
    QWidget* w = window_.Widget(c);
    ASSERT_NE(w, nullptr) << ControlLabel(c);
    EXPECT_EQ(w->geometry(), Rect(c)) << ControlLabel(c);
    QWidget* parent = ui::ParentOf(c) == nullptr ? static_cast<QWidget*>(&window_)
                                                 : window_.Widget(*ui::ParentOf(c));
    EXPECT_EQ(w->parentWidget(), parent) << ControlLabel(c);
    EXPECT_EQ(w->isVisible(), c.visible) << ControlLabel(c);
  }
}

TEST_F(QtWindow, TheGrabShowsEachControlsColour) {
  const QImage image = window_.grab().toImage();
  auto at = [&](QPoint p) { return QColor(image.pixel(p)); };
  EXPECT_EQ(at({3, 3}), ToQColor(ui::Form().back_color)) << "form";
  for (const Control& c : Controls()) {
    if (c.back_color == ui::kSystemColor || !c.visible) continue;
    QWidget* w = window_.Widget(c);
    // A point of the control's background, clear of its caption, indicator and border.
    QPoint inside;
    switch (c.kind) {
      case Kind::OptionButton:  // the top row, above the glyphs of a caption that overflows
        inside = c.alignment == ui::Alignment::Right ? QPoint(2, 1) : QPoint(w->width() - 3, 1);
        break;
      case Kind::Frame:
        inside = QPoint(4, w->height() / 2);
        break;
      default:
        inside = QPoint(4, w->height() / 2);
        break;
    }
    EXPECT_EQ(at(w->mapTo(&window_, inside)), ToQColor(c.back_color)) << ControlLabel(c);
  }
}

TEST_F(QtWindow, AnOptionButtonLiesAboveTheOneBelowIt) {
  // Neighbouring buttons overlap; the strip they share must belong to the upper button, or
  // the lower one paints over the descenders of the caption above it.
  int overlaps = 0;
  for (const Control& upper : Controls()) {
    for (const Control& lower : Controls()) {
      if (upper.kind != Kind::OptionButton || lower.kind != Kind::OptionButton ||
          !(upper.parent == lower.parent) || lower.top <= upper.top) {
        continue;
      }
      const QRect shared = Rect(upper).intersected(Rect(lower));
      if (shared.isEmpty()) continue;
      ++overlaps;
      QWidget* frame = window_.Widget(upper)->parentWidget();
      for (QPoint p : {shared.topLeft(), shared.center(), shared.bottomRight()}) {
        EXPECT_EQ(frame->childAt(p), window_.Widget(upper))
            << ControlLabel(upper) << " over " << ControlLabel(lower) << " at " << p.y();
      }
    }
  }
  EXPECT_EQ(overlaps, 2 * (kRowCount - 1));  // each pair of neighbouring rows in both frames
}

TEST_F(QtWindow, UsesTheFormsFontWithAMetricCompatibleFallback) {
  const QFontInfo info(driver_.Widget(u"Option1", 0)->font());
  EXPECT_TRUE(info.family() == QStringLiteral("Times New Roman") ||
              info.family() == QStringLiteral("Liberation Serif"))
      << info.family().toStdString();
  EXPECT_EQ(info.pixelSize(), 16);  // 12 points at 96 per inch
  EXPECT_FALSE(info.bold());
  EXPECT_FALSE(info.italic());
}

TEST_F(QtWindow, PersonButtonsHaveTheirIndicatorOnTheRight) {
  for (int i = 0; i < kRowCount; ++i) {
    for (std::u16string_view name : {u"Option1", u"Option2"}) {
      QAbstractButton* b = Button(name, i);
      QStyleOptionButton option;
      option.initFrom(b);
      const QRect indicator =
          b->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, b);
      const QRect text = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, b);
      if (name == u"Option1") {
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

TEST_F(QtWindow, AClickAnywhereInAnOptionButtonSelectsIt) {
  for (std::u16string_view name : {u"Option1", u"Option2"}) {
    for (int i = 0; i < kRowCount; ++i) {
      QAbstractButton* b = Button(name, i);
      const int w = b->width();
      const int h = b->height();
      for (QPoint p :
           {QPoint(1, 1), QPoint(w - 1, h - 1), QPoint(w / 4, h - 1), QPoint(3 * w / 4, 1)}) {
        driver_.ClickCommand(1);
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, p);
        EXPECT_TRUE(b->isChecked()) << ToUtf8(name) << "(" << i << ") at " << p.x() << "," << p.y();
        const auto choices = driver_.Choices();
        EXPECT_EQ(name == u"Option1" ? choices->first : choices->second, i);
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
  // Typing changes nothing.
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("abc"));
  EXPECT_EQ(window_.Text(*ui::ResultBox()), std::u16string(kStatement));
  EXPECT_EQ(driver_.ResultText(), std::u16string(kStatement));
}

TEST_F(QtWindow, ClearingDeselectsWithoutRaisingClicks) {
  int option_clicks = 0;
  for (std::u16string_view name : {u"Option1", u"Option2"}) {
    for (int i = 0; i < kRowCount; ++i) {
      QObject::connect(Button(name, i), &QAbstractButton::clicked, [&] { ++option_clicks; });
    }
  }
  driver_.ClickPerson(2);
  driver_.ClickAchievement(5);
  ASSERT_EQ(option_clicks, 2);
  driver_.ClickCommand(1);
  EXPECT_EQ(option_clicks, 2);
  EXPECT_EQ(driver_.Choices(), std::make_pair(int{kNoPerson}, int{kNoAchievement}));
  for (int i = 0; i < kRowCount; ++i) {
    EXPECT_FALSE(driver_.PersonSelected(i));
    EXPECT_FALSE(driver_.AchievementSelected(i));
  }
  // The groups stay exclusive after being stepped out of for the deselection.
  driver_.ClickPerson(1);
  driver_.ClickPerson(7);
  EXPECT_FALSE(driver_.PersonSelected(1));
  EXPECT_TRUE(driver_.PersonSelected(7));
  // Deselecting an index the window lacks is ignored.
  window_.SetSelected(*ui::ResultBox(), false);
  window_.SetSelected(*ui::CommandButton(0), true);
  EXPECT_TRUE(driver_.PersonSelected(7));
}

TEST_F(QtWindow, TheHiddenListHoldsTheBiographies) {
  EXPECT_FALSE(driver_.Widget(u"List1", ui::kNoIndex)->isVisible());
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    EXPECT_EQ(window_.Item(*ui::BiographyList(), i),
              std::u16string(kQuizRows[static_cast<std::size_t>(i)].biography));
  }
  EXPECT_FALSE(window_.Item(*ui::BiographyList(), kRowCount).has_value());
  EXPECT_FALSE(window_.Item(*ui::BiographyList(), -1).has_value());
}

class QtKeyboard : public QtWindow {
 protected:
  void SetUp() override {
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
};

TEST_F(QtKeyboard, StartsOnTheResultBoxScrolledToTheTopWithNothingSelected) {
  EXPECT_EQ(QApplication::focusWidget(), Box());
  EXPECT_EQ(Box()->verticalScrollBar()->value(), 0);
  for (int i = 0; i < kRowCount; ++i) {
    EXPECT_FALSE(driver_.PersonSelected(i));
    EXPECT_FALSE(driver_.AchievementSelected(i));
  }
}

std::string Focused(ui::QtQuizWindow& window) {
  for (const Control& c : Controls()) {
    if (window.Widget(c) == QApplication::focusWidget()) return ControlLabel(c);
  }
  return "?";
}

TEST_F(QtKeyboard, CommandButtonsShowFocusAndPressInTheirOwnColour) {
  for (int i : {0, 1}) {
    const Control& c = *ui::Find(u"Command1", static_cast<std::int16_t>(i));
    auto* b = qobject_cast<QPushButton*>(Button(u"Command1", i));
    const QRgb face = ToQColor(c.back_color).rgb();
    const QRgb edge = ToQColor(c.back_color).darker(160).rgb();
    const QRgb pressed = ToQColor(c.back_color).darker(115).rgb();
    auto look = [&] {
      const QImage g = b->grab().toImage();
      return std::vector<QRgb>{g.pixel(0, 9), g.pixel(1, 9), g.pixel(3, 9)};
    };
    Box()->setFocus();
    EXPECT_EQ(look(), (std::vector<QRgb>{edge, face, face})) << i << " at rest";
    b->setFocus();
    EXPECT_EQ(look(), (std::vector<QRgb>{edge, edge, face})) << i << " with the focus";
    b->setDown(true);
    EXPECT_EQ(look(), (std::vector<QRgb>{edge, edge, pressed})) << i << " pressed";
    b->setDown(false);
  }
}

TEST_F(QtKeyboard, TabFollowsTheTabIndexesAndSelectsNothing) {
  for (int round = 0; round < 2; ++round) {
    if (round == 1) {
      driver_.ClickPerson(6);
      Box()->setFocus();
    }
    // A group is one stop: its selected button, or its top one on screen.
    const std::vector<std::string> want{"Text1(0)", round == 0 ? "Option1(4)" : "Option1(6)",
                                        "Option2(4)", "Command1(0)", "Command1(1)"};
    ASSERT_EQ(want.size(), 5u);
    std::vector<std::string> got;
    for (std::size_t n = 0; n <= want.size(); ++n) {
      if (n > 0) Key(Qt::Key_Tab);
      got.push_back(Focused(window_));
    }
    EXPECT_EQ(got.back(), want.front()) << "Tab wraps to the result box";
    got.pop_back();
    EXPECT_EQ(got, want);
    // Back-tab runs the same stops backwards.
    std::vector<std::string> back;
    for (std::size_t n = 0; n + 1 < want.size(); ++n) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
      back.push_back(Focused(window_));
    }
    EXPECT_EQ(back, std::vector<std::string>(want.rbegin(), want.rend() - 1));
  }
  EXPECT_EQ(driver_.Choices(), std::make_pair(6, int{kNoAchievement}));
}

TEST_F(QtKeyboard, SpaceAndArrowsSelectWithinAGroupAndRaiseTheClick) {
  Button(u"Option1", 4)->setFocus();  // the top person button
  Key(Qt::Key_Space);
  EXPECT_TRUE(driver_.PersonSelected(4));
  EXPECT_EQ(driver_.Choices()->first, 4);
  Key(Qt::Key_Down);  // the button below: row 5
  EXPECT_TRUE(driver_.PersonSelected(5));
  EXPECT_FALSE(driver_.PersonSelected(4));
  EXPECT_EQ(driver_.Choices()->first, 5);

  // An arrow selects even where nothing was selected yet, and stays in its group.
  Button(u"Option2", 4)->setFocus();
  Key(Qt::Key_Down);  // below achievement 4 stands achievement 5
  EXPECT_TRUE(driver_.AchievementSelected(5));
  EXPECT_EQ(driver_.Choices(), std::make_pair(5, 5));
  EXPECT_TRUE(driver_.PersonSelected(5));

  Button(u"Command1", 0)->setFocus();
  Key(Qt::Key_Return);
  EXPECT_EQ(window_.Text(*ui::ResultBox()), std::u16string(kRightAnswer) + u"\r\n" +
                                                std::u16string(kQuizRows[5].biography) + u"\r\n");
  Button(u"Command1", 1)->setFocus();
  Key(Qt::Key_Space);
  EXPECT_EQ(window_.Text(*ui::ResultBox()), std::u16string(kMakeYourChoice));
}

}  // namespace
}  // namespace quiz::testing
