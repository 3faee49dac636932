// Real X mouse clicks on the quiz window: xdotool moves the pointer to positions computed
// from the window definition and clicks, as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <string>

#include "quiz/content.h"
#include "quiz/quiz_form.h"
#include "tests/scenarios/text_printer.h"
#include "window/definition.h"
#include "window/qt/qt_window.h"

namespace quiz::testing {

constexpr int kSkipped = 77;  // ctest's SKIP_RETURN_CODE

namespace {

// The centre of a control in the window's client area, in pixels.
QPoint ClientCentre(const ui::Control& control) {
  const ui::PixelRect r = ui::ToPixels(control, 96);
  QPoint at(r.x + r.width / 2, r.y + r.height / 2);
  for (const ui::Control* frame = ui::ParentOf(control); frame != nullptr;
       frame = ui::ParentOf(*frame)) {
    const ui::PixelRect f = ui::ToPixels(*frame, 96);
    at += QPoint(f.x, f.y);
  }
  return at;
}

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (done()) return true;
  }
  return false;
}

class RealClicks : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  // Clicks the middle of a control with the X server's pointer.
  void Click(const ui::Control* control) {
    ASSERT_NE(control, nullptr);
    const QPoint at = ClientCentre(*control);
    const QStringList args{
        QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window_.winId()),
        QString::number(at.x()),     QString::number(at.y()),    QStringLiteral("click"),
        QStringLiteral("1")};
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), args), 0);
  }

  ui::qt::QtWindow window_;
};

TEST_F(RealClicks, PersonThreeWithAchievementThreeShowsTheAnswerAndClearClears) {
  Click(ui::PersonButton(3));
  EXPECT_TRUE(WaitFor([&] { return window_.IsSelected(*ui::PersonButton(3)); }));
  Click(ui::AchievementButton(3));
  EXPECT_TRUE(WaitFor([&] { return window_.IsSelected(*ui::AchievementButton(3)); }));
  EXPECT_EQ(window_.Text(*ui::ResultBox()), std::u16string(kStatement));

  const std::u16string right = std::u16string(kRightAnswer) + std::u16string(kCrLf) +
                               std::u16string(kQuizRows[3].biography) + std::u16string(kCrLf);
  Click(ui::CommandButton(0));
  EXPECT_TRUE(WaitFor([&] { return window_.Text(*ui::ResultBox()) == right; }))
      << ToUtf8(window_.Text(*ui::ResultBox()));

  Click(ui::CommandButton(1));
  EXPECT_TRUE(WaitFor([&] { return window_.Text(*ui::ResultBox()) == kMakeYourChoice; }))
      << ToUtf8(window_.Text(*ui::ResultBox()));
  for (std::int16_t i = 0; i < kRowCount; ++i) {
    EXPECT_FALSE(window_.IsSelected(*ui::PersonButton(i))) << i;
    EXPECT_FALSE(window_.IsSelected(*ui::AchievementButton(i))) << i;
  }
  EXPECT_EQ(window_.form().person(), kNoPerson);
  EXPECT_EQ(window_.form().achievement(), kNoAchievement);
}

}  // namespace
}  // namespace quiz::testing

int main(int argc, char* argv[]) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0' || QProcess::execute("xdpyinfo", {}) != 0) {
    std::fprintf(stderr, "no X display: skipped\n");
    return quiz::testing::kSkipped;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
