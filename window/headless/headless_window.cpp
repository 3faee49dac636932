#include "window/headless/headless_window.h"

#include "window/binding.h"

namespace quiz::ui {

HeadlessWindow::HeadlessWindow() {
  for (const Control& def : Controls()) {
    LiveControl live{&def, false, std::u16string(def.caption), {}};
    live.items.assign(def.items.begin(), def.items.end());
    controls_.push_back(std::move(live));
  }
  RaiseLoad(form_);
}

HeadlessWindow::LiveControl* HeadlessWindow::Lookup(std::u16string_view name, std::int16_t index) {
  for (LiveControl& c : controls_) {
    if (c.def->name == name && c.def->index == index) return &c;
  }
  return nullptr;
}

const HeadlessWindow::LiveControl* HeadlessWindow::Lookup(std::u16string_view name,
                                                          std::int16_t index) const {
  return const_cast<HeadlessWindow*>(this)->Lookup(name, index);
}

bool HeadlessWindow::Click(std::u16string_view name, std::int16_t index) {
  LiveControl* target = Lookup(name, index);
  if (target == nullptr) return false;
  if (target->def->kind == Kind::OptionButton) {
    for (LiveControl& c : controls_) {
      if (c.def->kind == Kind::OptionButton && c.def->parent == target->def->parent) {
        c.selected = false;
      }
    }
    target->selected = true;
  }
  RaiseClick(form_, *target->def);
  return true;
}

bool HeadlessWindow::IsSelected(std::u16string_view name, std::int16_t index) const {
  const LiveControl* c = Lookup(name, index);
  return c != nullptr && c->selected;
}

void HeadlessWindow::DeselectOption1(std::int16_t index) {
  if (LiveControl* c = Lookup(u"Option1", index)) c->selected = false;
}

void HeadlessWindow::DeselectOption2(std::int16_t index) {
  if (LiveControl* c = Lookup(u"Option2", index)) c->selected = false;
}

std::u16string HeadlessWindow::Text1() const {
  const LiveControl* c = Lookup(u"Text1", 0);
  return c != nullptr ? c->text : std::u16string();
}

void HeadlessWindow::SetText1(std::u16string_view text) {
  if (LiveControl* c = Lookup(u"Text1", 0)) c->text = text;
}

std::optional<std::u16string> HeadlessWindow::List1Item(std::int16_t index) const {
  const LiveControl* c = Lookup(u"List1", kNoIndex);
  if (c == nullptr || index < 0 || static_cast<std::size_t>(index) >= c->items.size()) {
    return std::nullopt;
  }
  return c->items[static_cast<std::size_t>(index)];
}

}  // namespace quiz::ui
