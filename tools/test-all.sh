#!/usr/bin/env bash
# Builds Korvalinx and runs every test: the whole suite in the default preset,
# again under AddressSanitizer + UndefinedBehaviorSanitizer, then the fuzz
# targets for a short fixed time, and the installation and the Debian package
# (tools/check-install.sh). Installs what is missing first (as root).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

echo "== format"
format=0
tools/check-format.sh || format=1

for preset in default asan; do
  echo "== build ($preset)"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

if [ -x tools/check-windows.sh ]; then
  echo "== Windows units (mingw-w64)"
  tools/check-windows.sh
fi

if [ -x tools/run-fuzzers.sh ]; then
  echo "== fuzz"
  tools/run-fuzzers.sh
fi

status=$format
echo "== tests (asan)"
ctest --preset asan -j2 || status=1
echo "== tests (default)"
ctest --preset default -j2 || status=1
echo "== install and package"
tools/check-install.sh || status=1
exit $status
