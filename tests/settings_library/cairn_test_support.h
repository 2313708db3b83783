// Support for the settings-library tests: a fresh region per test, a view of
// the region's bytes, and the helper program run as a separate process.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace cvtest {

// A region name no other test (or test run) uses.
std::string UniqueRegionName();
// The POSIX object behind a region name.
std::string RegionObject(const std::string& region);
// A copy of the region's bytes as another process sees them; empty when the
// region does not exist.
std::vector<std::uint8_t> RegionBytes(const std::string& region);

// Runs the helper with the given commands and extra environment
// ("NAME=value"), waits for it and returns its output.
std::string RunHelper(const std::vector<std::string>& args, const std::vector<std::string>& env = {});
// Starts the helper; returns once it printed its first `lines` lines.
pid_t StartHelper(const std::vector<std::string>& args, int lines, std::string* output = nullptr,
                  const std::vector<std::string>& env = {});
void KillHard(pid_t pid);  // kill -9 and reap

// Each test gets a region of its own and attaches this process to it.
class RegionTest : public ::testing::Test {
 protected:
  void SetUp() override;
  std::string region_;
};

}  // namespace cvtest
