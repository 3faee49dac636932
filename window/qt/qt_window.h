// The quiz window built with Qt Widgets by walking the window definition. It creates every
// control, carries out the back end's operations on the widgets and delivers the user's
// clicks and keys to the controller through the one form adapter and the keyboard model.
#pragma once

#include <QFont>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "window/back_end.h"
#include "window/definition.h"
#include "window/form_adapter.h"

namespace quiz::ui::qt {

class QtWindow final : public QWidget, public BackEnd {
 public:
  // Builds the window and every control from the definition, then raises the load event.
  explicit QtWindow(QWidget* parent = nullptr);

  // What the form adapter asks of the window.
  void SetSelected(const Control& option, bool selected) override;
  std::u16string Text(const Control& box) const override;
  void SetText(const Control& box, std::u16string_view text) override;
  std::optional<std::u16string> Item(const Control& list, std::int16_t index) const override;
  void Announce(const Control& box) override;

  // The form's font, which every control uses.
  static QFont FormFont();

  // The widget of a control of the definition, or nullptr where the window has none.
  QWidget* WidgetOf(const Control& control) const;
  // The control a widget of this window stands for, or nullptr.
  const Control* ControlOf(const QWidget* widget) const;
  // Whether an option button is selected.
  bool IsSelected(const Control& option) const;
  const QuizForm& form() const { return adapter_.form(); }

 private:
  void SetUpForm();
  QWidget* Create(const Control& control);
  // Neighbouring option buttons overlap: each upper one lies above and shares its bottom.
  void StackOptionButtons();

  std::vector<QWidget*> widgets_;  // by position in Controls(); owned by Qt's parent tree
  FormAdapter adapter_{*this};
  QObject* keys_;  // the keyboard's event filter, owned by the window
};

}  // namespace quiz::ui::qt
