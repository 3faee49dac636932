// The user-level scenarios and the window-conformance suite on the Qt window.
#include "tests/qt/qt_driver.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/window_conformance.h"

namespace quiz::testing {
namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, QuizScenario, QtDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowConformance, QtDriver);

}  // namespace
}  // namespace quiz::testing
