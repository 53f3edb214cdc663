#pragma once
// The port I/O permission driver unit: registers zlportio.sys (next to the
// program) as a kernel-driver service, starts it, opens its device and asks it
// for port permission; at the end of a run it stops and deletes the service.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "port/permission/PortPermission.h"
#include "port/permission/ddkint/ServiceControl.h"

namespace korvalinx {

inline constexpr char kDriverServiceName[] = "zlportio";
inline constexpr char kDriverDevicePath[] = "\\\\.\\ZLPORTIO";
// The driver path is passed from a buffer of this many characters, the
// terminator included.
inline constexpr std::size_t kDriverPathBufferSize = 256;

class Ddkint {
 public:
  explicit Ddkint(ServiceControl& system) : system_(system) {}

  // Where the unit's messages go: the application's message box. Until one
  // is set, the system's own message box shows them.
  void setMessageFn(MessageFn show) { show_ = std::move(show); }

  // The NT device control code: type in bits 16-31, access 14-15, function
  // 2-13, method 0-1; no field is masked.
  static constexpr std::uint32_t MakeControlCode(std::uint32_t deviceType, std::uint32_t function,
                                                 std::uint32_t method, std::uint32_t access) {
    return (deviceType << 16) | (access << 14) | (function << 2) | method;
  }

  // The four service routines return 0 or the last-error code of the first
  // step that failed; every handle they open is closed on every path.
  std::uint32_t InstallDriver(const std::string& driverPath, const std::string& serviceName);
  std::uint32_t StartDriver(const std::string& serviceName);
  std::uint32_t StopDriver(const std::string& serviceName);
  std::uint32_t RemoveDriver(const std::string& serviceName);

  // True on the NT family. A failed version query is shown and answers false.
  bool IsWinNT();

  // Opens the driver's device into `handle`: 0 opened, 1 failed.
  int OpenPortDevice(DeviceHandle& handle);
  // Stops, deletes, registers and starts the service anew; the start's result.
  std::uint32_t ReinstallDriver();
  // 0 when the driver granted port access, 1 otherwise.
  int EnablePortAccess();
  // Stops and deletes the service, showing each failure.
  void DisablePortAccess();
  // DisablePortAccess, then forgets the device handle without closing it.
  void ShutdownDriver();

  // The path of the driver file next to the program.
  std::string DriverPath();

  DeviceHandle deviceHandle() const { return deviceHandle_; }

 private:
  void showMessage(const std::string& text, const std::string& caption);

  ServiceControl& system_;
  MessageFn show_;
  // Never closed: the system releases it when the process ends.
  DeviceHandle deviceHandle_ = 0;
};

// The permission request: device type 0x80FF, function 3, buffered, any access.
inline constexpr std::uint32_t kPermissionRequest = Ddkint::MakeControlCode(0x80FF, 3, 0, 0);

}  // namespace korvalinx
