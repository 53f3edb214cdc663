// The Windows wiring of the driver unit, with the process entry's message
// function: the NT check before any service call, and every message shown to
// the user, those of the close sequence included.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FakeServiceControl.h"
#include "port/permission/DeferredMessages.h"
#include "port/permission/ddkint/DriverPermission.h"

namespace korvalinx {
namespace {

using testing::FakeServiceControl;
using Messages = std::vector<std::pair<std::string, std::string>>;

const char kReinstallText[] =
    "Verify if zlportio.sys is present in korvalinx directory, reboot the computer and try again.";
const char kReinstallCaption[] = "KORVALINX: Error setting IO permissions";

class DriverPermissionTest : public ::testing::Test {
 protected:
  // The application's message box, once the toolkit is up.
  void toolkitUp() {
    messages.showWith([this](const std::string& text, const std::string& caption) {
      shown.emplace_back(text, caption);
    });
  }

  FakeServiceControl system;
  DriverPermission permission{system};
  DeferredMessages messages;
  Messages shown;
};

TEST_F(DriverPermissionTest, OnlyTheNtFamilyAsksTheDriver) {
  system.version = {true, 1};  // the 9x family
  EXPECT_EQ(permission.EnablePortAccess(messages.sink()), 0);
  EXPECT_EQ(system.calls, std::vector<std::string>{"GetVersionEx"});

  // A failed version query is shown, and answers: not the NT family.
  system.calls.clear();
  system.version = {false, 2};
  EXPECT_EQ(permission.EnablePortAccess(messages.sink()), 0);
  EXPECT_EQ(system.calls, std::vector<std::string>{"GetVersionEx"});
  toolkitUp();
  EXPECT_EQ(shown, (Messages{{"Getting OS version failed", "Getting OS version"}}));
  EXPECT_TRUE(system.messages.empty());

  // The NT family: the driver is asked.
  system.version = {true, 2};
  system.serviceRegistered = true;
  system.serviceRunning = true;
  EXPECT_EQ(permission.EnablePortAccess(messages.sink()), 0);
  EXPECT_EQ(system.count("DeviceIoControl"), 1);
}

TEST_F(DriverPermissionTest, ARefusalAtStartIsShownOnceTheToolkitIsUp) {
  system.driverFilePresent = false;
  EXPECT_EQ(permission.EnablePortAccess(messages.sink()), 1);
  EXPECT_TRUE(shown.empty());  // no toolkit yet
  toolkitUp();
  EXPECT_EQ(shown, (Messages{{kReinstallText, kReinstallCaption}}));
  EXPECT_TRUE(system.messages.empty());
}

TEST_F(DriverPermissionTest, MessagesOfTheCloseSequenceAreShownAtOnce) {
  system.serviceRegistered = true;
  system.serviceRunning = true;
  ASSERT_EQ(permission.EnablePortAccess(messages.sink()), 0);
  toolkitUp();
  EXPECT_TRUE(shown.empty());

  // The close sequence: the stop and the deletion both fail.
  system.stopRefused = true;
  system.deleteRefused = true;
  if (permission.IsWinNT()) permission.ShutdownDriver();
  EXPECT_EQ(shown, (Messages{{"Error stopping driver", "Disabling IO permissions"},
                             {"Error removing driver", "Disabling IO permissions"}}));

  // The version query of the close sequence.
  system.version = {false, 2};
  EXPECT_FALSE(permission.IsWinNT());
  EXPECT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown.back(), std::make_pair(std::string("Getting OS version failed"),
                                         std::string("Getting OS version")));
  EXPECT_TRUE(system.messages.empty());
}

}  // namespace
}  // namespace korvalinx
