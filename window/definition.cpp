#include "window/definition.h"

#include <array>

#include "quiz/content.h"
#include "quiz/publisher.h"

namespace quiz::ui {
namespace {

constexpr std::uint32_t kFormColor = Rgb(192, 192, 255);
constexpr std::uint32_t kTitleColor = Rgb(255, 192, 128);
constexpr std::uint32_t kShowColor = Rgb(128, 255, 128);
constexpr std::uint32_t kClearColor = Rgb(255, 128, 128);
constexpr std::uint32_t kPersonColor = Rgb(192, 255, 255);
constexpr std::uint32_t kAchievementColor = Rgb(255, 192, 255);

constexpr FormRecord kFormRecord{
    .name = u"QuizForm",
    .client_width = 7410,
    .client_height = 5730,
    .back_color = kFormColor,
    .font = {.face = u"Times New Roman",
             .points = 12,
             .weight = 400,
             .charset = 204,
             .bold = false,
             .italic = false,
             .underline = false,
             .strikeout = false},
    .caption = kCaption,
    .fixed_single = true,
};

constexpr ControlRef kPersons{u"Frame1", 0};
constexpr ControlRef kAchievements{u"Frame1", 1};

// The controls the controller's roles stand on: three arrays, the result box and the list.
constexpr std::u16string_view kPersonArray = u"Option1";
constexpr std::u16string_view kAchievementArray = u"Option2";
constexpr std::u16string_view kCommandArray = u"Command1";
constexpr ControlRef kResultBox{u"Text1", 0};
constexpr ControlRef kBiographyList{u"List1", kNoIndex};

constexpr const QuizRow& Row(std::int16_t row) { return kQuizRows[static_cast<std::size_t>(row)]; }

constexpr std::array<std::u16string_view, kRowCount> kBiographies = [] {
  std::array<std::u16string_view, kRowCount> items{};
  for (const QuizRow& row : kQuizRows) items[static_cast<std::size_t>(row.index)] = row.biography;
  return items;
}();

// Person buttons: indicator on the right, the name to its left.
constexpr Control Person(std::int16_t row, int top, int tab_index) {
  return {.kind = Kind::OptionButton,
          .name = kPersonArray,
          .index = row,
          .parent = kPersons,
          .left = 120,
          .top = top,
          .width = 2055,
          .height = 285,
          .back_color = kPersonColor,
          .tab_index = tab_index,
          .caption = Row(row).person,
          .alignment = Alignment::Right};
}

constexpr Control Achievement(std::int16_t row, int top, int tab_index) {
  return {.kind = Kind::OptionButton,
          .name = kAchievementArray,
          .index = row,
          .parent = kAchievements,
          .left = 120,
          .top = top,
          .width = 4455,
          .height = 285,
          .back_color = kAchievementColor,
          .tab_index = tab_index,
          .caption = Row(row).achievement};
}

// The control tree in the order of the window's definition, which is the order the window
// is built in: each frame is followed by the buttons it holds, the highest index first.
constexpr std::array kControls{
    Control{.kind = Kind::ListBox,
            .name = kBiographyList.name,
            .left = 6000,
            .top = 3600,
            .width = 735,
            .height = 2625,
            .tab_index = 25,
            .visible = false,
            .items = kBiographies},
    Control{.kind = Kind::CommandButton,
            .name = kCommandArray,
            .index = 1,
            .left = 4320,
            .top = 3240,
            .width = 1575,
            .height = 285,
            .back_color = kClearColor,
            .tab_index = 24,
            .caption = u"Чисти",
            .graphical = true},
    Control{.kind = Kind::CommandButton,
            .name = kCommandArray,
            .index = 0,
            .left = 840,
            .top = 3240,
            .width = 1575,
            .height = 285,
            .back_color = kShowColor,
            .tab_index = 23,
            .caption = u"Изведи",
            .graphical = true},
    Control{.kind = Kind::Frame,
            .name = u"Frame1",
            .index = 1,
            .left = 2520,
            .top = 480,
            .width = 4695,
            .height = 2655,
            .back_color = kFormColor,
            .tab_index = 4,
            .caption = u"Значимо постижение"},
    Achievement(8, 1320, 22),
    Achievement(7, 1800, 21),
    Achievement(6, 2040, 20),
    Achievement(5, 600, 19),
    Achievement(4, 360, 18),
    Achievement(3, 1560, 17),
    Achievement(2, 840, 10),
    Achievement(1, 1080, 9),
    Achievement(0, 2280, 8),
    Control{.kind = Kind::Frame,
            .name = u"Frame1",
            .index = 0,
            .left = 120,
            .top = 480,
            .width = 2295,
            .height = 2655,
            .back_color = kFormColor,
            .tab_index = 3,
            .caption = u"Учени"},
    Person(8, 1320, 16),
    Person(7, 1800, 15),
    Person(6, 1080, 14),
    Person(5, 600, 13),
    Person(4, 360, 12),
    Person(3, 840, 11),
    Person(2, 2040, 7),
    Person(1, 1560, 6),
    Person(0, 2280, 5),
    Control{.kind = Kind::TextBox,
            .name = kResultBox.name,
            .index = kResultBox.index,
            .left = 120,
            .top = 3600,
            .width = 7095,
            .height = 2055,
            .tab_index = 0,
            .caption = kStatement,
            .multi_line = true,
            .vertical_scroll = true,
            .read_only = true,
            .accessible_name = u"Резултат",
            .live = LiveSetting::Polite},
    Control{.kind = Kind::Label,
            .name = u"Label1",
            .index = 0,
            .left = 1200,
            .top = 0,
            .width = 5055,
            .height = 375,
            .back_color = kTitleColor,
            .tab_index = 2,
            .caption = u"Пионери на изчислителната техника",
            .alignment = Alignment::Center},
};

constexpr const Control* FindControl(ControlRef ref) {
  for (const Control& c : kControls) {
    if (c.ref() == ref) return &c;
  }
  return nullptr;
}

// The definition's invariants, checked as it compiles.
constexpr bool TabIndexesAreUnique() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    for (std::size_t j = i + 1; j < kControls.size(); ++j) {
      if (kControls[i].tab_index == kControls[j].tab_index) return false;
    }
  }
  return true;
}

