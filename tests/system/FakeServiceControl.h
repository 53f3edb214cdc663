#pragma once
// A small service manager and driver in memory. It behaves like the real one
// for the steps the driver unit takes, can be told to refuse some of them, and
// records every call with its arguments and outcome.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "port/permission/ddkint/ServiceControl.h"

namespace korvalinx::testing {

class FakeServiceControl final : public ServiceControl {
 public:
  static constexpr DeviceHandle kDevice = 0xD0;

  // The machine.
  bool serviceRegistered = false;
  bool serviceRunning = false;
  bool driverFilePresent = true;
  std::string registeredPath;
  std::string folder = "C:\\Lab";
  VersionAnswer version{true, 2};

  // Refusals.
  bool managerRefused = false;
  bool stopRefused = false;
  bool deleteRefused = false;
  bool deviceRefused = false;  // the device does not open even while running
  bool requestRefused = false;
  // When set, the error code a device open leaves, whatever its outcome.
  std::optional<std::uint32_t> openError;
  // When set, the handle a device open returns, whatever its outcome.
  std::optional<DeviceHandle> openHandle;

  // What happened.
  std::vector<std::string> calls;
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  std::set<ServiceHandle> openHandles;
  std::vector<std::string> faults;  // misuse of handles

  int count(const std::string& prefix) const;

  ServiceHandle openServiceManager(std::uint32_t access) override;
  ServiceHandle createService(ServiceHandle manager, const std::string& name,
                              const std::string& displayName, std::uint32_t access,
                              std::uint32_t serviceType, std::uint32_t startType,
                              std::uint32_t errorControl, const std::string& binaryPath) override;
  ServiceHandle openService(ServiceHandle manager, const std::string& name,
                            std::uint32_t access) override;
  bool startService(ServiceHandle service) override;
  bool controlService(ServiceHandle service, std::uint32_t control) override;
  bool deleteService(ServiceHandle service) override;
  bool closeServiceHandle(ServiceHandle handle) override;
  DeviceHandle createFile(const std::string& path, std::uint32_t access, std::uint32_t shareMode,
                          std::uint32_t disposition, std::uint32_t attributes) override;
  bool deviceIoControl(DeviceHandle device, std::uint32_t code) override;
  std::uint32_t lastError() override { return error_; }
  VersionAnswer queryVersion() override;
  std::string programFolder() override { return folder; }
  void messageBox(const std::string& text, const std::string& caption) override;

 private:
  ServiceHandle newHandle();
  void checkOpen(ServiceHandle handle, const char* use);

  std::uint32_t error_ = 0;
  ServiceHandle nextHandle_ = 1;
};

}  // namespace korvalinx::testing
