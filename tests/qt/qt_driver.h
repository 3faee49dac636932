// The scenario driver for the Qt window: mouse clicks through QTest on a fresh, shown window.
#pragma once

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextDocument>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "tests/scenarios/quiz_driver.h"
#include "window/qt/qt_window.h"

namespace quiz::testing {

class QtDriver : public QuizDriver {
 public:
  QtDriver() {
    window_.show();
    (void)QTest::qWaitForWindowExposed(&window_);
  }

  void ClickPerson(int i) override { Click(u"Option1", i); }
  void ClickAchievement(int i) override { Click(u"Option2", i); }
  void ClickCommand(int i) override { Click(u"Command1", i); }

  // The text the controller reads back, provided the box displays it, each CR LF as a
  // paragraph break; a description of the difference otherwise.
  std::u16string ResultText() override {
    const std::u16string text = window_.Text(*ui::ResultBox());
    std::u16string shown = text;
    for (std::size_t at = shown.find(u"\r\n"); at != std::u16string::npos;
         at = shown.find(u"\r\n", at + 1)) {
      shown.replace(at, 2, 1, u'\u2029');
    }
    const auto* box = qobject_cast<QPlainTextEdit*>(window_.Widget(*ui::ResultBox()));
    const std::u16string displayed = box->document()->toRawText().toStdU16String();
    if (displayed != shown) return u"[the box displays other text: " + displayed + u"]";
    return text;
  }

  bool PersonSelected(int i) override { return Checked(u"Option1", i); }
  bool AchievementSelected(int i) override { return Checked(u"Option2", i); }
  std::optional<std::pair<int, int>> Choices() override {
    return std::pair<int, int>{window_.form().person(), window_.form().achievement()};
  }

  ui::QtQuizWindow& window() { return window_; }
  QWidget* Widget(std::u16string_view name, int i) {
    if (i < std::numeric_limits<std::int16_t>::min() ||
        i > std::numeric_limits<std::int16_t>::max()) {
      return nullptr;
    }
    const ui::Control* c = ui::Find(name, static_cast<std::int16_t>(i));
    return c != nullptr ? window_.Widget(*c) : nullptr;
  }

 private:
  void Click(std::u16string_view name, int i) {
    if (QWidget* w = Widget(name, i)) {
      QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->rect().center());
    }
  }
  bool Checked(std::u16string_view name, int i) {
    auto* button = qobject_cast<QAbstractButton*>(Widget(name, i));
    return button != nullptr && button->isChecked();
  }

  ui::QtQuizWindow window_;
};

}  // namespace quiz::testing
