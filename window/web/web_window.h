// The browser back end: the page holds the window's controls (its markup, written from the
// definition) with their selection and shown text; this side keeps the texts the controller
// reads back and the hidden list. Every operation reaches the page keyed by the control's
// position in Controls().
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "window/back_end.h"
#include "window/form_adapter.h"
#include "window/keyboard.h"

namespace quiz::ui::web {

// What the page does for the module: in the browser, the module's imports.
struct PageCalls {
  void (*set_selected)(std::size_t position, std::uint32_t selected);
  std::uint32_t (*is_selected)(std::size_t position);
  void (*set_text)(std::size_t position, const char16_t* text, std::size_t length);
  void (*announce)(std::size_t position);
};

// Told of each press of the show button, after its handler, with the choices it judged
// (either may be a no-choice value).
class AnswerListener {
 public:
  virtual void Answered(std::int16_t person, std::int16_t achievement) = 0;

 protected:
  ~AnswerListener() = default;
};

class WebWindow final : public BackEnd {
 public:
  explicit WebWindow(const PageCalls& page, AnswerListener* answers = nullptr);
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;

  // What the form adapter asks of the window.
  void SetSelected(const Control& option, bool selected) override;
  std::u16string Text(const Control& box) const override;
  void SetText(const Control& box, std::u16string_view text) override;
  std::optional<std::u16string> Item(const Control& list, std::int16_t index) const override;
  void Announce(const Control& box) override;

  // The window's load event; the page has built every control.
  void Load() { adapter_.Load(); }
  // Whether an option button is checked on the page.
  bool IsSelected(const Control& option) const;
  // A user's click on the control at this position of Controls(). False where there is no
  // such control or no handler for its click.
  bool Click(std::size_t position);
  // A key pressed with the focus on a control (nullptr: on none), carried out as the
  // keyboard model answers it: a button chosen or pressed. Returns where the focus is to be
  // after it, or nullptr where the key is not the window's.
  const Control* Key(const Control* focus, KeyPress press);
  const QuizForm& form() const { return adapter_.form(); }

 private:
  // The position of a control of this kind, or nothing.
  static std::optional<std::size_t> PositionOf(const Control& control, Kind kind);
  // A click delivered to its handler; a press of the show button told to the listener.
  bool Deliver(const Control& control);

  const PageCalls& page_;
  AnswerListener* answers_;
  std::vector<std::u16string> texts_;  // by position; a text box's text, as last written
  FormAdapter adapter_{*this};
};

}  // namespace quiz::ui::web
