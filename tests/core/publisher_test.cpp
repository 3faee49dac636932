// The window caption of this build: the publisher's web address and the title, or the title
// alone; never a placeholder address.
#include "quiz/publisher.h"

#include <gtest/gtest.h>

#include <string_view>

#include "window/definition.h"

namespace quiz {
namespace {

constexpr std::u16string_view kTitle = u"Пионери на изчислителната техника";

TEST(Publisher, CaptionIsTheAddressAndTheTitleOrTheTitleAlone) {
  const std::u16string_view caption = ui::Form().caption;
  EXPECT_EQ(caption, kCaption);
  EXPECT_EQ(caption.find(u"example"), std::u16string_view::npos);
  const std::string_view url = QUIZ_PUBLISHER_URL;
  if (url.empty()) {
    EXPECT_EQ(caption, kTitle);
  } else {
    ASSERT_EQ(caption.size(), url.size() + 1 + kTitle.size());
    EXPECT_EQ(caption.substr(url.size()), std::u16string(u" ") + std::u16string(kTitle));
    for (std::size_t i = 0; i < url.size(); ++i) EXPECT_EQ(caption[i], url[i]);  // ASCII
  }
  // The title label carries the title whatever the publisher.
  EXPECT_EQ(ui::Find(u"Label1", 0)->caption, kTitle);
}

}  // namespace
}  // namespace quiz
