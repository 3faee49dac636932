// The quiz window built with Qt Widgets by walking the window definition. It creates every
// control, delivers events to the controller through the binding and carries out the
// controller's operations on the widgets.
#pragma once

#include <QFont>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quiz/quiz_form.h"
#include "window/definition.h"

namespace quiz::ui {

class QtQuizWindow final : public QWidget, public FormControls {
 public:
  // Builds the window and every control from the definition, then raises the load event.
  explicit QtQuizWindow(QWidget* parent = nullptr);

  // The form's font, which every control uses.
  static QFont FormFont();

  // The widget of a control of the definition, or nullptr where the window has none.
  QWidget* Widget(std::u16string_view name, std::int16_t index) const;
  QWidget* Widget(const Control& control) const;
  const QuizForm& form() const { return form_; }

  void DeselectOption1(std::int16_t index) override;
  void DeselectOption2(std::int16_t index) override;
  std::u16string Text1() const override;
  void SetText1(std::u16string_view text) override;
  std::optional<std::u16string> List1Item(std::int16_t index) const override;

 protected:
  bool focusNextPrevChild(bool next) override;

 private:
  QWidget* Create(const Control& control);
  void StackOptionButtons();
  void Deselect(std::u16string_view name, std::int16_t index);

  std::vector<QWidget*> widgets_;    // by position in Controls(); owned by Qt's parent tree
  std::vector<QWidget*> tab_order_;  // the controls that take the focus, by tab index
  // The result box's exact text: the text widget turns CR LF into paragraph breaks, while
  // the controller reads back what it wrote.
  std::u16string text1_;
  QuizForm form_{*this};
};

}  // namespace quiz::ui
