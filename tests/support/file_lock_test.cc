// The SysData lock between processes: a second process waits its bounded
// time and then fails with the reason; the lock nests within one process.
#include "support/file_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/paths.h"
#include "tests/common/fake_platform.h"
#include "tests/common/temp_dir.h"

namespace zelvo {
namespace {

TEST(SysDataLockTest, AnotherProcessWaitsThenFailsAndNestedLocksShareOne) {
  testing::TempProgramDir dir;
  dir.MakeMinimalSysData();
  testing::FakePlatform fake;
  auto saved_limit = SysDataLock::WaitLimit();
  SysDataLock::WaitLimit() = std::chrono::milliseconds(300);
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SysDataLock lock(false);
    char c = lock.Locked() ? 'y' : 'n';
    (void)!::write(ready[1], &c, 1);
    (void)!::read(release[0], &c, 1);  // held until the parent says
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  {
    SysDataLock quiet(false);
    EXPECT_FALSE(quiet.Locked());
    EXPECT_TRUE(fake.messages().empty());
    SysDataLock told;
    EXPECT_FALSE(told.Locked());
    ASSERT_EQ(fake.messages().size(), 1u);
    EXPECT_EQ(
        fake.messages()[0].text,
        SysDataPath(".lock") +
            "\r\nSysDataフォルダは他のZelvo miniが使用中です。しばらくしてからやり直して下さい。");
  }
  (void)!::write(release[1], "x", 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  {
    SysDataLock outer;
    ASSERT_TRUE(outer.Locked());
    SysDataLock inner;
    EXPECT_TRUE(inner.Locked());
  }
  // Released with the outer one: a new process gets it at once.
  child = ::fork();
  if (child == 0) ::_exit(SysDataLock(false).Locked() ? 0 : 1);
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  SysDataLock::WaitLimit() = saved_limit;
  for (int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);
}

}  // namespace
}  // namespace zelvo
