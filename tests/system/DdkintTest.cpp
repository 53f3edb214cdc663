#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FakeServiceControl.h"
#include "port/permission/ddkint/Ddkint.h"
#include "port/permission/ddkint/ProgramFolder.h"

namespace korvalinx {
namespace {

using testing::FakeServiceControl;
using Messages = std::vector<std::pair<std::string, std::string>>;

const char kReinstallText[] =
    "Verify if zlportio.sys is present in korvalinx directory, reboot the computer and try again.";
const char kReinstallCaption[] = "KORVALINX: Error setting IO permissions";
const char kOpenDevice[] = "CreateFile(\\\\.\\ZLPORTIO, 0xc0000000, 0, 3, 0x80)";

class DdkintTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_TRUE(system.openHandles.empty()) << "service handles left open";
    EXPECT_TRUE(system.faults.empty()) << system.faults.front();
  }

  FakeServiceControl system;
  Ddkint unit{system};
};

TEST(DdkintControlCode, PacksTypeAccessFunctionAndMethod) {
  EXPECT_EQ(Ddkint::MakeControlCode(0x80FF, 3, 0, 0), 0x80FF000Cu);
  EXPECT_EQ(Ddkint::MakeControlCode(0x80FF, 1, 0, 0), 0x80FF0004u);
  EXPECT_EQ(Ddkint::MakeControlCode(0x22, 0x801, 2, 3), 0x0022E006u);
  EXPECT_EQ(kPermissionRequest, 0x80FF000Cu);
}

TEST_F(DdkintTest, FirstStartRegistersStartsOpensAndAsks) {
  EXPECT_EQ(unit.EnablePortAccess(), 0);

  const std::vector<std::string> expected{
      std::string(kOpenDevice) + " = invalid",
      // The stop and the deletion of a service that does not exist fail
      // silently.
      "OpenSCManager(0x1) = sc1",
      "OpenService(sc1, zlportio, 0x20) = 0",
      "CloseServiceHandle(sc1) = true",
      "OpenSCManager(0xf003f) = sc2",
      "OpenService(sc2, zlportio, 0xf01ff) = 0",
      "CloseServiceHandle(sc2) = true",
      "OpenSCManager(0xf003f) = sc3",
      "CreateService(sc3, zlportio, zlportio, 0xf01ff, 1, 3, 1, C:\\Lab\\zlportio.sys) = sc4",
      "CloseServiceHandle(sc4) = true",
      "CloseServiceHandle(sc3) = true",
      "OpenSCManager(0x1) = sc5",
      "OpenService(sc5, zlportio, 0x10) = sc6",
      "StartService(sc6) = true",
      "CloseServiceHandle(sc6) = true",
      "CloseServiceHandle(sc5) = true",
      std::string(kOpenDevice) + " = device",
      "DeviceIoControl(0x80ff000c) = true",
  };
  EXPECT_EQ(system.calls, expected);
  EXPECT_EQ(unit.deviceHandle(), FakeServiceControl::kDevice);
}

TEST_F(DdkintTest, RunningServiceIsReusedWithoutReinstall) {
  system.serviceRegistered = true;
  system.serviceRunning = true;

  EXPECT_EQ(unit.EnablePortAccess(), 0);
  const std::vector<std::string> expected{std::string(kOpenDevice) + " = device",
                                          "DeviceIoControl(0x80ff000c) = true"};
  EXPECT_EQ(system.calls, expected);
}

TEST_F(DdkintTest, MissingDriverFileShowsTheReinstallMessage) {
  system.driverFilePresent = false;

  EXPECT_EQ(unit.EnablePortAccess(), 1);
  EXPECT_EQ(system.messages, (Messages{{kReinstallText, kReinstallCaption}}));
  EXPECT_EQ(system.registeredPath, "C:\\Lab\\zlportio.sys");  // created all the same
  EXPECT_EQ(system.count("CreateFile"), 1);
  EXPECT_EQ(system.count("DeviceIoControl"), 0);
}

TEST_F(DdkintTest, DeviceThatStillDoesNotOpenAfterReinstall) {
  system.deviceRefused = true;

  EXPECT_EQ(unit.EnablePortAccess(), 1);
  EXPECT_EQ(system.messages, (Messages{{"Opening of driver failed", "Setting IO permissions"}}));
  EXPECT_EQ(system.count("CreateFile"), 2);
  EXPECT_EQ(system.count("StartService"), 1);
  EXPECT_EQ(system.count("DeviceIoControl"), 0);
  EXPECT_EQ(unit.deviceHandle(), kInvalidDeviceHandle);
}

TEST_F(DdkintTest, RefusedPermissionRequestFailsWithoutMessage) {
  system.serviceRegistered = true;
  system.serviceRunning = true;
  system.requestRefused = true;

  EXPECT_EQ(unit.EnablePortAccess(), 1);
  EXPECT_TRUE(system.messages.empty());
}

TEST_F(DdkintTest, ShutdownStopsAndDeletesTheService) {
  system.serviceRegistered = true;
  system.serviceRunning = true;
  ASSERT_EQ(unit.EnablePortAccess(), 0);

  system.calls.clear();
  unit.ShutdownDriver();
  const std::vector<std::string> expected{
      "OpenSCManager(0x1) = sc1",
      "OpenService(sc1, zlportio, 0x20) = sc2",
      "ControlService(sc2, 1) = true",
      "CloseServiceHandle(sc2) = true",
      "CloseServiceHandle(sc1) = true",
      "OpenSCManager(0xf003f) = sc3",
      "OpenService(sc3, zlportio, 0xf01ff) = sc4",
      "DeleteService(sc4) = true",
      "CloseServiceHandle(sc4) = true",
      "CloseServiceHandle(sc3) = true",
  };
  EXPECT_EQ(system.calls, expected);
  EXPECT_FALSE(system.serviceRegistered);
  EXPECT_TRUE(system.messages.empty());
  EXPECT_EQ(unit.deviceHandle(), 0u);

  // The next run starts from scratch, like the first one.
  Ddkint nextRun(system);
  EXPECT_EQ(nextRun.EnablePortAccess(), 0);
  EXPECT_EQ(system.count("CreateService"), 1);
}

