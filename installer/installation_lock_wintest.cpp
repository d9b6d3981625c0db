// The machine-wide installation lock: a run waits for another holder, and
// a window's thread keeps answering its messages while it waits.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "installation_lock_win.h"

namespace velmo {
namespace {

TEST(InstallationLock, AWindowsThreadAnswersMessagesWhileItWaitsAndGetsTheLockOnceFree) {
  HWND window = CreateWindowExW(0, L"STATIC", L"waiting", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(window);
  std::atomic<bool> holding = false;
  std::atomic<int> answered = -1;
  std::thread other([&] {
    InstallationLock lock;
    holding = lock.Acquire(0);
    while (!holding.load()) Sleep(1);
    Sleep(200);
    DWORD_PTR result = 0;
    answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
    Sleep(100);
  });  // let go when the thread ends
  while (!holding.load()) Sleep(1);

  InstallationLock mine;
  EXPECT_FALSE(mine.Acquire(50, true)) << "another holds it";
  EXPECT_TRUE(mine.Acquire(5000, true));
  EXPECT_EQ(answered.load(), 1) << "a message sent during the wait was answered";
  other.join();
  EXPECT_TRUE(mine.Held());
  DestroyWindow(window);
}

TEST(InstallationLock, WithoutPumpingTheWaitEndsAtItsLimit) {
  std::atomic<bool> holding = false, done = false;
  std::thread other([&] {
    InstallationLock lock;
    holding = lock.Acquire(0);
    while (!done.load()) Sleep(1);
  });
  while (!holding.load()) Sleep(1);
  InstallationLock mine;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(mine.Acquire(300));
  EXPECT_GE(GetTickCount() - start, 250u);
  done = true;
  other.join();
  EXPECT_TRUE(mine.Acquire(1000)) << "the holder's thread ended";
}

}  // namespace
}  // namespace velmo
