// The real Linux grant, run in helper processes so that the test process
// keeps its own privileges. What the system grants depends on where the tests
// run (a kernel without port access, a user without privileges, root); in
// every case the outcome must be sound.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "ChildProcess.h"
#include "port/permission/GrantPortAccess.h"

namespace korvalinx {
namespace {

using namespace std::chrono_literals;
using testing::ChildProcess;

std::string runProbe(const std::string& mode) {
  ChildProcess probe({KORVALINX_PERMISSION_PROBE, mode});
  const std::optional<std::string> output = probe.readAll(20s);
  EXPECT_EQ(probe.wait(10s), 0);
  return output.value_or("(no output)");
}

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(PortPermissionProbe, GrantedWithoutPrivilegesOrRefusedWithAReason) {
  const std::string output = runProbe("enable");
  if (contains(output, "result 0\n")) {
    EXPECT_TRUE(contains(output, "capabilities none\n")) << output;
    EXPECT_FALSE(contains(output, "message ")) << output;
    return;
  }
  EXPECT_TRUE(contains(output, "result 1\n")) << output;
  EXPECT_TRUE(contains(output, "message KORVALINX: Error setting IO permissions\n")) << output;
  if (contains(output, "setcap")) {
    const std::string probePath = std::filesystem::canonical(KORVALINX_PERMISSION_PROBE).string();
    EXPECT_TRUE(contains(output, SetcapCommand(probePath) + "\n")) << output;
  } else {
    EXPECT_TRUE(contains(output, "gives programs no direct port access")) << output;
  }
}

TEST(PortPermissionProbe, DroppingLeavesNoCapabilityInTheProcess) {
  const std::string output = runProbe("drop");
  if (contains(output, "before none\n")) {
    GTEST_SKIP() << "the tests run without capabilities, so there are none to drop";
  }
  EXPECT_TRUE(contains(output, "result 0\ncapabilities none\n")) << output;
}

TEST(PortPermissionProbe, AThreadThatKeepsCapabilitiesIsAFailure) {
  const std::string output = runProbe("drop-with-thread");
  if (contains(output, "before none\n")) {
    GTEST_SKIP() << "the tests run without capabilities, so no thread can keep any";
  }
  EXPECT_TRUE(contains(output, "error another thread of the process still holds capabilities\n"))
      << output;
  EXPECT_TRUE(contains(output, "result 1\n")) << output;
}

}  // namespace
}  // namespace korvalinx
