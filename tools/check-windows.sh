#!/usr/bin/env bash
# Compiles the Windows-only units with the mingw-w64 cross compiler, then links
# them into a DLL so that every Win32 call they make resolves. Prints nothing
# on success; fails on any warning or error.
set -euo pipefail
cd "$(dirname "$0")/.."

cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++}
if ! command -v "$cxx" >/dev/null; then
  echo "check-windows: $cxx not found (install mingw-w64)" >&2
  exit 1
fi

units=(
  src/port/permission/ddkint/Win32ServiceControl.cpp
  src/port/permission/ddkint/Ddkint.cpp
  src/port/permission/ddkint/DriverPermission.cpp
  src/port/permission/DeferredMessages.cpp
  src/port/permission/ddkint/ProgramFolder.cpp
  src/port/permission/PortPermissionWindows.cpp
  src/platform/os/InstanceName.cpp
  src/platform/os/InstanceMarkerWindows.cpp
  src/platform/os/ProgramPathWindows.cpp
  src/platform/os/ChildPortAccessWindows.cpp
  src/port/backends/HardwarePort.cpp
  src/acquire/SystemVersion.cpp
)

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

objects=()
for unit in "${units[@]}"; do
  object="$out/$(echo "$unit" | tr '/' '_').o"
  "$cxx" -std=c++20 -Wall -Wextra -Werror -I src -c "$unit" -o "$object"
  objects+=("$object")
done

"$cxx" -shared -o "$out/korvalinx-windows-units.dll" "${objects[@]}" \
  -static-libgcc -static-libstdc++ -ladvapi32 -luser32
