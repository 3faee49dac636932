#include "window/web/module.h"

#include <optional>
#include <span>
#include <vector>

#include "window/layout.h"

#if defined(__wasm__)
#define QUIZ_EXPORT(name) __attribute__((export_name(#name)))
#define QUIZ_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))
#else
#define QUIZ_EXPORT(name)
#endif

namespace quiz::ui::web {
namespace {

constexpr int kCssDpi = 96;

#if defined(__wasm__)
extern "C" {
QUIZ_IMPORT(set_selected) void PageSetSelected(std::size_t position, std::uint32_t selected);
QUIZ_IMPORT(is_selected) std::uint32_t PageIsSelected(std::size_t position);
QUIZ_IMPORT(set_text)
void PageSetText(std::size_t position, const char16_t* text, std::size_t length);
QUIZ_IMPORT(announce) void PageAnnounce(std::size_t position);
}
constexpr PageCalls kImports{PageSetSelected, PageIsSelected, PageSetText, PageAnnounce};
const PageCalls* g_page = &kImports;
#else
const PageCalls* g_page = nullptr;
#endif

std::optional<WebBackEnd>& Window() {
  static std::optional<WebBackEnd> window;
  return window;
}

const Control* At(std::size_t position) {
  const std::span<const Control> controls = Controls();
  return position < controls.size() ? &controls[position] : nullptr;
}

std::int32_t Position(const Control* control) {
  if (control == nullptr) return -1;
  const auto at = PositionOf(*control);
  return at ? static_cast<std::int32_t>(*at) : -1;
}

std::int32_t Pixels(std::size_t position, int PixelRect::*edge) {
  const Control* c = At(position);
  return c != nullptr ? ToPixels(*c, kCssDpi).*edge : -1;
}

// The orders the page walks one entry at a time, each worked out once.
const std::vector<const Control*>& PageOrder() {
  static const std::vector<const Control*> order = [] {
    std::vector<const Control*> controls;
    for (const Control* c : ChildrenInTabOrder(nullptr)) {
      if (!c->visible) continue;
      controls.push_back(c);
      if (c->kind == Kind::Frame) {
        for (const Control* option : OptionsOnScreen(*c)) controls.push_back(option);
      }
    }
    return controls;
  }();
  return order;
}
const std::vector<const Control*>& Stops() {
  static const std::vector<const Control*> stops = TabStops();
  return stops;
}
const std::vector<const Control*>& Stacking() {
  static const std::vector<const Control*> stack = OptionsInStackingOrder();
  return stack;
}

std::int32_t Nth(const std::vector<const Control*>& list, std::size_t n) {
  return n < list.size() ? Position(list[n]) : -1;
}

std::u16string_view TextOf(std::uint32_t field, std::size_t position) {
  const Control* c = At(position);
  switch (static_cast<TextField>(field)) {
    case TextField::FormCaption:
      return Form().caption;
    case TextField::FontFace:
      return Form().font.face;
    case TextField::Caption:
      return c != nullptr ? c->caption : std::u16string_view();
    case TextField::Name:
      return c != nullptr ? c->name : std::u16string_view();
    case TextField::AccessibleName:
      return c != nullptr ? c->accessible_name : std::u16string_view();
  }
  return {};
}

}  // namespace

void UsePage(const PageCalls& page) { g_page = &page; }

}  // namespace quiz::ui::web

using namespace quiz::ui;
using namespace quiz::ui::web;

