// The quiz window built with Qt Widgets by walking the window definition. It creates every
// control, carries out the back end's operations on the widgets and delivers the user's
// clicks to the controller through the one form adapter.
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

namespace quiz::ui {

class QtQuizWindow final : public QWidget, public BackEnd {
 public:
  // Builds the window and every control from the definition, then raises the load event.
  explicit QtQuizWindow(QWidget* parent = nullptr);

  // What the form adapter asks of the window.
  void SetSelected(const Control& option, bool selected) override;
  std::u16string Text(const Control& box) const override;
  void SetText(const Control& box, std::u16string_view text) override;
  std::optional<std::u16string> Item(const Control& list, std::int16_t index) const override;
  void Announce(const Control& box) override;

  // The form's font, which every control uses.
  static QFont FormFont();

  // The widget of a control of the definition, or nullptr where the window has none.
  QWidget* Widget(const Control& control) const;
  // The control a widget of this window stands for, or nullptr.
  const Control* ControlOf(const QWidget* widget) const;
  // Whether an option button is selected.
  bool IsSelected(const Control& option) const;
  const QuizForm& form() const { return adapter_.form(); }

 private:
  QWidget* Create(const Control& control);

  std::vector<QWidget*> widgets_;  // by position in Controls(); owned by Qt's parent tree
  FormAdapter adapter_{*this};
  QObject* keys_;  // the keyboard's event filter, owned by the window
};

// One control's widget as the window builds it (font and palette come from its parent),
// with no click bound: to compare what a control draws alone with what the window shows.
QWidget* CreateControlWidget(const Control& control, QWidget* parent);

}  // namespace quiz::ui
