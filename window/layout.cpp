#include "window/layout.h"

#include <algorithm>
#include <cstddef>
#include <functional>

namespace quiz::ui {
namespace {

// Ties keep the order of the definition (plain sorts make smaller programs than stable ones).
bool InTableBefore(const Control* a, const Control* b) { return std::less<const Control*>()(a, b); }

// Whether a control can take the focus: visible, and of a kind the user works with.
bool TakesFocus(const Control& control) {
  if (!control.visible) return false;
  switch (control.kind) {
    case Kind::OptionButton:
    case Kind::CommandButton:
    case Kind::TextBox:
    case Kind::ListBox:
      return true;
    case Kind::Label:
    case Kind::Frame:
      break;
  }
  return false;
}

}  // namespace

std::vector<const Control*> ChildrenInTabOrder(const Control* parent) {
  std::vector<const Control*> children;
  for (const Control& c : Controls()) {
    if (ParentOf(c) == parent) children.push_back(&c);
  }
  std::sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
    return a->tab_index != b->tab_index ? a->tab_index < b->tab_index : InTableBefore(a, b);
  });
  return children;
}

std::vector<const Control*> TabStops() {
  std::vector<const Control*> stops;
  for (const Control* c : ChildrenInTabOrder(nullptr)) {
    const bool group = c->kind == Kind::Frame && c->visible && !OptionsOnScreen(*c).empty();
    if (group || TakesFocus(*c)) stops.push_back(c);
  }
  return stops;
}

std::vector<const Control*> OptionsOnScreen(const Control& frame) {
  std::vector<const Control*> options;
  for (const Control& c : Controls()) {
    if (c.kind == Kind::OptionButton && ParentOf(c) == &frame) options.push_back(&c);
  }
  std::sort(options.begin(), options.end(), [](const Control* a, const Control* b) {
    if (a->top != b->top) return a->top < b->top;
    return a->left != b->left ? a->left < b->left : InTableBefore(a, b);
  });
  return options;
}

int PlaceOnScreen(const Control& option) {
  const Control* frame = ParentOf(option);
  if (frame == nullptr) return 0;
  const std::vector<const Control*> options = OptionsOnScreen(*frame);
  const auto at = std::find(options.begin(), options.end(), &option);
  return at == options.end() ? 0 : static_cast<int>(at - options.begin()) + 1;
}

bool LiesAbove(const Control& upper, const Control& lower) {
  if (upper.kind != Kind::OptionButton || lower.kind != Kind::OptionButton ||
      !(upper.parent == lower.parent) || upper.top >= lower.top) {
    return false;
  }
  return upper.top + upper.height > lower.top && upper.left < lower.left + lower.width &&
         lower.left < upper.left + upper.width;
}

std::vector<const Control*> OptionsInStackingOrder() {
  std::vector<const Control*> options;
  for (const Control& c : Controls()) {
    if (c.kind == Kind::OptionButton) options.push_back(&c);
  }
  std::sort(options.begin(), options.end(), [](const Control* a, const Control* b) {
    return a->top != b->top ? a->top > b->top : InTableBefore(a, b);
  });
  return options;
}

}  // namespace quiz::ui
