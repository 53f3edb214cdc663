#include "FakeServiceControl.h"

#include <cstdio>
#include <initializer_list>

namespace korvalinx::testing {

namespace {

constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kGenFailure = 31;
constexpr std::uint32_t kServiceAlreadyRunning = 1056;
constexpr std::uint32_t kServiceDoesNotExist = 1060;
constexpr std::uint32_t kServiceNotActive = 1062;
constexpr std::uint32_t kServiceExists = 1073;

std::string handleName(ServiceHandle handle) {
  return handle == 0 ? "0" : "sc" + std::to_string(handle);
}

std::string hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%#x", value);
  return text;
}

std::string dec(std::uint32_t value) {
  return std::to_string(value);
}

std::string yesNo(bool ok) {
  return ok ? "true" : "false";
}

// "Name(a, b) = result"
std::string call(const std::string& name, std::initializer_list<std::string> args,
                 const std::string& result) {
  std::string text = name + "(";
  bool first = true;
  for (const std::string& arg : args) {
    if (!first) text += ", ";
    text += arg;
    first = false;
  }
  return text + ") = " + result;
}

}  // namespace

int FakeServiceControl::count(const std::string& prefix) const {
  int n = 0;
  for (const std::string& call : calls) n += call.starts_with(prefix) ? 1 : 0;
  return n;
}

ServiceHandle FakeServiceControl::newHandle() {
  const ServiceHandle handle = nextHandle_++;
  openHandles.insert(handle);
  return handle;
}

void FakeServiceControl::checkOpen(ServiceHandle handle, const char* use) {
  if (!openHandles.contains(handle))
    faults.push_back(std::string(use) + " on " + std::to_string(handle));
}

ServiceHandle FakeServiceControl::openServiceManager(std::uint32_t access) {
  ServiceHandle handle = 0;
  if (managerRefused) {
    error_ = kAccessDenied;
  } else {
    handle = newHandle();
  }
  calls.push_back(call("OpenSCManager", {hex(access)}, handleName(handle)));
  return handle;
}

ServiceHandle FakeServiceControl::createService(ServiceHandle manager, const std::string& name,
                                                const std::string& displayName,
                                                std::uint32_t access, std::uint32_t serviceType,
                                                std::uint32_t startType, std::uint32_t errorControl,
                                                const std::string& binaryPath) {
  checkOpen(manager, "CreateService");
  ServiceHandle handle = 0;
  if (serviceRegistered) {
    error_ = kServiceExists;
  } else {
    // Creation does not look at the file.
    serviceRegistered = true;
    registeredPath = binaryPath;
    handle = newHandle();
  }
  calls.push_back(call("CreateService",
                       {handleName(manager), name, displayName, hex(access), dec(serviceType),
                        dec(startType), dec(errorControl), binaryPath},
                       handleName(handle)));
  return handle;
}

ServiceHandle FakeServiceControl::openService(ServiceHandle manager, const std::string& name,
                                              std::uint32_t access) {
  checkOpen(manager, "OpenService");
  ServiceHandle handle = 0;
  if (!serviceRegistered || name != "zlportio") {
    error_ = kServiceDoesNotExist;
  } else {
    handle = newHandle();
  }
  calls.push_back(
      call("OpenService", {handleName(manager), name, hex(access)}, handleName(handle)));
  return handle;
}

bool FakeServiceControl::startService(ServiceHandle service) {
  checkOpen(service, "StartService");
  bool ok = false;
  if (serviceRunning) {
    error_ = kServiceAlreadyRunning;
  } else if (!driverFilePresent) {
    error_ = kFileNotFound;
  } else {
    serviceRunning = true;
    ok = true;
  }
  calls.push_back(call("StartService", {handleName(service)}, yesNo(ok)));
  return ok;
}

bool FakeServiceControl::controlService(ServiceHandle service, std::uint32_t control) {
  checkOpen(service, "ControlService");
  bool ok = false;
  if (stopRefused) {
    error_ = kAccessDenied;
  } else if (!serviceRunning) {
    error_ = kServiceNotActive;
  } else {
    serviceRunning = false;
    ok = true;
  }
  calls.push_back(call("ControlService", {handleName(service), dec(control)}, yesNo(ok)));
  return ok;
}

bool FakeServiceControl::deleteService(ServiceHandle service) {
  checkOpen(service, "DeleteService");
  bool ok = false;
  if (deleteRefused) {
    error_ = kAccessDenied;
  } else {
    serviceRegistered = false;
    ok = true;
  }
  calls.push_back(call("DeleteService", {handleName(service)}, yesNo(ok)));
  return ok;
}

bool FakeServiceControl::closeServiceHandle(ServiceHandle handle) {
  checkOpen(handle, "CloseServiceHandle");
  const bool ok = openHandles.erase(handle) == 1;
  // A successful call may clear the error code: it must have been read before.
  error_ = ok ? 0 : 6;
  calls.push_back(call("CloseServiceHandle", {handleName(handle)}, yesNo(ok)));
  return ok;
}

DeviceHandle FakeServiceControl::createFile(const std::string& path, std::uint32_t access,
                                            std::uint32_t shareMode, std::uint32_t disposition,
                                            std::uint32_t attributes) {
  DeviceHandle handle = kInvalidDeviceHandle;
  if (serviceRunning && !deviceRefused && path == "\\\\.\\ZLPORTIO") {
    handle = kDevice;
    error_ = 0;
  } else {
    error_ = kFileNotFound;
  }
  if (openError) error_ = *openError;
  if (openHandle) handle = *openHandle;
  calls.push_back(call("CreateFile",
                       {path, hex(access), dec(shareMode), dec(disposition), hex(attributes)},
                       handle == kInvalidDeviceHandle ? "invalid" : "device"));
  return handle;
}

bool FakeServiceControl::deviceIoControl(DeviceHandle device, std::uint32_t code) {
  const bool ok = device == kDevice && code == 0x80FF000C && !requestRefused;
  if (!ok) error_ = kGenFailure;
  calls.push_back(call("DeviceIoControl", {hex(code)}, yesNo(ok)));
  return ok;
}

VersionAnswer FakeServiceControl::queryVersion() {
  calls.push_back("GetVersionEx");
  return version;
}

void FakeServiceControl::messageBox(const std::string& text, const std::string& caption) {
  calls.push_back("MessageBox(" + caption + ")");
  messages.emplace_back(text, caption);
}

}  // namespace korvalinx::testing
