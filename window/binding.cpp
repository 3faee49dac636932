#include "window/binding.h"

#include <array>

namespace quiz::ui {
namespace {

struct ClickBinding {
  std::u16string_view control;
  void (QuizForm::*handler)(std::int16_t);
};

constexpr std::array<ClickBinding, 3> kClickBindings{{
    {u"Option1", &QuizForm::Option1_Click},
    {u"Option2", &QuizForm::Option2_Click},
    {u"Command1", &QuizForm::Command1_Click},
}};

const ClickBinding* BindingOf(const Control& control) {
  for (const ClickBinding& b : kClickBindings) {
    if (b.control == control.name) return &b;
  }
  return nullptr;
}

}  // namespace

void RaiseLoad(QuizForm& form) { form.Form_Load(); }

bool HasClickHandler(const Control& control) { return BindingOf(control) != nullptr; }

bool RaiseClick(QuizForm& form, const Control& control) {
  const ClickBinding* binding = BindingOf(control);
  if (binding == nullptr) return false;
  (form.*binding->handler)(control.index);
  return true;
}

}  // namespace quiz::ui
