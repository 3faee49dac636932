// The user-level scenarios on the Qt window, clicked with the mouse.
#include "tests/qt/qt_driver.h"
#include "tests/scenarios/scenario_suite.h"

namespace quiz::testing {
namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, QuizScenario, QtDriver);

}  // namespace
}  // namespace quiz::testing
