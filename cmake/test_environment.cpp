// Linked into every test program: tells tests where the sources and the
// build are, unless the environment already says.
#include <cstdlib>

namespace {
struct TestEnvironment {
  TestEnvironment() {
    setenv("CV_SOURCE_DIR", CV_SOURCE_DIR_VALUE, 0);
    setenv("CV_BUILD_DIR", CV_BUILD_DIR_VALUE, 0);
  }
} test_environment;
}  // namespace