constexpr bool Is(ControlRef ref, Kind kind) {
  const Control* c = FindControl(ref);
  return c != nullptr && c->kind == kind;
}

constexpr bool EveryRoleHasItsControl() {
  for (std::int16_t row = 0; row < kRowCount; ++row) {
    if (!Is({kPersonArray, row}, Kind::OptionButton) ||
        !Is({kAchievementArray, row}, Kind::OptionButton)) {
      return false;
    }
  }
  return Is({kCommandArray, 0}, Kind::CommandButton) &&
         Is({kCommandArray, 1}, Kind::CommandButton) && Is(kResultBox, Kind::TextBox) &&
         Is(kBiographyList, Kind::ListBox);
}

constexpr bool EveryOptionLiesInsideItsFrame() {
  for (const Control& c : kControls) {
    if (c.kind != Kind::OptionButton) continue;
    const Control* frame = FindControl(c.parent);
    if (frame == nullptr || frame->kind != Kind::Frame || c.left < 0 || c.top < 0 ||
        c.left + c.width > frame->width || c.top + c.height > frame->height) {
      return false;
    }
  }
  return true;
}

static_assert(TabIndexesAreUnique(), "two controls share a tab index");
static_assert(EveryRoleHasItsControl(), "a role's control is missing or of another kind");
static_assert(EveryOptionLiesInsideItsFrame(), "an option button lies outside its frame");

}  // namespace

const FormRecord& Form() { return kFormRecord; }

std::span<const Control> Controls() { return kControls; }

const Control* Find(ControlRef ref) { return FindControl(ref); }

std::optional<std::size_t> PositionOf(const Control& control) {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (&kControls[i] == &control) return i;
  }
  return std::nullopt;
}

const Control* ParentOf(const Control& control) {
  return control.parent == kForm ? nullptr : Find(control.parent);
}

const Control* PersonButton(std::int16_t row) { return Find(kPersonArray, row); }
const Control* AchievementButton(std::int16_t row) { return Find(kAchievementArray, row); }
const Control* CommandButton(std::int16_t index) { return Find(kCommandArray, index); }
const Control* ResultBox() { return Find(kResultBox); }
const Control* BiographyList() { return Find(kBiographyList); }

}  // namespace quiz::ui
