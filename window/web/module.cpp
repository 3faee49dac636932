#include "window/web/module.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "window/binding.h"
#include "window/keyboard.h"
#include "window/web/attempt.h"
#include "window/web/markup.h"

#if defined(__wasm__)
#define QUIZ_EXPORT(name) __attribute__((export_name(#name)))
#define QUIZ_IMPORT(name) __attribute__((import_module("page"), import_name(#name)))
#else
#define QUIZ_EXPORT(name)
#endif

namespace quiz::ui::web {
namespace {

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

// The keys of the keyboard model as the browser names them (KeyboardEvent.key), in the
// model's order, and its modifier bits, lowest first (KeyboardEvent's shiftKey and so on).
constexpr std::array<std::string_view, 8> kKeys{"Tab",        "ArrowUp", "ArrowDown", "ArrowLeft",
                                                "ArrowRight", " ",       "Enter",     "Escape"};
constexpr std::array<std::string_view, 4> kModifiers{"shift", "ctrl", "alt", "meta"};
static_assert(kShift == 1 && kCtrl == 2 && kAlt == 4 && kMeta == 8);
static_assert(static_cast<std::size_t>(Key::Other) == kKeys.size());

std::optional<WebWindow>& Window() {
  static std::optional<WebWindow> window;
  return window;
}

Attempt& Platform() {
  static Attempt attempt;
  return attempt;
}

std::string& PlatformText() {  // the calls taken last, or a result coming back
  static std::string text;
  return text;
}

const Control* At(std::int64_t position) {
  const std::span<const Control> controls = Controls();
  return position >= 0 && static_cast<std::size_t>(position) < controls.size()
             ? &controls[static_cast<std::size_t>(position)]
             : nullptr;
}

std::int32_t Position(const Control* control) {
  if (control == nullptr) return -1;
  const auto at = PositionOf(*control);
  return at ? static_cast<std::int32_t>(*at) : -1;
}

bool Selected(const Control& option) {
  const std::optional<WebWindow>& window = Window();
  return window && window->IsSelected(option);
}

template <std::size_t N>
void AppendNames(std::string& out, const std::array<std::string_view, N>& names) {
  const char* comma = "";
  for (const std::string_view name : names) {
    out += std::string(comma) + '"' + std::string(name) + '"';
    comma = ", ";
  }
}

const std::string& Table() {
  static const std::string table = [] {
    std::string out = "{\"controls\": [";
    const char* comma = "";
    for (const Control& c : Controls()) {
      out += std::string(comma) + "\n {\"id\": \"" + ElementId(c) + "\", \"kind\": \"" +
             std::string(KindName(c.kind)) +
             "\", \"click\": " + (HasClickHandler(c) ? "true" : "false") + '}';
      comma = ",";
    }
    out += "],\n\"start\": " + std::to_string(Position(FirstFocus(Selected))) + ",\n\"keys\": [";
    AppendNames(out, kKeys);
    out += "],\n\"modifiers\": [";
    AppendNames(out, kModifiers);
    out += "]}\n";
    return out;
  }();
  return table;
}

}  // namespace

void UsePage(const PageCalls& page) { g_page = &page; }

}  // namespace quiz::ui::web

using namespace quiz::ui;
using namespace quiz::ui::web;

extern "C" {

QUIZ_EXPORT(quiz_table) const char* quiz_table() { return Table().data(); }
QUIZ_EXPORT(quiz_table_length) std::size_t quiz_table_length() { return Table().size(); }

QUIZ_EXPORT(quiz_load) std::int32_t quiz_load() {
  std::optional<WebWindow>& window = Window();
  if (window || g_page == nullptr) return 0;
  window.emplace(*g_page, &Platform());
  window->Load();
  return 1;
}
QUIZ_EXPORT(quiz_click) std::int32_t quiz_click(std::size_t position) {
  std::optional<WebWindow>& window = Window();
  return window && window->Click(position) ? 1 : 0;
}
QUIZ_EXPORT(quiz_key)
std::int32_t quiz_key(std::uint32_t key, std::uint32_t modifiers, std::int32_t focus) {
  std::optional<WebWindow>& window = Window();
  if (!window || key >= kKeys.size()) return -1;
  const KeyPress press{static_cast<Key>(key), static_cast<std::uint8_t>(modifiers & 15)};
  return Position(window->Key(At(focus), press));
}
QUIZ_EXPORT(quiz_chosen_person) std::int32_t quiz_chosen_person() {
  const std::optional<WebWindow>& window = Window();
  return window ? window->form().person() : quiz::kNoPerson;
}
QUIZ_EXPORT(quiz_chosen_achievement) std::int32_t quiz_chosen_achievement() {
  const std::optional<WebWindow>& window = Window();
  return window ? window->form().achievement() : quiz::kNoAchievement;
}

QUIZ_EXPORT(quiz_platform_open) void quiz_platform_open() { Platform().Open(); }
QUIZ_EXPORT(quiz_platform_hide) void quiz_platform_hide() { Platform().Hide(); }
QUIZ_EXPORT(quiz_platform_leave) void quiz_platform_leave() { Platform().Leave(); }
QUIZ_EXPORT(quiz_platform_calls)
const char* quiz_platform_calls(std::uint32_t time_of_day, std::uint32_t elapsed) {
  PlatformText() = CallsJson(Platform().Take(time_of_day, elapsed));
  return PlatformText().data();
}
QUIZ_EXPORT(quiz_platform_calls_length) std::size_t quiz_platform_calls_length() {
  return PlatformText().size();
}
QUIZ_EXPORT(quiz_platform_buffer) char* quiz_platform_buffer(std::size_t length) {
  PlatformText().assign(length, '\0');
  return PlatformText().data();
}
QUIZ_EXPORT(quiz_platform_reply) void quiz_platform_reply(std::size_t length) {
  std::string& text = PlatformText();
  Platform().Reply(std::string_view(text).substr(0, length));
}
}
