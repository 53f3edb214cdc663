#pragma once
// The driver unit's system services on Win32. Compiled only on Windows.

#include "port/permission/ddkint/ServiceControl.h"

namespace korvalinx {

class Win32ServiceControl final : public ServiceControl {
 public:
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
  std::uint32_t lastError() override;
  VersionAnswer queryVersion() override;
  std::string programFolder() override;
  void messageBox(const std::string& text, const std::string& caption) override;
};

}  // namespace korvalinx
