// Long seeded random runs on the Qt window, and its memory under many events.
// QUIZ_RANDOM_SEED replays one seed.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QApplication>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // the sanitizer's allocator
#endif

#include "tests/qt/qt_driver.h"
#include "tests/scenarios/random_run.h"

namespace quiz::testing {
namespace {

TEST(QtRandomRun, WindowFollowsTheModel) {
  const std::uint64_t seed = RandomSeed();
  QtDriver driver;
  const RandomRunResult result = RunRandomEvents(driver, seed, 4000);
  ASSERT_EQ(result.failure, "") << "replay with QUIZ_RANDOM_SEED=" << seed;
  RecordProperty("events", result.events);
  EXPECT_GE(result.events, 1000);
}

// Bytes of heap in use now.
std::size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

TEST(QtResources, MemoryStaysFlatOverManyClicksAndRepaints) {
  QtDriver driver;
  auto play = [&](int rounds) {
    for (int r = 0; r < rounds; ++r) {
      driver.ClickPerson(r % kRowCount);
      driver.ClickAchievement((r * 5) % kRowCount);  // right answers and wrong ones
      driver.ClickCommand(r % 3 == 2 ? 1 : 0);
      driver.window().repaint();
    }
    QCoreApplication::processEvents();
  };
  play(300);  // warm-up: glyph caches and the like fill once
  const std::size_t heap = LiveHeapBytes();
  const qsizetype widgets = QApplication::allWidgets().size();
  play(2000);
  const std::size_t grown = LiveHeapBytes() > heap ? LiveHeapBytes() - heap : 0;
  RecordProperty("heap_growth_bytes", static_cast<int>(grown));
  EXPECT_LT(grown, 256u * 1024u) << "heap grew by " << grown << " bytes over 8000 events";
  EXPECT_EQ(QApplication::allWidgets().size(), widgets);
}

}  // namespace
}  // namespace quiz::testing
