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

const Control* NextTabStop(const Control* from, int step,
                           const std::function<bool(const Control&)>& is_selected) {
  const std::vector<const Control*> stops = TabStops();
  if (stops.empty()) return nullptr;
  if (from != nullptr && from->kind == Kind::OptionButton) from = ParentOf(*from);
  const auto n = static_cast<std::ptrdiff_t>(stops.size());
  const auto found = std::find(stops.begin(), stops.end(), from);
  const std::ptrdiff_t here = found != stops.end() ? found - stops.begin() : (step > 0 ? -1 : n);
  const Control* stop = stops[static_cast<std::size_t>(((here + step) % n + n) % n)];
  if (stop->kind != Kind::Frame) return stop;
  const std::vector<const Control*> options = OptionsOnScreen(*stop);
  const auto chosen = std::find_if(options.begin(), options.end(),
                                   [&](const Control* o) { return is_selected(*o); });
  return chosen != options.end() ? *chosen : options.front();
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

const Control* OptionOnScreen(const Control& from, int step) {
  const Control* frame = ParentOf(from);
  if (from.kind != Kind::OptionButton || frame == nullptr) return nullptr;
  const std::vector<const Control*> options = OptionsOnScreen(*frame);
  const auto at = std::find(options.begin(), options.end(), &from);
  if (at == options.end()) return nullptr;
  const auto n = static_cast<std::ptrdiff_t>(options.size());
  const std::ptrdiff_t next = ((at - options.begin()) + step % n + n) % n;
  return options[static_cast<std::size_t>(next)];
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
