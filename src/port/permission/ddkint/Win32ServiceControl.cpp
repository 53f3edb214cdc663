#include "port/permission/ddkint/Win32ServiceControl.h"

#include <windows.h>

#include "platform/os/ProgramPath.h"
#include "port/permission/ddkint/ProgramFolder.h"
#include "port/permission/ddkint/Win32Codes.h"

namespace korvalinx {

static_assert(win32::kScManagerConnect == SC_MANAGER_CONNECT);
static_assert(win32::kScManagerAllAccess == SC_MANAGER_ALL_ACCESS);
static_assert(win32::kServiceStart == SERVICE_START);
static_assert(win32::kServiceStop == SERVICE_STOP);
static_assert(win32::kServiceAllAccess == SERVICE_ALL_ACCESS);
static_assert(win32::kServiceKernelDriver == SERVICE_KERNEL_DRIVER);
static_assert(win32::kServiceDemandStart == SERVICE_DEMAND_START);
static_assert(win32::kServiceErrorNormal == SERVICE_ERROR_NORMAL);
static_assert(win32::kServiceControlStop == SERVICE_CONTROL_STOP);
static_assert(win32::kGenericRead == GENERIC_READ);
static_assert(win32::kGenericWrite == GENERIC_WRITE);
static_assert(win32::kOpenExisting == OPEN_EXISTING);
static_assert(win32::kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);
static_assert(win32::kMethodBuffered == METHOD_BUFFERED);
static_assert(win32::kFileAnyAccess == FILE_ANY_ACCESS);
static_assert(win32::kVerPlatformWin32Nt == VER_PLATFORM_WIN32_NT);
static_assert(win32::kErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(win32::kErrorFilenameExcedRange == ERROR_FILENAME_EXCED_RANGE);
static_assert(sizeof(OSVERSIONINFOA) == 148);

namespace {

SC_HANDLE toScHandle(ServiceHandle handle) {
  return reinterpret_cast<SC_HANDLE>(handle);
}
ServiceHandle fromScHandle(SC_HANDLE handle) {
  return reinterpret_cast<ServiceHandle>(handle);
}

}  // namespace

ServiceHandle Win32ServiceControl::openServiceManager(std::uint32_t access) {
  return fromScHandle(OpenSCManagerA(nullptr, nullptr, access));
}

ServiceHandle Win32ServiceControl::createService(ServiceHandle manager, const std::string& name,
                                                 const std::string& displayName,
                                                 std::uint32_t access, std::uint32_t serviceType,
                                                 std::uint32_t startType,
                                                 std::uint32_t errorControl,
                                                 const std::string& binaryPath) {
  return fromScHandle(CreateServiceA(toScHandle(manager), name.c_str(), displayName.c_str(), access,
                                     serviceType, startType, errorControl, binaryPath.c_str(),
                                     nullptr, nullptr, nullptr, nullptr, nullptr));
}

ServiceHandle Win32ServiceControl::openService(ServiceHandle manager, const std::string& name,
                                               std::uint32_t access) {
  return fromScHandle(OpenServiceA(toScHandle(manager), name.c_str(), access));
}

bool Win32ServiceControl::startService(ServiceHandle service) {
  return StartServiceA(toScHandle(service), 0, nullptr) != FALSE;
}

bool Win32ServiceControl::controlService(ServiceHandle service, std::uint32_t control) {
  SERVICE_STATUS status{};
  return ControlService(toScHandle(service), control, &status) != FALSE;
}

bool Win32ServiceControl::deleteService(ServiceHandle service) {
  return DeleteService(toScHandle(service)) != FALSE;
}

bool Win32ServiceControl::closeServiceHandle(ServiceHandle handle) {
  return CloseServiceHandle(toScHandle(handle)) != FALSE;
}

DeviceHandle Win32ServiceControl::createFile(const std::string& path, std::uint32_t access,
                                             std::uint32_t shareMode, std::uint32_t disposition,
                                             std::uint32_t attributes) {
  // The caller judges the open by the last error alone, so no older error
  // may still stand when the open succeeds.
  SetLastError(ERROR_SUCCESS);
  HANDLE handle =
      CreateFileA(path.c_str(), access, shareMode, nullptr, disposition, attributes, nullptr);
  return reinterpret_cast<DeviceHandle>(handle);
}

bool Win32ServiceControl::deviceIoControl(DeviceHandle device, std::uint32_t code) {
  DWORD returned = 0;  // required without an overlapped record; not used
  return DeviceIoControl(reinterpret_cast<HANDLE>(device), code, nullptr, 0, nullptr, 0, &returned,
                         nullptr) != FALSE;
}

std::uint32_t Win32ServiceControl::lastError() {
  return GetLastError();
}

VersionAnswer Win32ServiceControl::queryVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  if (!GetVersionExA(&info)) return {};
  return {true, info.dwPlatformId};
}

std::string Win32ServiceControl::programFolder() {
  return ProgramFolderOf(ProgramPath());
}

void Win32ServiceControl::messageBox(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace korvalinx
