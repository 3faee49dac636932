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

constexpr FormRecord kForm{
    u"QuizForm",
    7410,
    5730,
    kFormColor,
    {u"Times New Roman", 12, 400, 204, false, false, false, false},
    kCaption,
    true,
};

constexpr std::array<std::u16string_view, kRowCount> kBiographies = [] {
  std::array<std::u16string_view, kRowCount> items{};
  for (const QuizRow& row : kQuizRows) items[row.index] = row.biography;
  return items;
}();

// Top position and tab index of each option button, by row index.
struct OptionPlace {
  int top, tab_index;
};
constexpr std::array<OptionPlace, kRowCount> kPersonPlaces{{{2280, 5},
                                                            {1560, 6},
                                                            {2040, 7},
                                                            {840, 11},
                                                            {360, 12},
                                                            {600, 13},
                                                            {1080, 14},
                                                            {1800, 15},
                                                            {1320, 16}}};
constexpr std::array<OptionPlace, kRowCount> kAchievementPlaces{{{2280, 8},
                                                                 {1080, 9},
                                                                 {840, 10},
                                                                 {1560, 17},
                                                                 {360, 18},
                                                                 {600, 19},
                                                                 {2040, 20},
                                                                 {1800, 21},
                                                                 {1320, 22}}};

constexpr int kAchievementFrame = 3;  // positions in the table below
constexpr int kPersonFrame = kAchievementFrame + 1 + kRowCount;

constexpr Control Option(std::u16string_view name, std::int16_t index, int frame, int width,
                         std::uint32_t color, Alignment alignment, const OptionPlace& place,
                         std::u16string_view caption) {
  Control c{Kind::OptionButton, name,   index, frame, 120, place.top, width, 285, color,
            place.tab_index,    caption};
  c.alignment = alignment;
  return c;
}

constexpr auto kControls = [] {
  std::array<Control, 7 + 2 * kRowCount> t{};
  int n = 0;
  Control list{Kind::ListBox, u"List1", kNoIndex,     kFormParent, 6000, 3600,
               735,           2625,     kSystemColor, 25,          u""};
  list.visible = false;
  list.items = kBiographies;
  t[n++] = list;
  Control clear{Kind::CommandButton, u"Command1", 1,       kFormParent, 4320, 3240, 1575, 285,
                kClearColor,         24,          u"Чисти"};
  clear.graphical = true;
  t[n++] = clear;
  Control show{Kind::CommandButton, u"Command1", 0,        kFormParent, 840, 3240, 1575, 285,
               kShowColor,          23,          u"Изведи"};
  show.graphical = true;
  t[n++] = show;
  t[n++] = {Kind::Frame, u"Frame1",  1, kFormParent,          2520, 480, 4695,
            2655,        kFormColor, 4, u"Значимо постижение"};
  for (int i = kRowCount - 1; i >= 0; --i) {
    t[n++] =
        Option(u"Option2", static_cast<std::int16_t>(i), kAchievementFrame, 4455, kAchievementColor,
               Alignment::Left, kAchievementPlaces[i], kQuizRows[i].achievement);
  }
  t[n++] = {Kind::Frame, u"Frame1", 0, kFormParent, 120, 480, 2295, 2655, kFormColor, 3, u"Учени"};
  for (int i = kRowCount - 1; i >= 0; --i) {
    t[n++] = Option(u"Option1", static_cast<std::int16_t>(i), kPersonFrame, 2055, kPersonColor,
                    Alignment::Right, kPersonPlaces[i], kQuizRows[i].person);
  }
  Control text{Kind::TextBox, u"Text1",     0, kFormParent, 120, 3600, 7095,
               2055,          kSystemColor, 0, kStatement};
  text.multi_line = true;
  text.vertical_scroll = true;
  text.read_only = true;
  t[n++] = text;
  Control title{Kind::Label,
                u"Label1",
                0,
                kFormParent,
                1200,
                0,
                5055,
                375,
                kTitleColor,
                2,
                u"Пионери на изчислителната техника"};
  title.alignment = Alignment::Center;
  t[n++] = title;
  return t;
}();

static_assert(kControls[kAchievementFrame].name == u"Frame1" &&
              kControls[kAchievementFrame].index == 1);
static_assert(kControls[kPersonFrame].name == u"Frame1" && kControls[kPersonFrame].index == 0);

}  // namespace

const FormRecord& Form() { return kForm; }

std::span<const Control> Controls() { return kControls; }

const Control* Find(std::u16string_view name, std::int16_t index) {
  for (const Control& c : kControls) {
    if (c.name == name && c.index == index) return &c;
  }
  return nullptr;
}

int PositionOf(const Control& control) {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (&kControls[i] == &control) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace quiz::ui
