// Content invariants: the orders on screen, the line structure, the lengths and the code page.
#include "quiz/content.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "quiz/quiz_form.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"

namespace quiz {
namespace {

using testing::ToUtf8;

// Letters outside ASCII and А..я that Windows code page 1251 can hold.
constexpr std::array<char16_t, 63> kCp1251Extra{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E,
    0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC,
    0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

bool InCp1251(char16_t c) {
  if (c < 0x80 || (c >= 0x0410 && c <= 0x044F)) return true;
  return std::find(kCp1251Extra.begin(), kCp1251Extra.end(), c) != kCp1251Extra.end();
}

char16_t Lower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);
  return c;
}

bool LessIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Lower(x) < Lower(y); });
}

const QuizRow& Row(int i) { return kQuizRows.at(static_cast<std::size_t>(i)); }

// Row indexes in the order their captions sort, and in the order the layout stacks them.
template <typename Caption>
std::vector<int> SortedBy(Caption caption) {
  std::vector<int> rows(kRowCount);
  std::iota(rows.begin(), rows.end(), 0);
  std::sort(rows.begin(), rows.end(),
            [&](int a, int b) { return LessIgnoringCase(caption(Row(a)), caption(Row(b))); });
  return rows;
}

std::vector<int> StackedOnScreen(std::u16string_view name) {
  std::vector<int> rows(kRowCount);
  std::iota(rows.begin(), rows.end(), 0);
  auto top = [&](int i) { return ui::Find(name, static_cast<std::int16_t>(i))->top; };
  std::sort(rows.begin(), rows.end(), [&](int a, int b) { return top(a) < top(b); });
  return rows;
}

TEST(Content, CaptionsSortInTheOrderTheLayoutStacksThem) {
  EXPECT_EQ(SortedBy([](const QuizRow& r) { return r.person; }), StackedOnScreen(u"Option1"));
  EXPECT_EQ(SortedBy([](const QuizRow& r) { return r.achievement; }), StackedOnScreen(u"Option2"));
}

TEST(Content, RowsAreNumberedByTheirPosition) {
  for (int i = 0; i < kRowCount; ++i) EXPECT_EQ(Row(i).index, i);
}

TEST(Content, BiographiesAreSingleParagraphsOfAboutTheirLength) {
  constexpr std::array<std::size_t, kRowCount> kLength{704, 174, 414, 736, 137, 485, 413, 401, 89};
  for (const QuizRow& row : kQuizRows) {
    SCOPED_TRACE(row.index);
    const auto& bio = row.biography;
    EXPECT_EQ(bio.find_first_of(u"\r\n"), std::u16string_view::npos);
    const std::size_t length = kLength.at(static_cast<std::size_t>(row.index));
    EXPECT_LE(std::max(bio.size(), length) - std::min(bio.size(), length), length / 10);
    EXPECT_NE(bio.front(), u' ');
    EXPECT_EQ(bio.find(u"  "), std::u16string_view::npos);
    EXPECT_EQ(bio.back(), row.index == 3 ? u' ' : u'.');  // row 3 keeps its trailing blank
    // Every biography but row 4's names its pioneer.
    const auto surname = row.person.substr(row.person.rfind(u' ') + 1);
    EXPECT_EQ(bio.find(surname) != std::u16string_view::npos, row.index != 4);
  }
}

// FNV-1a over the UTF-16 code units: a fingerprint that any change of a letter, a year or a
// blank alters.
std::uint32_t Fingerprint(std::u16string_view text) {
  std::uint32_t hash = 2166136261u;
  for (const char16_t c : text) {
    hash = (hash ^ (c & 0xFFu)) * 16777619u;
    hash = (hash ^ (static_cast<std::uint32_t>(c) >> 8)) * 16777619u;
  }
  return hash;
}

std::string LengthAndFingerprint(std::u16string_view text) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(Fingerprint(text)));
  return std::to_string(text.size()) + " " + hex;
}

// The texts as written: an accidental edit fails here, an intended one changes one line.
TEST(Content, BiographiesAndStatementAreAsWritten) {
  const std::array<std::string, kRowCount> expected{
      "737 58da72b0",  // 0
      "184 47511b70",  // 1
      "420 90978ee1",  // 2
      "713 8f6f1f37",  // 3
      "142 bab416aa",  // 4
      "531 ae61cc57",  // 5
      "441 4fa71ee3",  // 6
      "440 9a671f1b",  // 7
      "96 89d359e1",   // 8
  };
  for (const QuizRow& row : kQuizRows) {
    EXPECT_EQ(LengthAndFingerprint(row.biography), expected.at(static_cast<std::size_t>(row.index)))
        << "biography " << row.index;
  }
  EXPECT_EQ(LengthAndFingerprint(kStatement), "747 3786e61b") << "statement";
}

TEST(Content, StatementHasSixLinesAndNamesThePioneersInIndexOrder) {
  std::vector<std::u16string_view> lines;
  std::u16string_view rest = kStatement;
  while (!rest.empty()) {
    const std::size_t end = rest.find(u"\r\n");
    ASSERT_NE(end, std::u16string_view::npos) << "the last line must end in CR LF";
    lines.push_back(rest.substr(0, end));
    rest.remove_prefix(end + 2);
  }
  ASSERT_EQ(lines.size(), 6u);
  for (auto line : lines) {
    EXPECT_EQ(line.find_first_of(u"\r\n"), std::u16string_view::npos);
    EXPECT_FALSE(line.empty());
  }
  EXPECT_EQ(lines[2].back(), u' ');
  EXPECT_NE(lines[0].back(), u' ');
  std::u16string names;
  for (const QuizRow& row : kQuizRows) {
    if (!names.empty()) names += u", ";
    names += row.person;
  }
  EXPECT_NE(lines[3].find(names), std::u16string_view::npos);
  EXPECT_LE(std::abs(static_cast<int>(kStatement.size()) - 747), 75);
}

TEST(Content, EveryTextOfTheWindowFitsCodePage1251) {
  std::vector<std::u16string_view> texts{ui::Form().caption, ui::Form().font.face, kRightAnswer,
                                         kWrongAnswer, kMakeYourChoice};
  for (const ui::Control& c : ui::Controls()) {
    texts.push_back(c.name);
    texts.push_back(c.caption);
    for (auto item : c.items) texts.push_back(item);
  }
  for (auto text : texts)
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), InCp1251)) << ToUtf8(text);
  EXPECT_FALSE(InCp1251(u'ѝ'));  // the checker itself refuses what the code page lacks
  EXPECT_FALSE(InCp1251(u'\u00B2'));
  EXPECT_TRUE(InCp1251(u'\u2013'));
}

}  // namespace
}  // namespace quiz
