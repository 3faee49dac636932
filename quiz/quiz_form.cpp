#include "quiz/quiz_form.h"

#include "quiz/content.h"

namespace quiz {
namespace {

constexpr std::int16_t kShow = 0;
constexpr std::int16_t kClear = 1;

constexpr bool IsRow(std::int16_t index) { return index >= 0 && index < kRowCount; }

}  // namespace

void QuizForm::Form_Load() { ResetQuiz(); }

void QuizForm::Option1_Click(std::int16_t index) {
  if (IsRow(index)) chosenPerson = index;
}

void QuizForm::Option2_Click(std::int16_t index) {
  if (IsRow(index)) chosenAchievement = index;
}

void QuizForm::Command1_Click(std::int16_t index) {
  if (index == kShow) {
    Evaluate();
  } else if (index == kClear) {
    ResetQuiz();
    controls_.SetResultText(kMakeYourChoice);
  }
}

void QuizForm::ResetQuiz() {
  chosenPerson = kNoPerson;
  chosenAchievement = kNoAchievement;
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    controls_.DeselectPerson(i);
    controls_.DeselectAchievement(i);
  }
}

void QuizForm::Evaluate() {
  if (chosenPerson != chosenAchievement) {
    std::u16string wrong(kWrongAnswer);
    wrong += kCrLf;
    controls_.SetResultText(wrong);
    return;
  }
  // A list without this item leaves the box as it is rather than showing half an answer.
  const std::optional<std::u16string> biography = controls_.Biography(chosenPerson);
  if (!biography) return;
  std::u16string right(kRightAnswer);
  right += kCrLf;
  controls_.SetResultText(right);
  std::u16string text = controls_.ResultText();
  text += *biography;
  text += kCrLf;
  controls_.SetResultText(text);
}

}  // namespace quiz
