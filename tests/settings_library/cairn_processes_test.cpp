// Settings shared between processes: separate programs, kill -9, window
// messages to the controller, and regions that must not be used.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "cairn_test_support.h"
#include "platform/post_message.h"
#include "settings_library/cairn7.h"

namespace {

using cvtest::KillHard;
using cvtest::RunHelper;
using cvtest::StartHelper;

class CairnProcesses : public cvtest::RegionTest {};

TEST_F(CairnProcesses, AValueSetInOneProcessIsReadInAnother) {
  EXPECT_EQ(RunHelper({"setup", "set_autosave", "10", "set_autosave", "10"}), "ok\n1\n0\n");
  EXPECT_EQ(RunHelper({"setup", "get_autosave"}), "ok\n10\n");
  EXPECT_EQ(GetAutoSaveMinutes(), 10);
  EXPECT_TRUE(SetToolsOpen(5, 3));
  EXPECT_EQ(RunHelper({"setup", "get_tools_open", "5"}), "ok\n3\n");
}

TEST(CairnRegionLifetime, TheRegionLastsWhileAnyHolderLivesAndIsFreshAfterAllAreKilled) {
  const std::string region = cvtest::UniqueRegionName();
  setenv("CV_SETTINGS_REGION", region.c_str(), 1);
  const pid_t a = StartHelper({"setup", "set_autosave", "42", "hold"}, 3);
  const pid_t b = StartHelper({"setup", "hold"}, 2);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  KillHard(a);
  EXPECT_EQ(RunHelper({"setup", "get_autosave"}), "ok\n42\n");  // b still holds it
  KillHard(b);
  // Every holder died without a word; the next one starts from zero.
  EXPECT_EQ(RunHelper({"setup", "get_autosave"}), "ok\n0\n");
  EXPECT_EQ(RunHelper({"setup", "set_autosave", "7"}), "ok\n1\n");
  EXPECT_TRUE(cvtest::RegionBytes(region).empty());  // a clean close removes it
}

TEST_F(CairnProcesses, SettingUpAgainKeepsTheRegionOnlyWhileOthersHoldIt) {
  EXPECT_TRUE(SetAutoSaveMinutes(12));
  SetupCairnSharing();  // alone: the old region goes, the new one is empty
  EXPECT_EQ(GetAutoSaveMinutes(), 0);
  EXPECT_TRUE(SetAutoSaveMinutes(12));
  const pid_t other = StartHelper({"setup", "hold"}, 2);
  ASSERT_GT(other, 0);
  SetupCairnSharing();
  EXPECT_EQ(GetAutoSaveMinutes(), 12);
  KillHard(other);
}

TEST(CairnRegionLifetime, ARegionOpenToOtherUsersIsRefused) {
  const std::string region = cvtest::UniqueRegionName();
  const std::string object = cvtest::RegionObject(region);
  const int fd = shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(fchmod(fd, 0666), 0);
  setenv("CV_SETTINGS_REGION", region.c_str(), 1);
  SetupCairnSharing();
  // The process works on its own record: nothing reaches the object.
  EXPECT_TRUE(SetAutoSaveMinutes(31));
  EXPECT_EQ(GetAutoSaveMinutes(), 31);
  struct stat st {};
  ASSERT_EQ(fstat(fd, &st), 0);
  EXPECT_EQ(st.st_size, 0);
  EXPECT_EQ(RunHelper({"setup", "get_autosave"}), "ok\n0\n");
  close(fd);
  // A fresh region once the bad object is gone.
  shm_unlink(object.c_str());
  SetupCairnSharing();
  EXPECT_EQ(GetAutoSaveMinutes(), 0);
}

TEST_F(CairnProcesses, WindowsAreAnnouncedToTheController) {
  const cv::HWND controller = 0x10000000u | (std::random_device{}() & 0x0FFFFFFFu);
  const int queue = cv::OpenWindowMessageQueue(controller);
  ASSERT_GE(queue, 0);
  cv::TPostedMessage m;

  // No controller stored: nothing is posted.
  SetNewWnd(1, 0x1234);
  UnSetWnd(1, 0x1234);
  EXPECT_FALSE(cv::ReceivePostedMessage(queue, m));

  SetShellWnd(controller);
  SetNewWnd(1, 0x1234);
  ASSERT_TRUE(cv::ReceivePostedMessage(queue, m));
  EXPECT_EQ(m.wnd, controller);
  EXPECT_EQ(m.msg, 0x400u + 611);
  EXPECT_EQ(m.wParam, 1u);
  EXPECT_EQ(m.lParam, 0x1234);

  SetNewWnd(16, 0x99);  // the controller itself
  SetNewWnd(2, 0);      // no window
  EXPECT_FALSE(cv::ReceivePostedMessage(queue, m));

  UnSetWnd(3, 0);
  ASSERT_TRUE(cv::ReceivePostedMessage(queue, m));
  EXPECT_EQ(m.msg, 0x400u + 612);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(cv::ReceivePostedMessage(queue, m));
  cv::CloseWindowMessageQueue(queue);

  // Nobody listening: the post is dropped and the call returns at once.
  SetNewWnd(1, 0x1234);
  EXPECT_FALSE(cv::PostMessageW(controller, 0x400 + 611, 1, 1));
}

TEST(PostMessage, AFullQueueNeverBlocksTheSender) {
  const cv::HWND wnd = 0x20000000u | (std::random_device{}() & 0x0FFFFFFFu);
  const int queue = cv::OpenWindowMessageQueue(wnd);
  ASSERT_GE(queue, 0);
  EXPECT_EQ(cv::OpenWindowMessageQueue(wnd), -1);  // one queue per window
  int delivered = 0;
  for (int i = 0; i < 5000; ++i) delivered += cv::PostMessageW(wnd, 1, i, -i) ? 1 : 0;
  EXPECT_GT(delivered, 0);
  EXPECT_LT(delivered, 5000);  // the queue holds far fewer
  cv::TPostedMessage m;
  ASSERT_TRUE(cv::ReceivePostedMessage(queue, m));
  EXPECT_EQ(m.wParam, 0u);
  EXPECT_EQ(m.lParam, 0);
  cv::CloseWindowMessageQueue(queue);
}

}  // namespace
