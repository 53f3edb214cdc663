#pragma once
// The operating-system services the driver unit uses: the service control
// manager, the driver's device, the last-error code, the version query, the
// program's folder and the system's message box. Win32ServiceControl is the real one.

#include <cstdint>
#include <string>

namespace korvalinx {

// A service-manager or service handle; 0 when an open or create failed.
using ServiceHandle = std::uintptr_t;
// A device handle as the system returns it (INVALID_HANDLE_VALUE on failure).
using DeviceHandle = std::uintptr_t;
inline constexpr DeviceHandle kInvalidDeviceHandle = ~DeviceHandle{0};

struct VersionAnswer {
  bool ok = false;  // the query succeeded
  std::uint32_t platformId = 0;
};

class ServiceControl {
 public:
  virtual ~ServiceControl() = default;

  // The service manager of the local machine, default database.
  virtual ServiceHandle openServiceManager(std::uint32_t access) = 0;
  // A service with no load-order group, tag, dependencies, account or
  // password.
  virtual ServiceHandle createService(ServiceHandle manager, const std::string& name,
                                      const std::string& displayName, std::uint32_t access,
                                      std::uint32_t serviceType, std::uint32_t startType,
                                      std::uint32_t errorControl,
                                      const std::string& binaryPath) = 0;
  virtual ServiceHandle openService(ServiceHandle manager, const std::string& name,
                                    std::uint32_t access) = 0;
  // Starts with no arguments.
  virtual bool startService(ServiceHandle service) = 0;
  // Sends a control; the status it fills is not read.
  virtual bool controlService(ServiceHandle service, std::uint32_t control) = 0;
  virtual bool deleteService(ServiceHandle service) = 0;
  virtual bool closeServiceHandle(ServiceHandle handle) = 0;

  // CreateFile with no security attributes and no template.
  virtual DeviceHandle createFile(const std::string& path, std::uint32_t access,
                                  std::uint32_t shareMode, std::uint32_t disposition,
                                  std::uint32_t attributes) = 0;
  // A synchronous request with no input and no output buffer.
  virtual bool deviceIoControl(DeviceHandle device, std::uint32_t code) = 0;

  // The system's last-error code, as it stands now.
  virtual std::uint32_t lastError() = 0;
  // The version query with the ANSI record (size field 148).
  virtual VersionAnswer queryVersion() = 0;
  // The directory part of the program's full path: no final backslash except
  // for the root of a drive.
  virtual std::string programFolder() = 0;
  // The system's message box: text, caption, OK only, no icon, modal. Used
  // for messages raised before the unit was given the application's.
  virtual void messageBox(const std::string& text, const std::string& caption) = 0;
};

}  // namespace korvalinx
