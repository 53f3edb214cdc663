#pragma once
// The Win32 values the driver unit passes to the system, under names of our
// own so that they compile without <windows.h>. The Win32 adapter checks them
// against the system's headers.

#include <cstdint>

namespace korvalinx::win32 {

inline constexpr std::uint32_t kScManagerConnect = 0x0001;
inline constexpr std::uint32_t kScManagerAllAccess = 0xF003F;
inline constexpr std::uint32_t kServiceStart = 0x0010;
inline constexpr std::uint32_t kServiceStop = 0x0020;
inline constexpr std::uint32_t kServiceAllAccess = 0xF01FF;
inline constexpr std::uint32_t kServiceKernelDriver = 1;
inline constexpr std::uint32_t kServiceDemandStart = 3;
inline constexpr std::uint32_t kServiceErrorNormal = 1;
inline constexpr std::uint32_t kServiceControlStop = 1;

inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr std::uint32_t kGenericWrite = 0x40000000;
inline constexpr std::uint32_t kOpenExisting = 3;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;

inline constexpr std::uint32_t kMethodBuffered = 0;
inline constexpr std::uint32_t kFileAnyAccess = 0;

inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorFilenameExcedRange = 206;

}  // namespace korvalinx::win32
