#pragma once
// Build outputs the launcher and killall tests run, fixed when the tests are configured.

#include <string>

namespace apps_testing {

inline std::string builtKillall() { return CORVANE_KILLALL; }
inline std::string builtSpringBoard() { return CORVANE_SPRINGBOARD; }
inline std::string builtTestApp() { return CORVANE_TEST_APP; }

}  // namespace apps_testing
