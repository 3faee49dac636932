// The window caption of this build: the publisher's web address and the title, or the title
// alone; never a placeholder address.
#include "quiz/publisher.h"

#include <gtest/gtest.h>

#include <string_view>

#include "tests/scenarios/expectations.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"

namespace quiz {
namespace {

TEST(Publisher, CaptionIsTheAddressAndTheTitleOrTheTitleAlone) {
  using testing::kTitle;
  const std::string caption = testing::ToUtf8(ui::Form().caption);
  EXPECT_EQ(ui::Form().caption, kCaption);
  EXPECT_EQ(caption.find("example"), std::string::npos);
  const std::string_view url = QUIZ_PUBLISHER_URL;
  if (url.empty()) {
    EXPECT_EQ(caption, kTitle);
  } else {
    EXPECT_EQ(caption, std::string(url) + " " + std::string(kTitle));
  }
}

}  // namespace
}  // namespace quiz
