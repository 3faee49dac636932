// The tables and the conformance suite on the in-memory window.
#include "tests/core/headless_driver.h"
#include "tests/scenarios/scenario_suite.h"
#include "tests/scenarios/window_conformance.h"

namespace quiz::testing {
namespace {

QUIZ_SCENARIO_ROWS(Headless, HeadlessDriver);
QUIZ_KEY_RUN_ROWS(Headless, HeadlessDriver);
INSTANTIATE_TYPED_TEST_SUITE_P(Headless, WindowConformance, HeadlessDriver);

}  // namespace
}  // namespace quiz::testing
