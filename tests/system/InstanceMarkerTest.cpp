#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "ChildProcess.h"
#include "platform/os/InstanceMarker.h"

namespace korvalinx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;

// Names of their own per test process, so that runs side by side do not meet.
std::string uniqueName(const std::string& tag) {
  return tag + std::to_string(getpid());
}

TEST(InstanceMarker, SecondProcessIsHeldBackUntilTheFirstEnds) {
  const std::string name = uniqueName("TWO");

  ChildProcess first({KORVALINX_MARKER_HELPER, "hold", name});
  ASSERT_TRUE(first.started());
  EXPECT_EQ(first.readLine(10s), "held");

  ChildProcess second({KORVALINX_MARKER_HELPER, "try", name});
  EXPECT_EQ(second.readLine(10s), "busy");
  EXPECT_EQ(second.wait(10s), 0);

  first.closeInput();
  EXPECT_EQ(first.wait(10s), 0);

  ChildProcess third({KORVALINX_MARKER_HELPER, "try", name});
  EXPECT_EQ(third.readLine(10s), "held");
  EXPECT_EQ(third.wait(10s), 0);
}

TEST(InstanceMarker, OtherNamesAreNotHeldBack) {
  const std::string name = uniqueName("ONE");
  ChildProcess first({KORVALINX_MARKER_HELPER, "hold", name});
  EXPECT_EQ(first.readLine(10s), "held");

  ChildProcess other({KORVALINX_MARKER_HELPER, "try", name + "X"});
  EXPECT_EQ(other.readLine(10s), "held");
}

TEST(InstanceMarker, ProgramsStartedFromTheInstanceDoNotKeepTheMarker) {
  const std::string name = uniqueName("EXEC");
  // The holder replaces itself with another program and keeps running.
  ChildProcess holder({KORVALINX_MARKER_HELPER, "hold-then-exec", name});
  EXPECT_EQ(holder.readLine(10s), "held");
  EXPECT_EQ(holder.readLine(10s), "waiting");  // the exec has happened

  ChildProcess next({KORVALINX_MARKER_HELPER, "try", name});
  EXPECT_EQ(next.readLine(10s), "held");
}

TEST(InstanceMarker, WithinOneProcessANameIsTakenOnce) {
  const std::string name = uniqueName("SELF");
  EXPECT_TRUE(AcquireInstanceMarker(name));
  EXPECT_FALSE(AcquireInstanceMarker(name));

  // Names too long for a socket address stay apart by their whole text.
  const std::string longName(200, 'L');
  EXPECT_TRUE(AcquireInstanceMarker(longName + name + "a"));
  EXPECT_TRUE(AcquireInstanceMarker(longName + name + "b"));
  EXPECT_FALSE(AcquireInstanceMarker(longName + name + "a"));
}

}  // namespace
}  // namespace korvalinx
