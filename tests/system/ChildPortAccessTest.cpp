// What a started program's child side gives up. Port access itself cannot be
// had where the tests run, so this shows that the call is safe without it: in
// a forked child, it returns, keeps errno, and the child goes on to exec.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/os/ChildPortAccess.h"

namespace korvalinx {
namespace {

TEST(ChildPortAccess, GivingUpWithoutPortAccessIsHarmlessInAForkedChild) {
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    errno = EINTR;
    GiveUpPortAccessInChild();
    GiveUpPortAccessInChild();  // twice: nothing left to give up
    if (errno != EINTR) _exit(3);
    execl("/bin/sh", "sh", "-c", "exit 7", static_cast<char*>(nullptr));
    _exit(4);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 7);
}

}  // namespace
}  // namespace korvalinx
