#include "port/permission/ddkint/Ddkint.h"

#include <functional>

#include "port/permission/ddkint/Win32Codes.h"

namespace korvalinx {

namespace {

constexpr char kReinstallFailedText[] =
    "Verify if zlportio.sys is present in korvalinx directory, reboot the computer and try again.";
constexpr char kReinstallFailedCaption[] = "KORVALINX: Error setting IO permissions";

// Opens the manager and the service, runs `action` on the service, closes both
// handles. The error code is read right after the step that failed, before
// any handle is closed.
std::uint32_t onService(ServiceControl& system, const std::string& serviceName,
                        std::uint32_t managerAccess, std::uint32_t serviceAccess,
                        const std::function<bool(ServiceHandle)>& action) {
  const ServiceHandle manager = system.openServiceManager(managerAccess);
  if (manager == 0) return system.lastError();

  std::uint32_t result = win32::kErrorSuccess;
  const ServiceHandle service = system.openService(manager, serviceName, serviceAccess);
  if (service == 0) {
    result = system.lastError();
  } else {
    if (!action(service)) result = system.lastError();
    system.closeServiceHandle(service);
  }
  system.closeServiceHandle(manager);
  return result;
}

}  // namespace

std::uint32_t Ddkint::InstallDriver(const std::string& driverPath, const std::string& serviceName) {
  const ServiceHandle manager = system_.openServiceManager(win32::kScManagerAllAccess);
  if (manager == 0) return system_.lastError();

  std::uint32_t result = win32::kErrorSuccess;
  const ServiceHandle service = system_.createService(
      manager, serviceName, serviceName, win32::kServiceAllAccess, win32::kServiceKernelDriver,
      win32::kServiceDemandStart, win32::kServiceErrorNormal, driverPath);
  if (service == 0) {
    result = system_.lastError();
  } else {
    system_.closeServiceHandle(service);
  }
  system_.closeServiceHandle(manager);
  return result;
}

std::uint32_t Ddkint::StartDriver(const std::string& serviceName) {
  return onService(system_, serviceName, win32::kScManagerConnect, win32::kServiceStart,
                   [this](ServiceHandle service) { return system_.startService(service); });
}

std::uint32_t Ddkint::StopDriver(const std::string& serviceName) {
  return onService(system_, serviceName, win32::kScManagerConnect, win32::kServiceStop,
                   [this](ServiceHandle service) {
                     return system_.controlService(service, win32::kServiceControlStop);
                   });
}

std::uint32_t Ddkint::RemoveDriver(const std::string& serviceName) {
  return onService(system_, serviceName, win32::kScManagerAllAccess, win32::kServiceAllAccess,
                   [this](ServiceHandle service) { return system_.deleteService(service); });
}

void Ddkint::showMessage(const std::string& text, const std::string& caption) {
  if (show_) {
    show_(text, caption);
  } else {
    system_.messageBox(text, caption);
  }
}

bool Ddkint::IsWinNT() {
  const VersionAnswer version = system_.queryVersion();
  if (!version.ok) {
    showMessage("Getting OS version failed", "Getting OS version");
    return false;
  }
  return version.platformId == win32::kVerPlatformWin32Nt;
}

int Ddkint::OpenPortDevice(DeviceHandle& handle) {
  handle = system_.createFile(kDriverDevicePath, win32::kGenericRead | win32::kGenericWrite, 0,
                              win32::kOpenExisting, win32::kFileAttributeNormal);
  const std::uint32_t error = system_.lastError();
  // Success is judged from the error code read at once; an invalid handle is
  // a failure whatever the code says, so that it is never used as an open
  // device.
  if (handle == kInvalidDeviceHandle || handle == 0) return 1;
  return error == win32::kErrorSuccess || error == win32::kErrorAlreadyExists ? 0 : 1;
}

std::string Ddkint::DriverPath() {
  std::string path = system_.programFolder();
  // The root of a drive keeps its backslash: add none of our own there.
  if (path.empty() || path.back() != '\\') path += '\\';
  path += kDriverServiceName;
  path += ".sys";
  return path;
}

std::uint32_t Ddkint::ReinstallDriver() {
  StopDriver(kDriverServiceName);
  RemoveDriver(kDriverServiceName);
  const std::string driverPath = DriverPath();
  // A path that does not fit the buffer is refused rather than cut short.
  if (driverPath.size() >= kDriverPathBufferSize) return win32::kErrorFilenameExcedRange;
  InstallDriver(driverPath, kDriverServiceName);
  return StartDriver(kDriverServiceName);
}

int Ddkint::EnablePortAccess() {
  deviceHandle_ = 0;
  if (OpenPortDevice(deviceHandle_) != 0) {
    if (ReinstallDriver() != 0) {
      showMessage(kReinstallFailedText, kReinstallFailedCaption);
      return 1;
    }
    if (OpenPortDevice(deviceHandle_) != 0) {
      showMessage("Opening of driver failed", "Setting IO permissions");
      return 1;
    }
  }
  // A refused request shows no message.
  return system_.deviceIoControl(deviceHandle_, kPermissionRequest) ? 0 : 1;
}

void Ddkint::DisablePortAccess() {
  if (StopDriver(kDriverServiceName) != 0) {
    showMessage("Error stopping driver", "Disabling IO permissions");
  }
  if (RemoveDriver(kDriverServiceName) != 0) {
    showMessage("Error removing driver", "Disabling IO permissions");
  }
}

void Ddkint::ShutdownDriver() {
  DisablePortAccess();
  deviceHandle_ = 0;
}

}  // namespace korvalinx
