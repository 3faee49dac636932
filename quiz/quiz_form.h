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

// What the controller needs from its window. Indexes the window lacks are ignored by
// the deselect operations and give no item from List1Item.
class FormControls {
 public:
  virtual ~FormControls() = default;
  virtual void DeselectOption1(std::int16_t index) = 0;
  virtual void DeselectOption2(std::int16_t index) = 0;
  virtual std::u16string Text1() const = 0;
  virtual void SetText1(std::u16string_view text) = 0;
  virtual std::optional<std::u16string> List1Item(std::int16_t index) const = 0;
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
