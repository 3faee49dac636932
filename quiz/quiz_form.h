// The quiz controller: the two remembered choices and the handlers bound to the window's
// events. It holds no content; it acts on the window only through FormControls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quiz {

inline constexpr std::int16_t kNoPerson = -5;
inline constexpr std::int16_t kNoAchievement = -15;

inline constexpr std::u16string_view kCrLf = u"\r\n";
inline constexpr std::u16string_view kRightAnswer = u"Правилно.";
inline constexpr std::u16string_view kWrongAnswer = u"Грешен отговор!";
inline constexpr std::u16string_view kMakeYourChoice = u"Направете своя избор!";

// What the controller needs from its window, by the role each control plays: the person
// and achievement buttons of a row, the result box and the list of biographies. Indexes
// the window lacks are ignored by the deselect operations and give no biography.
class FormControls {
 public:
  virtual ~FormControls() = default;
  virtual void DeselectPerson(std::int16_t index) = 0;
  virtual void DeselectAchievement(std::int16_t index) = 0;
  virtual std::u16string ResultText() const = 0;
  virtual void SetResultText(std::u16string_view text) = 0;
  virtual std::optional<std::u16string> Biography(std::int16_t index) const = 0;
};

class QuizForm {
 public:
  explicit QuizForm(FormControls& controls) : controls_(controls) {}
  QuizForm(const QuizForm&) = delete;
  QuizForm& operator=(const QuizForm&) = delete;

  void Form_Load();
  void Option1_Click(std::int16_t index);
  void Option2_Click(std::int16_t index);
  void Command1_Click(std::int16_t index);

  std::int16_t person() const { return chosenPerson; }
  std::int16_t achievement() const { return chosenAchievement; }

 private:
  void ResetQuiz();
  void Evaluate();

  FormControls& controls_;
  std::int16_t chosenPerson = kNoPerson;
  std::int16_t chosenAchievement = kNoAchievement;
};

}  // namespace quiz
