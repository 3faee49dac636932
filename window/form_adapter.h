// The one bridge between the controller and any back end: the controller's operations by
// role, carried out on the definition's controls through the back end's generic ones.
#pragma once

#include "quiz/quiz_form.h"
#include "window/back_end.h"
#include "window/definition.h"

namespace quiz::ui {

class FormAdapter final : public FormControls {
 public:
  explicit FormAdapter(BackEnd& back_end) : back_end_(back_end) {}
  FormAdapter(const FormAdapter&) = delete;
  FormAdapter& operator=(const FormAdapter&) = delete;

  // The window's load event: once, after every control exists and before any click.
  void Load();
  // A user's click on a control, delivered to its handler. A handler that changed the
  // result box has it announced afterwards, once, with its final text, unless the box's
  // live setting is off. Returns false where no handler is bound to the control's click.
  bool Click(const Control& control);

  const QuizForm& form() const { return form_; }

  void DeselectPerson(std::int16_t index) override;
  void DeselectAchievement(std::int16_t index) override;
  std::u16string ResultText() const override;
  void SetResultText(std::u16string_view text) override;
  std::optional<std::u16string> Biography(std::int16_t index) const override;

 private:
  BackEnd& back_end_;
  bool result_written_ = false;
  QuizForm form_{*this};
};

}  // namespace quiz::ui
