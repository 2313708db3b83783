// The shared region class on its own: sizes, bounds and holders.
#include <unistd.h>
#include <sys/mman.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "settings_library/shared_region.h"

namespace {

std::string Name() {
  static int n = 0;
  return "cvregion-" + std::to_string(getpid()) + "-" + std::to_string(++n);
}

void Unlink(const std::string& name) {
  shm_unlink(cv::SharedObjectName(name).c_str());
  shm_unlink((cv::SharedObjectName(name) + ".gate").c_str());
}

TEST(SharedRegion, ReadsAndWritesStayInsideTheView) {
  const std::string name = Name();
  {
    cv::TMemoryMapFile map(name, 64);
    ASSERT_TRUE(map.IsOpen()) << map.LastError();
    EXPECT_TRUE(map.Created());
    EXPECT_EQ(map.MapSize(), 64u);
    const char data[] = "0123456789";
    EXPECT_TRUE(map.WriteToMemmap(data, 54, 10));
    EXPECT_FALSE(map.WriteToMemmap(data, 55, 10));  // one byte past the end
    EXPECT_FALSE(map.WriteToMemmap(data, -1, 1));
    char buf[16] = {};
    EXPECT_EQ(map.ReadFromMemmap(buf, 62, 10), 2u);  // only what is there
    EXPECT_EQ(std::string(buf, 2), "89");
    EXPECT_EQ(map.ReadFromMemmap(buf, 64, 10), 0u);
    EXPECT_EQ(map.ReadFromMemmap(buf, 0, -1), 0u);
  }
  Unlink(name);
}

TEST(SharedRegion, ALaterOpenerSharesTheCreatorsRegion) {
  const std::string name = Name();
  {
    cv::TMemoryMapFile first(name, 128);
    ASSERT_TRUE(first.IsOpen());
    EXPECT_FALSE(first.OtherHoldersPresent());
    std::memset(first.Base(), 0x5A, 128);
    {
      cv::TMemoryMapFile second(name, 16);  // keeps the creator's size
      ASSERT_TRUE(second.IsOpen());
      EXPECT_FALSE(second.Created());
      EXPECT_EQ(second.MapSize(), 128u);
      EXPECT_EQ(static_cast<unsigned char*>(second.Base())[127], 0x5A);
      EXPECT_TRUE(first.OtherHoldersPresent());
      cv::TMemoryMapFile bigger(name, 256);  // wants more than exists: refused
      EXPECT_FALSE(bigger.IsOpen());
      EXPECT_EQ(bigger.Base(), nullptr);
    }
    EXPECT_FALSE(first.OtherHoldersPresent());
  }
  // The last holder took the region with it: a new one starts at zero.
  cv::TMemoryMapFile again(name, 128);
  ASSERT_TRUE(again.IsOpen());
  EXPECT_TRUE(again.Created());
  EXPECT_EQ(static_cast<unsigned char*>(again.Base())[127], 0);
  again.Close();
  Unlink(name);
}

TEST(SharedRegion, BadNamesAreRefused) {
  for (const char* bad : {"", "a/b"}) {
    cv::TMemoryMapFile map(bad, 16);
    EXPECT_FALSE(map.IsOpen());
  }
}

}  // namespace