extern "C" {

QUIZ_EXPORT(quiz_form_width) std::int32_t quiz_form_width() {
  return TwipsToPixels(Form().client_width, kCssDpi);
}
QUIZ_EXPORT(quiz_form_height) std::int32_t quiz_form_height() {
  return TwipsToPixels(Form().client_height, kCssDpi);
}
QUIZ_EXPORT(quiz_form_color) std::uint32_t quiz_form_color() { return Form().back_color; }
QUIZ_EXPORT(quiz_font_points) std::int32_t quiz_font_points() { return Form().font.points; }
QUIZ_EXPORT(quiz_font_weight) std::int32_t quiz_font_weight() { return Form().font.weight; }

QUIZ_EXPORT(quiz_text) const char16_t* quiz_text(std::uint32_t field, std::size_t position) {
  return TextOf(field, position).data();
}
QUIZ_EXPORT(quiz_text_length)
std::size_t quiz_text_length(std::uint32_t field, std::size_t position) {
  return TextOf(field, position).size();
}

QUIZ_EXPORT(quiz_control_count) std::size_t quiz_control_count() { return Controls().size(); }
QUIZ_EXPORT(quiz_control_kind) std::int32_t quiz_control_kind(std::size_t position) {
  const Control* c = At(position);
  return c != nullptr ? static_cast<std::int32_t>(c->kind) : -1;
}
QUIZ_EXPORT(quiz_control_index) std::int32_t quiz_control_index(std::size_t position) {
  const Control* c = At(position);
  return c != nullptr ? c->index : -1;
}
QUIZ_EXPORT(quiz_control_parent) std::int32_t quiz_control_parent(std::size_t position) {
  const Control* c = At(position);
  return c != nullptr ? Position(ParentOf(*c)) : -1;
}
QUIZ_EXPORT(quiz_control_left) std::int32_t quiz_control_left(std::size_t position) {
  return Pixels(position, &PixelRect::x);
}
QUIZ_EXPORT(quiz_control_top) std::int32_t quiz_control_top(std::size_t position) {
  return Pixels(position, &PixelRect::y);
}
QUIZ_EXPORT(quiz_control_width) std::int32_t quiz_control_width(std::size_t position) {
  return Pixels(position, &PixelRect::width);
}
QUIZ_EXPORT(quiz_control_height) std::int32_t quiz_control_height(std::size_t position) {
  return Pixels(position, &PixelRect::height);
}
QUIZ_EXPORT(quiz_control_color) std::uint32_t quiz_control_color(std::size_t position) {
  const Control* c = At(position);
  return c != nullptr ? c->back_color : kSystemColor;
}
QUIZ_EXPORT(quiz_control_alignment) std::int32_t quiz_control_alignment(std::size_t position) {
  const Control* c = At(position);
  return c != nullptr ? static_cast<std::int32_t>(c->alignment) : -1;
}
QUIZ_EXPORT(quiz_control_flags) std::uint32_t quiz_control_flags(std::size_t position) {
  const Control* c = At(position);
  if (c == nullptr) return 0;
  return (c->visible ? kVisible : 0) | (c->graphical ? kGraphical : 0) |
         (c->multi_line ? kMultiLine : 0) | (c->vertical_scroll ? kVerticalScroll : 0) |
         (c->read_only ? kReadOnly : 0);
}
QUIZ_EXPORT(quiz_control_layer) std::int32_t quiz_control_layer(std::size_t position) {
  const Control* c = At(position);
  const std::vector<const Control*>& stack = Stacking();
  for (std::size_t i = 0; i < stack.size(); ++i) {
    if (stack[i] == c) return static_cast<std::int32_t>(i);
  }
  return -1;
}

QUIZ_EXPORT(quiz_page_order_count) std::size_t quiz_page_order_count() {
  return PageOrder().size();
}
QUIZ_EXPORT(quiz_page_order) std::int32_t quiz_page_order(std::size_t n) {
  return Nth(PageOrder(), n);
}
QUIZ_EXPORT(quiz_tab_stop_count) std::size_t quiz_tab_stop_count() { return Stops().size(); }
QUIZ_EXPORT(quiz_tab_stop) std::int32_t quiz_tab_stop(std::size_t n) { return Nth(Stops(), n); }

QUIZ_EXPORT(quiz_load) std::int32_t quiz_load() {
  std::optional<WebBackEnd>& window = Window();
  if (window || g_page == nullptr) return 0;
  window.emplace(*g_page);
  window->Load();
  return 1;
}
QUIZ_EXPORT(quiz_click) std::int32_t quiz_click(std::size_t position) {
  std::optional<WebBackEnd>& window = Window();
  return window && window->Click(position) ? 1 : 0;
}
QUIZ_EXPORT(quiz_chosen_person) std::int32_t quiz_chosen_person() {
  const std::optional<WebBackEnd>& window = Window();
  return window ? window->form().person() : quiz::kNoPerson;
}
QUIZ_EXPORT(quiz_chosen_achievement) std::int32_t quiz_chosen_achievement() {
  const std::optional<WebBackEnd>& window = Window();
  return window ? window->form().achievement() : quiz::kNoAchievement;
}
}