TEST_F(DdkintTest, FailedStopAtCloseStillAttemptsDeletion) {
  system.serviceRegistered = true;
  system.serviceRunning = true;
  system.stopRefused = true;
  system.deleteRefused = true;

  unit.ShutdownDriver();
  EXPECT_EQ(system.messages, (Messages{{"Error stopping driver", "Disabling IO permissions"},
                                       {"Error removing driver", "Disabling IO permissions"}}));
  EXPECT_EQ(system.count("DeleteService"), 1);
}

TEST_F(DdkintTest, ServiceRoutinesReturnTheErrorOfTheFailedStep) {
  EXPECT_EQ(unit.StopDriver("zlportio"), 1060u);  // no such service
  EXPECT_EQ(unit.RemoveDriver("zlportio"), 1060u);
  EXPECT_EQ(unit.InstallDriver("C:\\Lab\\zlportio.sys", "zlportio"), 0u);
  EXPECT_EQ(unit.InstallDriver("C:\\Lab\\zlportio.sys", "zlportio"), 1073u);  // exists
  EXPECT_EQ(unit.StopDriver("zlportio"), 1062u);                              // not running
  EXPECT_EQ(unit.StartDriver("zlportio"), 0u);
  EXPECT_EQ(unit.StartDriver("zlportio"), 1056u);  // already running
  EXPECT_EQ(unit.StopDriver("zlportio"), 0u);
  EXPECT_EQ(unit.RemoveDriver("zlportio"), 0u);

  system.managerRefused = true;
  EXPECT_EQ(unit.InstallDriver("C:\\Lab\\zlportio.sys", "zlportio"), 5u);
  EXPECT_EQ(unit.StartDriver("zlportio"), 5u);
  EXPECT_EQ(unit.StopDriver("zlportio"), 5u);
  EXPECT_EQ(unit.RemoveDriver("zlportio"), 5u);
}

TEST_F(DdkintTest, OpenIsJudgedByTheErrorCodeAndAValidHandle) {
  struct Case {
    DeviceHandle handle;
    std::uint32_t error;
    int expected;
  };
  const Case cases[] = {
      {FakeServiceControl::kDevice, 0, 0},
      {FakeServiceControl::kDevice, 183, 0},  // already exists
      {FakeServiceControl::kDevice, 5, 1},
      {kInvalidDeviceHandle, 0, 1},  // a failed open never counts as opened
  };
  for (const Case& c : cases) {
    system.openHandle = c.handle;
    system.openError = c.error;
    DeviceHandle handle = 0;
    EXPECT_EQ(unit.OpenPortDevice(handle), c.expected) << c.handle << " " << c.error;
    EXPECT_EQ(handle, c.handle);
  }
}

TEST_F(DdkintTest, DriverPathNextToTheProgram) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Program Files\\Lab", "C:\\Program Files\\Lab\\zlportio.sys"},
      {"C:\\", "C:\\zlportio.sys"},  // the root keeps its one backslash
  };
  for (const auto& [folder, path] : cases) {
    system.folder = folder;
    EXPECT_EQ(unit.DriverPath(), path);
  }
}

TEST_F(DdkintTest, DriverPathLongerThanTheBufferIsRefused) {
  // "\zlportio.sys" adds 13 characters: a folder of 242 gives 255, which fits.
  system.driverFilePresent = true;
  system.folder = "C:\\" + std::string(239, 'f');
  EXPECT_EQ(unit.ReinstallDriver(), 0u);
  EXPECT_EQ(system.registeredPath.size(), 255u);

  FakeServiceControl other;
  other.folder = "C:\\" + std::string(240, 'f');
  Ddkint longer(other);
  EXPECT_EQ(longer.EnablePortAccess(), 1);
  EXPECT_EQ(other.messages, (Messages{{kReinstallText, kReinstallCaption}}));
  EXPECT_EQ(other.count("CreateService"), 0);
  EXPECT_EQ(other.count("StartService"), 0);
  EXPECT_TRUE(other.openHandles.empty());
}

TEST_F(DdkintTest, VersionQuery) {
  EXPECT_TRUE(unit.IsWinNT());
  system.version = {true, 1};  // the 9x family
  EXPECT_FALSE(unit.IsWinNT());
  EXPECT_TRUE(system.messages.empty());

  system.version = {false, 2};
  EXPECT_FALSE(unit.IsWinNT());
  EXPECT_EQ(system.messages, (Messages{{"Getting OS version failed", "Getting OS version"}}));
}

TEST(ProgramFolderOf, DirectoryPartOfAWindowsPath) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Lab\\korvalinx.exe", "C:\\Lab"},
      {"C:\\korvalinx.exe", "C:\\"},
      {"\\\\server\\share\\korvalinx.exe", "\\\\server\\share"},
      {"korvalinx.exe", ""},
  };
  for (const auto& [path, folder] : cases) EXPECT_EQ(ProgramFolderOf(path), folder) << path;
}

}  // namespace
}  // namespace korvalinx
